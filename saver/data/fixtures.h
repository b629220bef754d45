// Fixture records of the team database and the display texts made from them.
#pragma once

#include <string>

#include "saver/generalcode.h"

namespace tavoria {

// The five lines of one fixture record, in file order.
struct FixtureRecord {
  std::string dateLine;
  std::string captionLine;
  std::string matchLine;
  std::string kickOffLine;
  std::string fifthLine;  // read and not used
};

// What the fixture section has seen so far, for the out-of-date notices.
struct FixtureFlags {
  bool pastSeen = false;
  bool currentStored = false;
};

// The most entries `fixtures` may hold while the database loads, notices included.
inline constexpr int kFixtureCapacity = 100;

// Splits a match line at its first "vs" into the two trimmed names; both stay empty when there is
// no "vs". Throws Failure 5 when "vs" opens or closes the line.
void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam);
// The text of the last special fixture between the line's two teams (in either order) and CR LF,
// or an empty text.
std::string FindSpecialText(GeneralCode& g, const std::string& matchLine);
// The English weekday name of a date written by the user's regional settings. Throws Failure 13.
std::string DayNameOf(GeneralCode& g, const std::string& dateText);

// Drops a past fixture or stores its display text as the next entry of `fixtures`.
void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags);
// Appends the notices asking for an upgrade when some or all fixtures were past.
void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags);

}  // namespace tavoria
