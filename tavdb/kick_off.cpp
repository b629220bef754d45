#include "tavdb/kick_off.h"

#include <cstdio>
#include <stdexcept>

#include "util/text.h"

namespace tavdb {

namespace {

using std::chrono::days;
using std::chrono::floor;
using std::chrono::hours;
using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_seconds;

constexpr hours kWidestOffset{14};

std::optional<int> Digits(std::string_view text, std::size_t least, std::size_t most) {
  if (text.size() < least || text.size() > most) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (!text::IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

local_seconds LocalOf(const calendar::Moment& moment) {
  const std::chrono::year_month_day day{
      std::chrono::year{moment.date.year},
      std::chrono::month{static_cast<unsigned>(moment.date.month)},
      std::chrono::day{static_cast<unsigned>(moment.date.day)}};
  return local_days{day} + seconds{moment.secondsOfDay};
}

std::optional<calendar::Moment> MomentOf(local_seconds local) {
  const local_days day = floor<days>(local);
  const std::chrono::year_month_day date{day};
  const calendar::Moment moment{
      {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
       static_cast<int>(static_cast<unsigned>(date.day()))},
      static_cast<int>(floor<minutes>(local - day).count() * 60)};
  if (!calendar::IsCalendarDate(moment.date.year, moment.date.month, moment.date.day))
    return std::nullopt;
  return moment;
}

}  // namespace

std::optional<std::chrono::seconds> ParseUtcOffset(std::string_view text) {
  if (!text.starts_with("UTC")) return std::nullopt;
  text.remove_prefix(3);
  if (text.empty()) return seconds{0};
  if (text[0] != '+' && text[0] != '-') return std::nullopt;
  const bool west = text[0] == '-';
  text.remove_prefix(1);
  const std::size_t colon = text.find(':');
  const auto h = Digits(text.substr(0, colon), 1, 2);
  const auto m = colon == std::string_view::npos ? std::optional<int>(0)
                                                 : Digits(text.substr(colon + 1), 2, 2);
  if (!h || !m || *m > 59) return std::nullopt;
  const seconds offset = hours{*h} + minutes{*m};
  if (offset > kWidestOffset) return std::nullopt;
  return west ? -offset : offset;
}

std::optional<KickOffTime> ParseKickOff(std::string_view text) {
  const auto time = calendar::ParseClockTime(text.substr(0, 5));
  if (!time) return std::nullopt;
  if (text.size() == 5) return KickOffTime{*time, std::nullopt};
  if (text[5] != ' ') return std::nullopt;
  const auto offset = ParseUtcOffset(text::Trim(text.substr(6)));
  if (!offset) return std::nullopt;
  return KickOffTime{*time, *offset};
}

std::string ClockText(int secondsOfDay) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", secondsOfDay / 3600 % 24, secondsOfDay / 60 % 60);
  return text;
}

FansKickOff ToFansClock(const calendar::Moment& written, const SourceClock& source,
                        const tz::TimeZone& fans, const std::string& fansZoneName) {
  const local_seconds local = LocalOf(written);
  const std::string when = calendar::IsoDate(written.date) + " " + ClockText(written.secondsOfDay);
  try {
    sys_seconds instant;
    if (source.utcOffset) {
      instant = sys_seconds{local.time_since_epoch() - *source.utcOffset};
    } else {
      const tz::UtcInstant found = source.zone->ToUtc(local);
      if (!found.instant)
        return {std::nullopt, "the kick-off " + when + " does not exist in " + source.zoneName +
                                  ": the clocks go forward over it"};
      instant = *found.instant;
    }
    if (const auto moment = MomentOf(fans.ToLocal(instant))) return {moment, ""};
  } catch (const std::out_of_range&) {
  }
  return {std::nullopt,
          "the kick-off " + when + " falls outside the years 1 to 9999 in " + fansZoneName};
}

}  // namespace tavdb
