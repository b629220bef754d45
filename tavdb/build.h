// Building a complete team database from the makers' lists: fixtures in CSV or in the JSON fixture
// format, facts, adverts and special fixtures, all UTF-8. What does not fit the database is an
// error naming its input line; nothing is dropped.
//
// Fixtures, CSV: a header line naming the columns date, time, title, home, away and optionally
//   ground, in any order; then one fixture a line: date YYYY-MM-DD, kick-off HH:MM (24-hour),
//   the caption, the two teams, the ground (the record's fifth line, not shown).
// Fixtures, JSON: {"name": ..., "matches": [{"date": "YYYY-MM-DD", "time": "HH:MM UTC-6",
//   "team1": ..., "team2": ..., "group": ..., "round": ..., "ground": ...}, ...]}: the local
//   kick-off HH:MM, the caption "<name>, <group>" (the round when there is no group).
// Facts, adverts: one a line; blank lines are left out. Blanks around any entry are dropped.
// Special fixtures, CSV: a header line naming home, away and text; one special fixture a line.
//
// Fixtures are put in date and kick-off order (the saver shows them in file order); --limit keeps
// the earliest. Dates are written with the month's English name ("26 March 2027"), kick-offs as
// HH:MM, so every regional setting reads them alike.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "tavdb/diagnostic.h"

namespace tavdb {

struct BuildInput {
  std::string name;  // for messages
  std::string text;  // UTF-8
};

struct BuildOptions {
  BuildInput fixtures;
  std::optional<BuildInput> facts, adverts, specials;
  int number = 0;            // the database number, 0 to 32767
  std::optional<int> limit;  // keep only the earliest fixtures
};

struct BuildResult {
  Diagnostics diagnostics;                  // each names its input file
  std::string database;                     // Windows-1252 with CR LF; empty when there are errors
  std::optional<calendar::Date> firstDate;  // of the earliest fixture
  int specials = 0, fixtures = 0, facts = 0, adverts = 0;
};

BuildResult BuildDatabase(const BuildOptions& options);

}  // namespace tavdb
