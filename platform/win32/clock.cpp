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

}  // namespace

calendar::Moment Win32Clock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {{t.wYear, t.wMonth, t.wDay}, t.wHour * 3600 + t.wMinute * 60 + t.wSecond};
}

double Win32Clock::SecondsSinceMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

calendar::RegionalSettings Win32Clock::Regional() {
  return {RegionalDateOrder(), TwoDigitYearMax()};
}

}  // namespace platform::win32
