// Comma-separated records as spreadsheets write them: fields in double quotes may hold commas,
// line breaks and doubled quotes; lines end in CR LF or LF; a UTF-8 byte order mark is skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavdb {

struct CsvRow {
  int line = 0;  // where the record begins
  std::vector<std::string> fields;
};

// The records of a text one at a time, so that only one is held however long the text:
//   CsvReader records(text);
//   while (const auto row = records.Next()) ...
class CsvReader {
 public:
  // Throws InputError for a quote left open anywhere in the text, before any record is read.
  explicit CsvReader(std::string_view text);
  // The next record, blank lines left out; none after the last.
  std::optional<CsvRow> Next();

 private:
  // Reads the next record, its fields into `fields` when given; false at the end.
  bool Read(std::vector<std::string>* fields, int& line);
  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
};

// Every record of the text, blank lines left out. Throws InputError for a quote left open.
std::vector<CsvRow> ReadCsv(std::string_view text);

// The text without a UTF-8 byte order mark at its start.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace tavdb
