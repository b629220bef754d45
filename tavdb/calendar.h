// Days as the makers write them: ISO dates on the command line and in fixture lists, dates with
// the month's English name in the database (they read alike in every regional order).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tavdb {

// "2026-06-11": four-digit year, two-digit month and day, on the calendar.
std::optional<platform::Date> ParseIsoDate(std::string_view text);
// "HH:MM" on the 24-hour clock: seconds since midnight.
std::optional<int> ParseClockTime(std::string_view text);
std::string IsoDate(const platform::Date& date);
// "11 June 2026"; a year before 1000 with leading zeros ("5 May 0506").
std::string EnglishDate(const platform::Date& date);
platform::Date NextDay(const platform::Date& date);

}  // namespace tavdb
