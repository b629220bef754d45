#include "tavdb/calendar.h"

#include <array>
#include <cstdio>

#include "platform/text.h"
#include "saver/data/dates.h"

namespace tavdb {

namespace {

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

std::optional<platform::Date> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = Digits(text.substr(0, 4));
  const auto month = Digits(text.substr(5, 2));
  const auto day = Digits(text.substr(8, 2));
  if (!year || !month || !day || !tavoria::IsCalendarDate(*year, *month, *day)) return std::nullopt;
  return platform::Date{*year, *month, *day};
}

std::optional<int> ParseClockTime(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  const auto hours = Digits(text.substr(0, 2));
  const auto minutes = Digits(text.substr(3, 2));
  if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
  return (*hours * 60 + *minutes) * 60;
}

std::string IsoDate(const platform::Date& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
  return buffer;
}

std::string EnglishDate(const platform::Date& date) {
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  // Four digits for the year, as the saver reads no year of three.
  char year[16];
  std::snprintf(year, sizeof year, "%04d", date.year);
  return std::to_string(date.day) + " " + kMonths[static_cast<std::size_t>(date.month - 1)] + " " +
         year;
}

platform::Date NextDay(const platform::Date& date) {
  if (tavoria::IsCalendarDate(date.year, date.month, date.day + 1))
    return {date.year, date.month, date.day + 1};
  if (date.month < 12) return {date.year, date.month + 1, 1};
  return {date.year + 1, 1, 1};
}

}  // namespace tavdb
