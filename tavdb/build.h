// Building a complete team database from the makers' lists: fixtures in CSV or in the JSON fixture
// format, facts, adverts and special fixtures, all UTF-8. What does not fit the database is an
// error naming its input line; nothing is dropped.
//
// Fixtures, CSV: a header line naming the columns date, time, title, home, away and optionally
//   ground, in any order; then one fixture a line: date YYYY-MM-DD, kick-off HH:MM (24-hour),
//   the caption, the two teams, the ground (the record's fifth line, not shown).
// Fixtures, JSON: the layouts of tavdb/fixture_json.h; the caption "<name>, <group>" (the round
//   when there is no group).
// Kick-offs: "HH:MM", or "HH:MM UTC-6" with the offset from UT (in JSON also the older layout's
//   "timezone" field). Written as the list gives them, or, with a fans' zone, moved onto that
//   zone's clock by its rules for the day, the date with them when they cross midnight. Times
//   without an offset are then read on the source zone's clock.
// Matches postponed, cancelled or awarded are left out and counted, and so are the matches without
// a kick-off time when told; otherwise such a match is an error. With teams named, only the
// matches they play are kept. Names for teams not known yet ("W49") are kept with a warning.
// Facts, adverts: one a line; blank lines are left out. Blanks around any entry are dropped.
// Special fixtures, CSV: a header line naming home, away and text; one special fixture a line.
//
// Fixtures are put in date and kick-off order (the saver shows them in file order); --limit keeps
// the earliest. Dates are written with the month's English name ("26 March 2027"), kick-offs as
// HH:MM, so every regional setting reads them alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tavdb/diagnostic.h"
#include "tavdb/zone_info.h"
#include "util/code_page.h"

namespace tavdb {

// The largest input tavdb reads: 8 MiB, far above any fixture list (a World Cup's is under
// 100 KB) and above the most facts or adverts a database holds.
inline constexpr std::size_t kLongestInput = 8 << 20;

struct BuildInput {
  std::string name;  // for messages
  std::string text;  // UTF-8
};

struct BuildOptions {
  BuildInput fixtures;
  std::optional<BuildInput> facts, adverts, specials;
  int number = 0;                       // the database number, 0 to 32767
  std::optional<int> limit;             // keep only the earliest fixtures
  std::vector<std::string> teams;       // keep only the matches these teams play (UTF-8)
  std::optional<NamedZone> fansZone;    // write the kick-offs on this zone's clock
  std::optional<NamedZone> sourceZone;  // the clock of kick-offs written without an offset
  // A match without a kick-off time is an error, unless it is left out or given this time of day
  // (in seconds, on the fans' clock).
  bool skipWithoutTime = false;
  std::optional<int> timeWithoutTime;
  // The encoding of the database's text; none: Windows-1252 when every text fits it, else UTF-8.
  std::optional<codepage::Encoding> codePage;
};

// The matches of the list that are not written, by why.
struct LeftOut {
  int postponed = 0, cancelled = 0, awarded = 0, withoutTime = 0;
};

struct BuildResult {
  Diagnostics diagnostics{kShownPerFile};  // each names its input file
  std::string database;                    // CR LF lines; empty when there are errors
  codepage::Encoding encoding = codepage::Encoding::Windows1252;  // of its text
  std::optional<calendar::Date> firstDate;                        // of the earliest fixture
  int specials = 0, fixtures = 0, facts = 0, adverts = 0;
  LeftOut leftOut;  // of the teams' matches, with teams named
  // With teams named: the other matches with a team not known yet, which may become theirs.
  int notKnownYet = 0;
  std::vector<std::string> teamNames;  // the teams named, as the list writes them
  // A fault of the command rather than of the files (a fans' zone for times with no offset and
  // no source zone): nothing else is said.
  std::optional<std::string> usageProblem;
};

BuildResult BuildDatabase(const BuildOptions& options);

}  // namespace tavdb
