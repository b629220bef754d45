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

// The zone abbreviations fixture lists write after a kick-off, each with its one offset from UT in
// minutes; BST is British Summer Time, CDT North America's Central Daylight Time. Those with two
// common meanings are in kAmbiguous instead.
struct Abbreviation {
  const char* name;
  int minutes;
};
// clang-format off
constexpr Abbreviation kAbbreviations[] = {
    {"GMT", 0},     {"UT", 0},      {"Z", 0},       {"WET", 0},     {"WEST", 60},
    {"BST", 60},    {"CET", 60},    {"CEST", 120},  {"EET", 120},   {"EEST", 180},
    {"MSK", 180},   {"TRT", 180},   {"WAT", 60},    {"CAT", 120},   {"SAST", 120},
    {"EAT", 180},   {"GST", 240},   {"PKT", 300},   {"HKT", 480},   {"SGT", 480},
    {"AWST", 480},  {"JST", 540},   {"KST", 540},   {"ACST", 570},  {"ACDT", 630},
    {"AEST", 600},  {"AEDT", 660},  {"NZST", 720},  {"NZDT", 780},  {"NST", -210},
    {"NDT", -150},  {"ADT", -180},  {"EST", -300},  {"EDT", -240},  {"CDT", -300},
    {"MST", -420},  {"MDT", -360},  {"PST", -480},  {"PDT", -420},  {"AKST", -540},
    {"AKDT", -480}, {"HST", -600},  {"ART", -180},  {"BRT", -180},  {"UYT", -180},
    {"CLT", -240},  {"CLST", -180}, {"COT", -300},  {"PET", -300},
};
// clang-format on

// Abbreviations with two or more common meanings, and what they may mean.
struct Ambiguous {
  const char* name;
  const char* meanings;
};
constexpr Ambiguous kAmbiguous[] = {
    {"IST", "Irish, Indian or Israel Standard Time"},
    {"CST", "Central Standard Time in North America, China or Cuba"},
    {"AST", "Atlantic or Arabia Standard Time"},
    {"BT", "Baghdad or Bhutan Time"},
    {"ECT", "Ecuador or Eastern Caribbean Time"},
};

const Ambiguous* AmbiguousNamed(std::string_view text) {
  for (const Ambiguous& a : kAmbiguous)
    if (text == a.name) return &a;
  return nullptr;
}

std::optional<seconds> NamedOffset(std::string_view text) {
  for (const Abbreviation& a : kAbbreviations)
    if (text == a.name) return minutes{a.minutes};
  return std::nullopt;
}

}  // namespace

std::optional<std::chrono::seconds> ParseUtcOffset(std::string_view text, std::string* problem) {
  if (const Ambiguous* a = AmbiguousNamed(text)) {
    if (problem)
      *problem = "the zone abbreviation \"" + std::string(text) + "\" has more than one meaning (" +
                 a->meanings + "): write the offset from UT instead, such as UTC+1";
    return std::nullopt;
  }
  if (const auto named = NamedOffset(text)) return named;
  if (!text.starts_with("UTC") && !text.starts_with("GMT")) return std::nullopt;
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

std::optional<KickOffTime> ParseKickOff(std::string_view text, std::string* problem) {
  const auto time = calendar::ParseClockTime(text.substr(0, 5));
  if (!time) return std::nullopt;
  if (text.size() == 5) return KickOffTime{*time, std::nullopt};
  if (text[5] != ' ') return std::nullopt;
  const auto offset = ParseUtcOffset(text::Trim(text.substr(6)), problem);
  if (!offset) return std::nullopt;
  return KickOffTime{*time, *offset};
}

PlacedKickOff InstantOf(const calendar::Moment& written, const SourceClock& source) {
  const local_seconds local = LocalOf(written);
  if (source.utcOffset) return {sys_seconds{local.time_since_epoch() - *source.utcOffset}, ""};
  const std::string when =
      calendar::IsoDate(written.date) + " " + calendar::ClockText(written.secondsOfDay);
  try {
    const tz::UtcInstant found = source.zone->ToUtc(local);
    if (found.instant) return {found.instant, ""};
    return {std::nullopt, "the kick-off " + when + " does not exist in " + source.zoneName +
                              ": the clocks go forward over it"};
  } catch (const std::out_of_range&) {
    return {std::nullopt,
            "the kick-off " + when + " falls outside the years 1 to 9999 in " + source.zoneName};
  }
}

FansKickOff OnFansClock(sys_seconds instant, const tz::TimeZone& fans,
                        const std::string& fansZoneName, const calendar::Moment& written) {
  try {
    if (const auto moment = MomentOf(fans.ToLocal(instant))) return {moment, ""};
  } catch (const std::out_of_range&) {
  }
  return {std::nullopt, "the kick-off " + calendar::IsoDate(written.date) + " " +
                            calendar::ClockText(written.secondsOfDay) +
                            " falls outside the years 1 to 9999 in " + fansZoneName};
}

}  // namespace tavdb
