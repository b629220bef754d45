// How a fixture record reads on screen at a given moment: dropped when past, or its display text
// with the day name, the special fixture's text above it and the today marker; and the notices
// that ask for an upgrade when fixtures are out of date. Pure: the moment and the regional
// settings are passed in, so the saver, its composition again at midnight and the makers' tool
// agree.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/computer.h"
#include "database/database_file.h"
#include "util/calendar.h"
#include "util/failure.h"

namespace database {

// One record as the saver shows it: dropped as past, or shown with its text.
struct FixtureText {
  bool past = false;
  std::string text;
  bool dueToday = false;  // carries the marker: today, kick-off still ahead
  int kickOff = 0;        // seconds since midnight (when not past)
};

// What the fixture section has seen so far, for the out-of-date notices.
struct FixtureFlags {
  bool pastSeen = false;
  bool currentStored = false;
};

inline constexpr const char* kTodayMarker = " **TODAY!**";

// A line of a fixture record that its composition could not read, and why.
struct RecordFault {
  RecordLine line;
  util::Failure failure;  // 13 for a date or kick-off line, 5 for a match line with "vs" at an end
};

// A record composed for a moment, read as the saver reads it: the date line; then, for a record
// that is not past by its date line, the kick-off line and the match line. A record that carries
// its kick-off's instant, read on a computer whose clock shows it, is then shown from the instant
// on that clock: its date, day and kick-off, the marker and whether it is past by the computer's
// own day and time. Its lines are read all the same, so a line the saver stops on stops every
// computer alike.
struct Composition {
  std::optional<calendar::Date> date;  // none: the date line is no date (nothing more is read)
  bool pastByItsLines = false;         // its date line is before today
  std::optional<FixtureText> shown;    // none when a line could not be read
  std::vector<RecordFault> faults;     // the lines that could not be read, in the order read
};

Composition Compose(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                    const Computer& computer);
// The record as shown at the moment, from its lines. Throws the first fault's failure.
FixtureText ComposeFixture(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                           const calendar::Moment& now, const calendar::RegionalSettings& regional);
// The text of the last special fixture between the line's two teams (in either order) and CR LF,
// or an empty text.
std::string FindSpecialText(const std::vector<SpecialFixture>& specials,
                            const std::string& matchLine);
// The English weekday name of a date written by the user's regional settings. Throws Failure 13.
std::string DayNameOf(const std::string& dateText, const calendar::RegionalSettings& regional);
// The notices appended after the fixtures: none, the "some" notice twice, or the "all" notice.
std::vector<std::string> OutOfDateNotices(const FixtureFlags& flags);

}  // namespace database
