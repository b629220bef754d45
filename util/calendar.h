// Days and moments as the programs keep them: a date on the Gregorian calendar, a moment (a local
// date and a time of day to the second), the user's regional reading of numeric dates, and the
// arithmetic on them, done by std::chrono's calendar types. Also the forms the makers write: ISO
// dates and 24-hour times on command lines and in fixture lists, and dates with the month's English
// name in databases (they read alike in every regional order).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace calendar {

struct Date {
  int year = 0, month = 0, day = 0;
  auto operator<=>(const Date&) const = default;
};

// A local date and the time of day on it, in whole seconds since midnight (0 to 86399).
struct Moment {
  Date date;
  int secondsOfDay = 0;
  auto operator<=>(const Moment&) const = default;
};

// How the user's regional settings order the parts of a numeric date.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// How the user's Windows reads dates: the order of a numeric date's parts, and the "two-digit year
// max" calendar setting (a two-digit year is placed in the hundred years that end in this year).
struct RegionalSettings {
  DateOrder dateOrder = DateOrder::DayMonthYear;
  int twoDigitYearMax = 2049;
  bool operator==(const RegionalSettings&) const = default;
};

inline constexpr int kSecondsPerDay = 24 * 60 * 60;

// A date that exists on the calendar, in the years 1 to 9999.
bool IsCalendarDate(int year, int month, int day);
// The day of the week, counted with Sunday as day 1.
int WeekdayOf(const Date& date);
// The date `days` days later (earlier when negative).
Date AddDays(const Date& date, int days);
Date NextDay(const Date& date);

// The date and time of day of a point on a local clock, and back.
Moment MomentOf(std::chrono::local_seconds local);
std::chrono::local_seconds LocalSecondsOf(const Moment& moment);

// "January" to "December" for 1 to 12.
const char* MonthName(int month);

// "2026-06-11": four-digit year, two-digit month and day, on the calendar.
std::optional<Date> ParseIsoDate(std::string_view text);
// "HH:MM" on the 24-hour clock: seconds since midnight.
std::optional<int> ParseClockTime(std::string_view text);
// "HH:MM" for a time of day (seconds past the minute dropped).
std::string ClockText(int secondsOfDay);
std::string IsoDate(const Date& date);
// "2026-06-14T01:00Z": an instant in UTC, to the minute, of the years 1 to 9999.
std::optional<std::chrono::sys_seconds> ParseUtcMinute(std::string_view text);
std::string UtcMinuteText(std::chrono::sys_seconds instant);
// "11 June 2026"; the year with four digits ("5 May 0506").
std::string EnglishDate(const Date& date);

}  // namespace calendar
