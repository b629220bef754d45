// The team database "tavoria.sdf": the loader, the database number and the built-in adverts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/text_reader.h"
#include "saver/data/fixtures.h"
#include "saver/generalcode.h"

namespace tavoria {

// Fills the content lists from the database beside the program; never lets a failure escape.
void LoadDatabase(GeneralCode& g);
// The database number on line 4, or -1 when it cannot be read.
std::int16_t GetDatabaseNumber(GeneralCode& g);
// Appends the program's own three advertising texts after the file's adverts.
void AddBuiltInAdverts(GeneralCode& g);
// The report for a failure the program does not know how to handle.
platform::MessageBoxRequest GeneralErrorReport(const platform::Failure& failure);

// Walks a database file exactly as LoadDatabase reads it and throws Failure when it is not a
// complete database: 62 when it ends before "End Ads" or holds a line longer than 64 KiB, 9 when a
// special-fixture, trivia or advert section overflows its list, 5 for a special fixture whose
// "vs" opens or closes its match line, or the platform's own failure when the file cannot be
// opened. Fixture records are not judged: whether one is shown depends on today's date and on the
// user's regional settings. Needs no clock.
void CheckDatabaseComplete(platform::Files& files, const std::string& path);

// ----- the walk shared by the loader and the completeness check ------------------------------

// The most entries each list may hold while the database loads.
inline constexpr int kSpecialCapacity = 10;
inline constexpr int kTriviaCapacity = 100;
inline constexpr int kAdvertCapacity = 100;

// What the walk hands over, section by section, in file order. Any handler may be left empty.
struct DatabaseSections {
  std::function<void(const std::string& line6)> formatVersion;
  std::function<void(const SpecialFixture&)> specialFixture;
  std::function<void(const FixtureRecord&)> fixture;
  std::function<void()> fixturesEnd;
  std::function<void(const std::string&)> triviaLine;  // the "End Trivia" line last
  std::function<void(const std::string&)> advertLine;  // the "End Ads" line last
};

// Reads the database front to back up to its "End Ads" line. Throws Failure: 62 past the end of
// the file or on an over-long line, 9 when a special fixture, trivia or advert would lie beyond
// its list's capacity, 5 from SplitTeams; and whatever a handler throws.
void WalkDatabase(platform::TextReader& file, const DatabaseSections& sections);

}  // namespace tavoria
