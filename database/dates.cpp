#include "database/dates.h"

#include <optional>
#include <string_view>
#include <vector>

#include "util/failure.h"
#include "util/text.h"

namespace database {

namespace {

using calendar::Date;
using calendar::DateOrder;
using calendar::IsCalendarDate;

[[noreturn]] void NotADateOrTime() {
  throw util::Failure(util::codes::kTypeMismatch, "Type mismatch");
}

using text::IsBlank;
using text::IsDigit;
using text::IsLetter;

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}

// The value of one to four digits.
int Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

int DayOrMonth(std::string_view part) {
  if (!AllDigits(part) || part.size() > 2) NotADateOrTime();
  return Number(part);
}

int Year(std::string_view part, int twoDigitYearMax) {
  if (!AllDigits(part) || (part.size() != 2 && part.size() != 4)) NotADateOrTime();
  const int year = Number(part);
  if (part.size() == 4) return year;
  const int placed = twoDigitYearMax / 100 * 100 + year;
  return placed > twoDigitYearMax ? placed - 100 : placed;
}

// 1 to 12 for an English month name or its first three letters ("Sept" too), else none.
std::optional<int> MonthNamed(std::string_view word) {
  const std::string lower = text::LowerCase(word);
  for (int month = 1; month <= 12; ++month) {
    const std::string name = text::LowerCase(calendar::MonthName(month));
    if (lower == name || lower == name.substr(0, 3)) return month;
  }
  if (lower == "sept") return 9;
  return std::nullopt;
}

Date Checked(int year, int month, int day) {
  if (!IsCalendarDate(year, month, day)) NotADateOrTime();
  return {year, month, day};
}

Date NumericDate(std::string_view text, DateOrder order, int yearMax) {
  const auto first = text.find_first_not_of("0123456789");
  if (first == std::string_view::npos) NotADateOrTime();
  const char separator = text[first];
  if (separator != '/' && separator != '-' && separator != '.') NotADateOrTime();
  const auto parts = text::Split(text, separator);
  if (parts.size() != 3) NotADateOrTime();
  for (auto part : parts)
    if (!AllDigits(part)) NotADateOrTime();
  if (parts[0].size() == 4 || order == DateOrder::YearMonthDay)
    return Checked(Year(parts[0], yearMax), DayOrMonth(parts[1]), DayOrMonth(parts[2]));
  if (order == DateOrder::MonthDayYear)
    return Checked(Year(parts[2], yearMax), DayOrMonth(parts[0]), DayOrMonth(parts[1]));
  return Checked(Year(parts[2], yearMax), DayOrMonth(parts[1]), DayOrMonth(parts[0]));
}

Date NamedMonthDate(std::string_view text, int yearMax) {
  // Words and numbers, split at blanks, commas, dashes, slashes and full stops.
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsBlank(c) || c == ',' || c == '-' || c == '/' || c == '.') {
      ++i;
      continue;
    }
    std::size_t end = i;
    if (IsDigit(c)) {
      while (end < text.size() && IsDigit(text[end])) ++end;
    } else if (IsLetter(c)) {
      while (end < text.size() && IsLetter(text[end])) ++end;
    } else {
      NotADateOrTime();
    }
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  if (words.size() != 3) NotADateOrTime();
  const auto month = [&](std::size_t i) {
    const auto named = MonthNamed(words[i]);
    if (!named) NotADateOrTime();
    return *named;
  };
  if (IsLetter(words[0][0]))
    return Checked(Year(words[2], yearMax), month(0), DayOrMonth(words[1]));
  if (!IsLetter(words[1][0])) NotADateOrTime();
  if (words[0].size() == 4) return Checked(Year(words[0], yearMax), month(1), DayOrMonth(words[2]));
  return Checked(Year(words[2], yearMax), month(1), DayOrMonth(words[0]));
}

}  // namespace

Date ParseDate(const std::string& text, const calendar::RegionalSettings& regional) {
  const std::string_view date = text::Trim(text);
  for (char c : date)
    if (IsLetter(c)) return NamedMonthDate(date, regional.twoDigitYearMax);
  return NumericDate(date, regional.dateOrder, regional.twoDigitYearMax);
}

int ParseTimeOfDay(const std::string& text) {
  std::string_view time = text::Trim(text);
  int twelveHourClock = 0;  // 0 for the 24-hour clock, else 1 for AM and 2 for PM
  if (time.size() >= 2) {
    const std::string suffix = text::UpperCase(time.substr(time.size() - 2));
    if (suffix == "AM" || suffix == "PM") {
      twelveHourClock = suffix == "AM" ? 1 : 2;
      time = text::Trim(time.substr(0, time.size() - 2));
    }
  }
  const auto parts = text::Split(time, ':');
  if (parts.size() > 3 || (parts.size() == 1 && !twelveHourClock)) NotADateOrTime();
  if (!AllDigits(parts[0]) || parts[0].size() > 2) NotADateOrTime();
  int hours = Number(parts[0]);
  int minutes = 0, seconds = 0;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!AllDigits(parts[i]) || parts[i].size() != 2) NotADateOrTime();
    const int value = Number(parts[i]);
    if (value > 59) NotADateOrTime();
    (i == 1 ? minutes : seconds) = value;
  }
  if (twelveHourClock) {
    if (hours < 1 || hours > 12) NotADateOrTime();
    hours = hours % 12 + (twelveHourClock == 2 ? 12 : 0);
  } else if (hours > 23) {
    NotADateOrTime();
  }
  return hours * 3600 + minutes * 60 + seconds;
}

}  // namespace database
