// The clock and the user's regional calendar settings.
#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

calendar::DateOrder RegionalDateOrder() {
  char order[4] = "1";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof order);
  switch (order[0]) {
    case '0':
      return calendar::DateOrder::MonthDayYear;
    case '2':
      return calendar::DateOrder::YearMonthDay;
    default:
      return calendar::DateOrder::DayMonthYear;
  }
}

int TwoDigitYearMax() {
  DWORD year = 0;
  if (GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                       nullptr, 0, &year) &&
      year >= 99 && year <= 9999)
    return static_cast<int>(year);
  return 2049;
}

SYSTEMTIME SystemTimeOf(const calendar::Moment& m) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(m.date.year);
  t.wMonth = static_cast<WORD>(m.date.month);
  t.wDay = static_cast<WORD>(m.date.day);
  t.wHour = static_cast<WORD>(m.secondsOfDay / 3600);
  t.wMinute = static_cast<WORD>(m.secondsOfDay / 60 % 60);
  t.wSecond = static_cast<WORD>(m.secondsOfDay % 60);
  return t;
}

calendar::Moment MomentOf(const SYSTEMTIME& t) {
  return {{t.wYear, t.wMonth, t.wDay}, t.wHour * 3600 + t.wMinute * 60 + t.wSecond};
}

}  // namespace

calendar::Moment Win32Clock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return MomentOf(t);
}

double Win32Clock::SecondsSinceMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

calendar::RegionalSettings Win32Clock::Regional() {
  return {RegionalDateOrder(), TwoDigitYearMax()};
}

std::optional<calendar::Moment> Win32Clock::LocalMomentOf(std::chrono::sys_seconds instant) {
  const calendar::Moment utcMoment =
      calendar::MomentOf(std::chrono::local_seconds{instant.time_since_epoch()});
  if (utcMoment.date.year < 1601 || utcMoment.date.year > 30827) return std::nullopt;
  const SYSTEMTIME utc = SystemTimeOf(utcMoment);
  SYSTEMTIME local{};
  // The zone's rules for that year, daylight saving included; where the system has none for the
  // year, the rules in force today.
  TIME_ZONE_INFORMATION zone{};
  if (GetTimeZoneInformationForYear(utc.wYear, nullptr, &zone) &&
      SystemTimeToTzSpecificLocalTime(&zone, &utc, &local))
    return MomentOf(local);
  if (GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID &&
      SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    return MomentOf(local);
  return std::nullopt;
}

}  // namespace platform::win32
