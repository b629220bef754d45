// The saver's own loader run on one database file, as the saver would run it on a given day with
// given regional settings: what it stores, and the report or message it shows instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "saver/data/database_file.h"

namespace tavdb {

struct SaverRun {
  std::vector<tavoria::SpecialFixture> specialFixtures;
  std::vector<std::string> fixtures;
  std::vector<std::string> trivia;   // "End Trivia" as the last counted entry
  std::vector<std::string> adverts;  // the file's ("End Ads" last), then the built-in ones
  int fixtureCount = 0, triviaCount = 0, advertCount = 0;
  // The general error report, when loading ended with one.
  std::optional<platform::MessageBoxRequest> report;
  int reportCode = 0;  // its error code
  // The message shown as the only fixture and fact instead of the content ("" when none).
  std::string substitute;

  bool Clean() const { return !report && substitute.empty(); }
};

// Runs the saver's LoadDatabase and AddBuiltInAdverts on the file at `path`, read through `files`
// (as if it were the saver's "tavoria.sdf"), at the clock's moment.
SaverRun RunSaverLoader(platform::Files& files, const std::string& path,
                        const platform::FixedClock& clock);
// The saver's GetDatabaseNumber on the file: its number, or -1.
int SaverDatabaseNumber(platform::Files& files, const std::string& path);

// The texts the loader shows instead of a database's content.
inline constexpr const char* kNotFoundText =
    "The Tavoria team information database could not be found.";
inline constexpr const char* kNoAccessText = "Could not access database.";
inline constexpr const char* kCorruptedText = "The database is corrupted.";
inline constexpr const char* kTooNewText =
    "The database requires a newer version of this screensaver.";

}  // namespace tavdb
