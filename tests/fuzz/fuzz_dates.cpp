// The date and time-of-day readers on any text.
#include <string>

#include "database/dates.h"
#include "tests/fuzz/fuzz_input.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  // The two-digit year setting comes from the input's length, over its whole range.
  const int yearMax = 99 + static_cast<int>(size * 7919 % 9901);
  for (auto order : {calendar::DateOrder::DayMonthYear, calendar::DateOrder::MonthDayYear,
                     calendar::DateOrder::YearMonthDay}) {
    try {
      const calendar::Date date = database::ParseDate(text, {order, yearMax});
      Require(calendar::IsCalendarDate(date.year, date.month, date.day));
      const int weekday = calendar::WeekdayOf(date);
      Require(weekday >= 1 && weekday <= 7);
    } catch (const util::Failure& f) {
      Require(f.code() == util::codes::kTypeMismatch);
    }
  }
  try {
    const int seconds = database::ParseTimeOfDay(text);
    Require(seconds >= 0 && seconds < calendar::kSecondsPerDay);
  } catch (const util::Failure& f) {
    Require(f.code() == util::codes::kTypeMismatch);
  }
  return 0;
}
