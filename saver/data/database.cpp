#include "saver/data/database.h"

#include <new>
#include <optional>

#include "platform/text.h"
#include "platform/text_reader.h"
#include "saver/data/database_file.h"
#include "saver/data/fixtures.h"
#include "saver/failures.h"
#include "saver/identity.h"

namespace tavoria {

namespace {

// Line 6 of the database names a newer format than this program reads.
struct DatabaseTooNew {};

// What the saver shows, as its only fixture and its only fact, when the database cannot be used.
void ShowInsteadOfContent(GeneralCode& g, const std::string& message) {
  g.fixtures.assign(1, message);
  g.trivia.assign(1, message);
  g.fixtureCount = g.triviaCount = 1;
  g.shownFixtures = {};
}

void ReadLists(GeneralCode& g) {
  platform::TextReader file(g.sys.files, g.PathBesideProgram(DATABASE_FILE));
  FixtureFlags flags;
  const FixtureClock now = FixtureClockNow(g);
  WalkDatabase(file, {
                         .formatVersion =
                             [](const std::string& line6) {
                               // Compared by character codes: "3" and "2.1" are too new, "10" and
                               // "" not.
                               if (line6 > APP_VERSION) throw DatabaseTooNew{};
                             },
                         .specialFixture =
                             [&](const SpecialFixture& special) {
                               g.specialFixtures.push_back(special);
                               ++g.specialCount;
                             },
                         .fixture =
                             [&](const FixtureRecord& record) {
                               ProcessFixtureRecord(g, record, flags, now);
                             },
                         .fixturesEnd = [&] { AddOutOfDateNotices(g, flags, now); },
                         .triviaLine =
                             [&](const std::string& line) {
                               g.trivia.push_back(line);
                               ++g.triviaCount;
                             },
                         .advertLine =
                             [&](const std::string& line) {
                               g.adverts.push_back(line);
                               ++g.advertCount;
                             },
                     });
}

}  // namespace

void LoadDatabase(GeneralCode& g) {
  g.specialFixtures.clear();
  g.fixtures.clear();
  g.trivia.clear();
  g.adverts.clear();
  g.specialFixtures.reserve(kSpecialCapacity);
  g.fixtures.reserve(kFixtureCapacity);
  g.trivia.reserve(kTriviaCapacity);
  g.adverts.reserve(kAdvertCapacity + 3);
  g.specialCount = g.fixtureCount = g.triviaCount = g.advertCount = 0;
  g.shownFixtures = {};
  try {
    ReadLists(g);
  } catch (const DatabaseTooNew&) {
    ShowInsteadOfContent(g, "The database requires a newer version of this screensaver.");
  } catch (const platform::Failure& failure) {
    switch (failure.code()) {
      case platform::codes::kFileNotFound:
        ShowInsteadOfContent(g, "The Tavoria team information database could not be found.");
        break;
      case platform::codes::kBadFileName:
      case platform::codes::kPathNotFound:
        ShowInsteadOfContent(g, "Could not access database.");
        break;
      case platform::codes::kInputPastEnd:
        ShowInsteadOfContent(g, "The database is corrupted.");
        break;
      default:
        g.sys.desktop.ShowMessage(GeneralErrorReport(failure));
    }
  } catch (const std::bad_alloc&) {
    g.sys.desktop.ShowMessage(GeneralErrorReport(platform::Failure(7, "Out of memory")));
  }
}

std::int16_t GetDatabaseNumber(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(DATABASE_FILE));
    std::string field;
    for (int n = 1; n <= 4; ++n) field = file.ReadField();
    // The nearest whole number, halves to the even neighbour, within 16 bits.
    const auto number = text::WholeDecimal(field, {.exponent = false});
    const auto value = number ? text::RoundHalfEven(*number, 0, 32768) : std::nullopt;
    if (!value || *value > 32767) return -1;
    return static_cast<std::int16_t>(*value);
  } catch (const platform::Failure&) {
    return -1;
  }
}

void AddBuiltInAdverts(GeneralCode& g) {
  g.adverts.resize(static_cast<std::size_t>(g.advertCount));
  g.adverts.push_back(FRIENDLY_URL);
  g.adverts.push_back(std::string("Check out ") + SCREENSAVER_NAME + " site at" + text::kCrLf +
                      HOMEPAGE_URL + " now!");
  g.adverts.push_back(std::string("Get free upgrades for ") + SCREENSAVER_NAME + " at " +
                      text::kCrLf + HOMEPAGE_URL + text::kCrLf +
                      "(Also check out the screensaver setup screen)");
}

}  // namespace tavoria
