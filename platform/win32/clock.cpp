// The clock and the user's regional calendar settings.
#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

Date Win32Clock::Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay};
}

int Win32Clock::SecondsOfDay() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

double Win32Clock::SecondsSinceMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0;
}

DateOrder Win32Clock::RegionalDateOrder() {
  char order[4] = "1";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof order);
  switch (order[0]) {
    case '0':
      return DateOrder::MonthDayYear;
    case '2':
      return DateOrder::YearMonthDay;
    default:
      return DateOrder::DayMonthYear;
  }
}

int Win32Clock::TwoDigitYearMax() {
  DWORD year = 0;
  if (GetCalendarInfoA(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                       nullptr, 0, &year) &&
      year >= 99 && year <= 9999)
    return static_cast<int>(year);
  return 2049;
}

}  // namespace platform::win32
