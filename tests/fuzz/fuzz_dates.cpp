// The date and time-of-day readers on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "saver/data/dates.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The two-digit year setting comes from the input's length, over its whole range.
  const int yearMax = 99 + static_cast<int>(size * 7919 % 9901);
  for (auto order : {platform::DateOrder::DayMonthYear, platform::DateOrder::MonthDayYear,
                     platform::DateOrder::YearMonthDay}) {
    try {
      const platform::Date date = tavoria::ParseDate(text, order, yearMax);
      Require(tavoria::IsCalendarDate(date.year, date.month, date.day));
      const int weekday = tavoria::WeekdayOf(date);
      Require(weekday >= 1 && weekday <= 7);
    } catch (const platform::Failure& f) {
      Require(f.code() == 13);
    }
  }
  try {
    const int seconds = tavoria::ParseTimeOfDay(text);
    Require(seconds >= 0 && seconds < 86400);
  } catch (const platform::Failure& f) {
    Require(f.code() == 13);
  }
  return 0;
}
