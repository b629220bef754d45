#include "util/calendar.h"

#include <array>
#include <chrono>
#include <cstdio>

#include "util/text.h"

namespace calendar {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

year_month_day Chrono(const Date& date) {
  return {std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
          std::chrono::day{static_cast<unsigned>(date.day)}};
}

Date FromChrono(const year_month_day& date) {
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::optional<int> Digits(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!text::IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  return Chrono({year, month, day}).ok();
}

int WeekdayOf(const Date& date) {
  return static_cast<int>(std::chrono::weekday{sys_days{Chrono(date)}}.c_encoding()) + 1;
}

Date AddDays(const Date& date, int days) {
  return FromChrono(year_month_day{sys_days{Chrono(date)} + std::chrono::days{days}});
}

Date NextDay(const Date& date) {
  return AddDays(date, 1);
}

Moment MomentOf(std::chrono::local_seconds local) {
  const auto day = std::chrono::floor<std::chrono::days>(local);
  const year_month_day date{std::chrono::local_days{day}};
  return {FromChrono(date), static_cast<int>((local - day).count())};
}

std::chrono::local_seconds LocalSecondsOf(const Moment& moment) {
  return std::chrono::local_days{Chrono(moment.date)} + std::chrono::seconds{moment.secondsOfDay};
}

const char* MonthName(int month) {
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  return kMonths.at(static_cast<std::size_t>(month - 1));
}

std::optional<Date> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = Digits(text.substr(0, 4));
  const auto month = Digits(text.substr(5, 2));
  const auto day = Digits(text.substr(8, 2));
  if (!year || !month || !day || !IsCalendarDate(*year, *month, *day)) return std::nullopt;
  return Date{*year, *month, *day};
}

std::optional<int> ParseClockTime(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  const auto hours = Digits(text.substr(0, 2));
  const auto minutes = Digits(text.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  return (*hours * 60 + *minutes) * 60;
}

std::string ClockText(int secondsOfDay) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", secondsOfDay / 3600 % 24, secondsOfDay / 60 % 60);
  return text;
}

std::string IsoDate(const Date& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
  return buffer;
}

std::optional<std::chrono::sys_seconds> ParseUtcMinute(std::string_view text) {
  if (text.size() != 17 || text[10] != 'T' || text[16] != 'Z') return std::nullopt;
  const auto date = ParseIsoDate(text.substr(0, 10));
  const auto time = ParseClockTime(text.substr(11, 5));
  if (!date || !time) return std::nullopt;
  return sys_days{Chrono(*date)} + std::chrono::seconds{*time};
}

std::string UtcMinuteText(std::chrono::sys_seconds instant) {
  const Moment m = MomentOf(std::chrono::local_seconds{instant.time_since_epoch()});
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02dZ", m.date.year, m.date.month,
                m.date.day, m.secondsOfDay / 3600, m.secondsOfDay / 60 % 60);
  return buffer;
}

std::string EnglishDate(const Date& date) {
  // Four digits for the year, as the saver reads no year of three.
  char year[16];
  std::snprintf(year, sizeof year, "%04d", date.year);
  return std::to_string(date.day) + " " + MonthName(date.month) + " " + year;
}

}  // namespace calendar
