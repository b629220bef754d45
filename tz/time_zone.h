// Time zones from the IANA database's compiled files (TZif, as installed under
// /usr/share/zoneinfo): the local time of an instant in a zone and the instant of a local time,
// by the zone's own rules for that date. The caller reads the files; this unit only reads their
// bytes.
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

// A zone file's bytes that are not a TZif file this reader takes; what() says what is wrong.
class ZoneFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LocalTimeType {
  std::chrono::seconds utOffset{0};  // east of Greenwich
  bool isDst = false;                // negative in Europe/Dublin's winter
  std::string abbreviation;          // "BST", "-03"
};

// Where a local time falls: shown once, never (clocks go forward over it) or twice (clocks go back
// over it).
enum class LocalTimeKind { Unique, Skipped, Repeated };

struct UtcInstant {
  LocalTimeKind kind = LocalTimeKind::Unique;
  // The instant showing the local time, the earlier of the two when it is repeated; none when it
  // is skipped.
  std::optional<std::chrono::sys_seconds> instant;
};

// A day of the year in one of the POSIX forms "Jn", "n" and "Mm.w.d", with the local time of the
// change on it.
struct RuleDay {
  enum class Form { JulianNoLeapDay, ZeroBasedDay, MonthWeekDay };
  Form form = Form::MonthWeekDay;
  int day = 0;                          // 1-365 for "Jn", 0-365 for "n", the weekday 0-6 for "M"
  int month = 0;                        // "Mm.w.d" only
  int week = 0;                         // 1-5, 5 the last
  std::chrono::seconds time{2 * 3600};  // -167 to 167 hours
};

// A zone file's footer: the POSIX TZ rule ("GMT0BST,M3.5.0/1,M10.5.0") the zone keeps to.
struct FooterRule {
  LocalTimeType standard;
  struct Daylight {
    LocalTimeType type;
    RuleDay start, end;
  };
  std::optional<Daylight> daylight;
};

// From `at` on, the zone keeps to its local time type number `type`.
struct Transition {
  std::chrono::sys_seconds at;
  std::size_t type;
};

class TimeZone {
 public:
  // Versions 1 to 4; the 64-bit data of version 2 on, and its footer's rule for every instant
  // after the last transition. Throws ZoneFileError.
  static TimeZone FromTzif(std::string_view bytes);

  // The conversions take instants and local times of the years -9999 to 9999 and throw
  // std::out_of_range for others.
  const LocalTimeType& TypeAt(std::chrono::sys_seconds instant) const;
  std::chrono::seconds OffsetAt(std::chrono::sys_seconds instant) const {
    return TypeAt(instant).utOffset;
  }
  std::chrono::local_seconds ToLocal(std::chrono::sys_seconds instant) const;
  UtcInstant ToUtc(std::chrono::local_seconds local) const;

 private:
  // The type in effect from an instant on.
  struct Change {
    std::chrono::sys_seconds at;
    const LocalTimeType* type;
  };

  // The type in effect at `from` (as a change at `from`), then each change up to `to`.
  std::vector<Change> ChangesBetween(std::chrono::sys_seconds from,
                                     std::chrono::sys_seconds to) const;
  std::vector<Change> TransitionsBetween(std::chrono::sys_seconds from,
                                         std::chrono::sys_seconds to) const;
  std::vector<Change> RuleChangesBetween(std::chrono::sys_seconds from,
                                         std::chrono::sys_seconds to) const;

  std::vector<Transition> transitions_;
  std::vector<LocalTimeType> types_;
  std::optional<FooterRule> rule_;  // the footer's, from the last transition on
};

// The zone file's path under the zoneinfo folder for an IANA name such as "Europe/London" or
// "Etc/GMT+5": components of letters, digits, '_', '-' and '+' between single slashes, none
// naming a Windows device. None for anything else.
std::optional<std::string> ZoneFilePath(std::string_view name);

// The version of the database from tzdata.zi's first line ("# version 2025b"), or none.
std::optional<std::string> TzdataVersion(std::string_view tzdataZi);

}  // namespace tz
