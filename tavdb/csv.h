// Comma-separated records as spreadsheets write them: fields in double quotes may hold commas,
// line breaks and doubled quotes; lines end in CR LF or LF; a UTF-8 byte order mark is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavdb {

struct CsvRow {
  int line = 0;  // where the record begins
  std::vector<std::string> fields;
};

// The records of the text, blank lines left out. Throws InputError for a quote left open.
std::vector<CsvRow> ReadCsv(std::string_view text);

// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace tavdb
