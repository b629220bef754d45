// The team database file: its records, its sections read front to back, and the check that a file
// is a whole database. Nothing here depends on the running saver, so the saver's loader, Kelvane
// and the makers' tool all read a database exactly alike.
//
// The file, one item a line: the devname, two free lines, the database number, a free line, the
// format version, a free line; special fixtures (a match line and a text each) up to "End special
// fixtures"; a free line; fixtures (five lines each) up to "End Fixtures"; a free line; one fact a
// line up to "End Trivia"; a free line; one advert a line up to "End Ads". Nothing after that is
// read. Terminators match whole lines exactly.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "util/failure.h"
#include "util/text_reader.h"

namespace database {

inline constexpr const char* kEndSpecialFixtures = "End special fixtures";
inline constexpr const char* kEndFixtures = "End Fixtures";
inline constexpr const char* kEndTrivia = "End Trivia";
inline constexpr const char* kEndAds = "End Ads";

// The most entries each list may hold while the database loads. The fixture list holds this many
// fixtures to come, and has room for the out-of-date notices after them besides, so a database
// that loads one day loads on every later day; the trivia and advert lists count their
// terminator.
inline constexpr int kSpecialCapacity = 10;
inline constexpr int kFixtureCapacity = 100;
inline constexpr int kTriviaCapacity = 100;
inline constexpr int kAdvertCapacity = 100;

// A special fixture: the text shown above every fixture between its two teams.
struct SpecialFixture {
  std::string text;
  std::string homeTeam;
  std::string awayTeam;
};

// The five lines of one fixture record, in file order.
struct FixtureRecord {
  std::string dateLine;
  std::string captionLine;
  std::string matchLine;
  std::string kickOffLine;
  std::string fifthLine;  // read and not used
};

// Splits a match line at its first "vs" into the two names, spaces trimmed; both stay empty when
// there is no "vs". Throws Failure 5 when "vs" opens or closes the line.
void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam);

// The parts of the file, in file order: lines 1 to 6, then the four sections, each from the free
// line that heads it (line 7 for the special fixtures) to its terminator.
enum class DatabaseSection { Header, SpecialFixtures, Fixtures, Trivia, Adverts };

// What the walk hands over, section by section, in file order. Any handler may be left empty.
struct DatabaseSections {
  std::function<void(const std::string& line6)> formatVersion;
  std::function<void(const SpecialFixture&)> specialFixture;
  std::function<void(const FixtureRecord&)> fixture;
  std::function<void()> fixturesEnd;
  std::function<void(const std::string&)> triviaLine;  // the "End Trivia" line last
  std::function<void(const std::string&)> advertLine;  // the "End Ads" line last
  // Told as the walk comes to each part, before reading its first line (its heading).
  std::function<void(DatabaseSection)> enters;
  // When set, the faults after which the walk can keep in step with the file come here instead of
  // ending the walk, and the walk goes on: a line over the length limit (taken as an empty line), a
  // special fixture whose "vs" opens or closes its match line (not handed over), and the first
  // entry beyond a list's capacity (it and the later ones are handed over). The saver stops at the
  // first fault; the makers' tool lists them all this way.
  std::function<void(const util::Failure&)> fault;
};

// Reads the database front to back up to its "End Ads" line. Throws Failure: 62 past the end of
// the file or on an over-long line, 9 when a special fixture, trivia or advert would lie beyond
// its list's capacity, 5 from SplitTeams; and whatever a handler throws.
void WalkDatabase(util::TextReader& file, const DatabaseSections& sections);

// Walks a database as the loader reads it and throws Failure when it is not a complete database:
// 62 when it ends before "End Ads" or holds a line longer than 64 KiB, 9 when a special-fixture,
// trivia or advert section overflows its list, 5 for a special fixture whose "vs" opens or closes
// its match line. Fixture records are not judged: whether one is shown depends on the day and on
// the user's regional settings.
void CheckDatabaseComplete(std::string_view bytes);

}  // namespace database
