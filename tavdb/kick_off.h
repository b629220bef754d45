// Kick-off times as fixture lists write them ("13:00", "13:00 UTC-6", "19:30 UTC+5:30"), and a
// kick-off moved from the clock it was written on to the fans' own clock.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "tz/time_zone.h"
#include "util/calendar.h"

namespace tavdb {

struct KickOffTime {
  int secondsOfDay = 0;
  std::optional<std::chrono::seconds> utcOffset;  // east of Greenwich: "UTC-6" is -6 hours
};

// "HH:MM" on the 24-hour clock, alone or followed by a blank and an offset; none for anything
// else.
std::optional<KickOffTime> ParseKickOff(std::string_view text, std::string* problem = nullptr);
// "UTC", "UTC+1", "UTC-4", "UTC+05:30" (or "GMT..."): up to 14 hours either side; or a zone
// abbreviation of the table in kick_off.cpp ("CET", "CEST", "EDT"), each with its one offset. None
// for anything else; for an abbreviation with two common meanings ("IST", "CST"), `problem` says
// so.
std::optional<std::chrono::seconds> ParseUtcOffset(std::string_view text,
                                                   std::string* problem = nullptr);

// Where a kick-off written on one clock was: the fixed offset it names, or the rules of a zone.
struct SourceClock {
  std::optional<std::chrono::seconds> utcOffset;
  const tz::TimeZone* zone = nullptr;  // used when there is no offset
  std::string zoneName;                // for messages
};

// The instant of a kick-off written on its clock, or why there is none. A local time that exists
// twice in the source zone (the clocks go back over it) is taken at its first instant.
struct PlacedKickOff {
  std::optional<std::chrono::sys_seconds> instant;
  std::string problem;  // "... does not exist in Europe/Berlin: ...": the error's text
};
PlacedKickOff InstantOf(const calendar::Moment& written, const SourceClock& source);

// The kick-off on the fans' clock, or why there is none.
struct FansKickOff {
  std::optional<calendar::Moment> moment;
  std::string problem;  // the error's text
};
// `written`: the kick-off as the list writes it, for the message.
FansKickOff OnFansClock(std::chrono::sys_seconds instant, const tz::TimeZone& fans,
                        const std::string& fansZoneName, const calendar::Moment& written);

}  // namespace tavdb
