// The one reading of a team database that every program makes: front to back, as the saver loads
// it for a moment and the user's regional settings, deciding where and why reading stops. Each stop
// is told once, as a value; the saver's loader and Kelvane word it in their texts, the makers' tool
// in its longer ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "database/computer.h"
#include "database/database_file.h"
#include "database/fixture_text.h"
#include "util/calendar.h"

namespace database {

// What is wrong where reading stops.
enum class Problem {
  TooNew,         // line 6 names a newer format than this program reads (IsNewerFormat)
  EndsEarly,      // the file ends before the section's terminator
  LineTooLong,    // a line runs past util::TextReader::kLongestLine
  VsAtStart,      // a match line that "vs" opens (special fixture or fixture, by the section)
  VsAtEnd,        // a match line that "vs" closes
  NotADate,       // a fixture's date line, in the regional settings' order
  NotATimeOfDay,  // a fixture's kick-off line
  ListFull,       // an entry beyond its section's list (CapacityOf)
  OutOfMemory,
};

// Where and why reading stops.
struct Stop {
  int line = 0;  // counted from 1
  DatabaseSection section = DatabaseSection::Header;
  Problem problem = Problem::EndsEarly;
  // The file's text concerned, read as the file declares (else as the computer reads its system
  // code page): line 6; the date, kick-off or match line;
  // for a full list, the match line of the special fixture or fixture, or the fact or advert, that
  // does not fit. Empty for the other problems.
  std::string text;
  int code = 0;             // the error number the saver reports; 0 for TooNew
  std::string description;  // the failure's description: "Type mismatch"
};

// A file's text quoted in a message: at most 60 characters of it, shown by `shown` (as the bytes
// are, without it).
std::string Quoted(std::string_view text, std::string (*shown)(std::string_view) = nullptr);

// A special fixture as read, with its match line's number and text.
struct SpecialRead {
  int line = 0;
  std::string matchLine;
  SpecialFixture fixture;
};

// A fixture record as read, and what its composition for the moment made of it.
struct FixtureRead {
  int line = 0;  // its date line's
  FixtureRecord record;
  Composition composition;
};

// What the walk is told and hands over, in file order. Any handler may be left empty.
struct DatabaseWalk {
  // What the file is read for, and by: its moment, regional settings and clock, and how the
  // system reads text that the file does not declare.
  Computer computer;
  std::function<void(const Stop&)> stop;
  // Without this the first stop ends the walk, as it ends the saver's loading. With it the walk
  // goes on where it can keep in step with the file, so every stop is told: after a line over the
  // length limit (taken as an empty line; later stops on that line are not told again), a format
  // too new, a special fixture whose match line "vs" opens or closes (not handed over), a fixture
  // that cannot be composed (counted as one to come when its date could be read) and the first
  // entry beyond a list's capacity (it and the later ones are handed over). The end of the file
  // and a lack of memory always end the walk.
  bool goOn = false;
  // The free line that heads a section, and its number.
  std::function<void(DatabaseSection, int line, const std::string&)> heading;
  std::function<void(const SpecialRead&)> specialFixture;
  std::function<void(const FixtureRead&)> fixture;  // every record, whatever its composition
  std::function<void(const FixtureFlags&)> fixturesEnd;
  std::function<void(const std::string&)> triviaLine;  // the "End Trivia" line last
  std::function<void(const std::string&)> advertLine;  // the "End Ads" line last
};

struct WalkEnd {
  bool complete = false;  // read to its "End Ads" line
  int lastLine = 0;       // the last line read
};

// Reads the database's bytes front to back up to its "End Ads" line, each line read whole as the
// file declares its text (line 5), else by the computer's system code page, before anything looks
// into it. Never throws a Failure or std::bad_alloc: every failure is a stop. What a handler throws
// passes through.
WalkEnd WalkDatabase(std::string_view bytes, const DatabaseWalk& walk);

}  // namespace database
