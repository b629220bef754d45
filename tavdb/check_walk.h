// The loader's own walk through a database, told every fault and going on after it where it
// can: the errors the saver would stop on, in the order the loader meets them (the first is the
// failure the loader stops on), and the records and special fixtures the walk saw.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_file.h"
#include "platform/platform.h"
#include "tavdb/check.h"
#include "tavdb/diagnostic.h"

namespace tavdb {

inline constexpr calendar::DateOrder kOrders[] = {calendar::DateOrder::DayMonthYear,
                                                  calendar::DateOrder::MonthDayYear,
                                                  calendar::DateOrder::YearMonthDay};
const char* OrderName(calendar::DateOrder order);
// A file's text quoted in a message: at most 60 characters, what is not printable escaped.
std::string Quoted(std::string_view text);

// One line of the file as the loader's reader splits it.
struct RawLine {
  std::string_view text;  // without its line end
  bool bareLineFeed = false;
};

std::vector<RawLine> SplitRaw(std::string_view bytes);

struct Special {
  int line;
  std::string matchLine;
  database::SpecialFixture fixture;
};

struct Record {
  int line;  // the date line's
  database::FixtureRecord record;
  std::optional<calendar::Date> date;  // as the checked regional order reads it
};

// What the walk found.
struct Walked {
  Diagnostics found;  // in the order the walk met them
  std::vector<Special> specials;
  std::vector<Record> records;
  bool complete = false;  // read to its "End Ads" line
  int lastLine = 0;       // the last line read
};

Walked WalkAsTheLoader(std::string_view bytes, const CheckOptions& options,
                       const std::vector<RawLine>& raw);

}  // namespace tavdb
