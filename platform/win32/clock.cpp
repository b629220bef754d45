// The clock, and the regional calendar settings of the program's user and of the user at the
// desktop.
#include <windows.h>
// windows.h first: the other system headers build on it.
#include <sddl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/names.h"
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

// ----- the user at the desktop --------------------------------------------------------------

// The SID in its text form ("S-1-5-21-..."); none when it has none.
std::optional<std::wstring> SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return std::nullopt;
  std::wstring result(text);
  LocalFree(text);
  return result;
}

// The user of the process: the SID of its token's user.
std::optional<std::wstring> ProcessUser(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  std::vector<unsigned char> buffer(256);
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenUser, buffer.data(),
                                        static_cast<DWORD>(buffer.size()), &size);
  CloseHandle(token);
  if (!read) return std::nullopt;
  return SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

// The owner of the desktop's shell window (Explorer), which runs as the user at the desktop.
std::optional<std::wstring> ShellUser() {
  HWND shell = GetShellWindow();
  DWORD id = 0;
  if (!shell || !GetWindowThreadProcessId(shell, &id)) return std::nullopt;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (!process) return std::nullopt;
  auto user = ProcessUser(process);
  CloseHandle(process);
  return user;
}

// The user signed in to this program's Windows session ("DOMAIN\name", looked up).
std::optional<std::wstring> SessionUser(Library& sessions) {
  using Query = BOOL(WINAPI*)(HANDLE, DWORD, int, wchar_t**, DWORD*);
  using Free = void(WINAPI*)(void*);
  const auto query = sessions.Get<Query>("WTSQuerySessionInformationW");
  const auto free = sessions.Get<Free>("WTSFreeMemory");
  if (!query || !free) return std::nullopt;
  auto text = [&](int what) {
    wchar_t* answer = nullptr;
    DWORD size = 0;
    std::wstring result;
    // The current server and session; 5 is the user's name, 7 the domain's.
    if (query(nullptr, static_cast<DWORD>(-1), what, &answer, &size) && answer) result = answer;
    if (answer) free(answer);
    return result;
  };
  const std::wstring name = text(5), domain = text(7);
  if (name.empty()) return std::nullopt;
  const std::wstring account = domain.empty() ? name : domain + L"\\" + name;
  unsigned char sid[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof sid, domainSize = 256;
  wchar_t domainFound[256];
  SID_NAME_USE use;
  if (!LookupAccountNameW(nullptr, account.c_str(), sid, &sidSize, domainFound, &domainSize, &use))
    return std::nullopt;
  return SidText(sid);
}

std::optional<std::wstring> UserText(const std::wstring& key, const wchar_t* value) {
  wchar_t buffer[256];
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_USERS, key.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

// The date order a short date format ("dd/MM/yyyy") writes, as Windows derives its date order
// from it: by the first of day, month and year outside quoted text.
std::optional<calendar::DateOrder> OrderOfShortDate(const std::wstring& format) {
  bool quoted = false;
  for (const wchar_t c : format) {
    if (c == L'\'') quoted = !quoted;
    if (quoted) continue;
    if (c == L'y') return calendar::DateOrder::YearMonthDay;
    if (c == L'M') return calendar::DateOrder::MonthDayYear;
    if (c == L'd') return calendar::DateOrder::DayMonthYear;
  }
  return std::nullopt;
}

// A user's regional settings from their own registry: the short date format they chose, else
// their locale's; and their two-digit year window, else the system's for the Gregorian calendar.
std::optional<calendar::RegionalSettings> RegionalOfUser(const std::wstring& sid) {
  const std::wstring key = sid + L"\\Control Panel\\International";
  std::optional<std::wstring> format = UserText(key, L"sShortDate");
  if (!format) {
    const auto locale = UserText(key, L"LocaleName");
    wchar_t buffer[128];
    if (locale && GetLocaleInfoEx(locale->c_str(), LOCALE_SSHORTDATE, buffer, 128) > 0)
      format = buffer;
  }
  const auto order = format ? OrderOfShortDate(*format) : std::nullopt;
  if (!order) return std::nullopt;
  calendar::RegionalSettings settings{*order, 2049};
  DWORD year = 0;
  const auto window = UserText(key + L"\\Calendars\\TwoDigitYearMax", L"1");
  if (window)
    year = std::wcstoul(window->c_str(), nullptr, 10);
  else
    GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN,
                     CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER | CAL_NOUSEROVERRIDE, nullptr, 0,
                     &year);
  if (year >= 99 && year <= 9999) settings.twoDigitYearMax = static_cast<int>(year);
  return settings;
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

// Test hook: the environment variable TAVORIA_TEST_ONLY_DESKTOP_USER names the desktop's user
// (the SID, as a key of HKEY_USERS) for the tests, which have one account only; empty, as when
// the system cannot tell. An elevated program gets the environment of its own account's profile,
// not its starter's.
std::optional<calendar::RegionalSettings> Win32Clock::DesktopUserRegional() {
  std::optional<std::wstring> user;
  if (const wchar_t* named = _wgetenv(L"TAVORIA_TEST_ONLY_DESKTOP_USER"))
    user = std::wstring(named);
  else if (!(user = ShellUser()))
    user = SessionUser(sessions_);
  if (!user || user->empty()) return std::nullopt;
  return RegionalOfUser(*user);
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
