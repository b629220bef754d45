// The team database loaded as the saver loads it, from the file's bytes, for a moment and the
// user's regional settings: the special fixtures, the fixture texts of that moment with the
// out-of-date notices, the facts and the adverts, and where and why loading stopped, all from the
// one walk of the file (database/walk.h). The saver shows what this returns, Kelvane refuses what
// the saver would stop on, and the makers' tool shows what the saver will do.
//
// No files, windows or message boxes: failures to open the file stay with the caller
// (DatabaseNotRead), and the saver turns a stop into its report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/database_file.h"
#include "database/walk.h"
#include "util/calendar.h"
#include "util/failure.h"

namespace database {

// Where and why loading stopped, in the loader's words.
struct LoadError {
  int code = 0;             // the error number; 0 for a format newer than this program reads
  int line = 0;             // the line of the file the stop concerns (counted from 1; 0: none)
  std::string description;  // as the general error report gives it: "Type mismatch"
  bool tooNew = false;      // line 6 names a newer format than this program reads
  // What is wrong there, for people: `kick-off "7.45pm" is not a time of day`. Quotes the file's
  // own text (its code page's bytes).
  std::string reason;
};

// The fixture records behind the texts, kept so the texts can be composed again for a later
// moment: after midnight yesterday's go and today's carry the marker; after a marked kick-off
// the marker goes.
struct FixtureRecords {
  std::vector<FixtureRecord> records;   // the records not past at load, in file order
  bool pastAtLoad = false;              // some records were past at load
  bool complete = false;                // read to "End Fixtures": the texts can be composed again
  calendar::RegionalSettings regional;  // the settings the records were read with
};

// The fixture texts at a moment: each record not past, in file order, then the notices.
struct FixtureTexts {
  std::vector<std::string> texts;
  // For each text: its record's index, or the number of records + n for notice n.
  std::vector<std::size_t> sources;
  // The earliest kick-off, in seconds of the day, of a fixture that carries the today marker.
  std::optional<int> markerEnds;
  calendar::Moment composedFor;  // the moment the texts were composed for
};

// The database as loaded: what the saver shows, and what it composes the fixture texts from again.
struct LoadedDatabase {
  std::vector<SpecialFixture> specialFixtures;
  FixtureTexts fixtures;             // shown in order
  std::vector<std::string> trivia;   // "End Trivia" last, when read
  std::vector<std::string> adverts;  // "End Ads" last, when read
  FixtureRecords fixtureRecords;
  // None when the whole database loaded. Otherwise the lists hold what was read before the stop,
  // except that the fixtures and the facts are the one text shown in place of the content for an
  // error that has one (TextInsteadOfContent).
  std::optional<LoadError> error;

  // What a draw may pick: the facts, and the file's adverts, each list without its terminator.
  std::span<const std::string> Facts() const;
  std::span<const std::string> Adverts() const;
};

// Reads the database front to back to its "End Ads" line, as the saver does: each fixture record
// dropped as past or composed for the moment, the notices after the fixtures, and the lists held
// within their capacities. Never throws: every failure is the result's error.
LoadedDatabase Load(std::string_view bytes, const Computer& computer);
// On a computer that shows every fixture as its lines are written and keeps undeclared text as
// its bytes.
LoadedDatabase Load(std::string_view bytes, const calendar::Moment& now,
                    const calendar::RegionalSettings& regional);
// What the saver holds when the database file cannot be read at all (not found, no access...).
LoadedDatabase DatabaseNotRead(const util::Failure& failure);

// The same records' texts at another moment, read with the same regional settings, without the
// capacity of loading; a fixture that carries its instant on the clock `localMomentOf` shows it.
FixtureTexts ComposeFixtureTexts(const FixtureRecords& records,
                                 const std::vector<SpecialFixture>& specials,
                                 const calendar::Moment& now,
                                 const LocalMomentOf& localMomentOf = {});

// How the loader words a stop: its error, with `kick-off "7.45pm" is not a time of day` as reason.
LoadError LoadErrorOf(const Stop& stop);

// The text the saver shows as its only fixture and its only fact in place of a database it cannot
// use: not found (53), no access (52, 76), damaged (62) or too new; none for other errors, which
// the saver reports in its general error report over what was read.
std::optional<std::string> TextInsteadOfContent(const LoadError& error);

// The program's own three advertising texts, which the saver adds after the file's adverts.
std::vector<std::string> BuiltInAdverts();

// The database number as the upgrade check reads it: the fourth comma- or line-separated field
// (line 4 of a database whose first lines hold no comma), to the nearest whole number, a value
// exactly halfway going to the even neighbour; none when there is no such field or it is no number
// from -32768 to 32767.
std::optional<std::int16_t> DatabaseNumber(std::string_view bytes);

// The most bytes a team database may have, 1 MiB (real ones are 7 to 50 KB), and the most of a
// database file any program reads: Kelvane refuses a larger upgrade, tavdb check and build call
// a larger database an error, and the saver reads a larger file as far as that, as damaged when
// its "End Ads" line lies beyond.
inline constexpr std::size_t kLongestDatabase = 1024 * 1024;

}  // namespace database
