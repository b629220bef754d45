#include "saver/data/database.h"

#include <new>

#include "platform/whole_file.h"
#include "saver/data/fixtures.h"
#include "saver/failures.h"
#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

namespace {

std::int16_t Count(std::size_t entries) {
  return static_cast<std::int16_t>(entries);
}

// The database's text, read in the system's code page.
std::string ReadDatabaseFile(SaverState& saver) {
  return saver.sys.desktop.TextOfSystemCodePage(platform::ReadFile(
      saver.sys.files, saver.PathBesideProgram(DATABASE_FILE), database::kLongestDatabase));
}

}  // namespace

void LoadDatabase(SaverState& saver) {
  const calendar::Moment now = saver.sys.clock.Now();
  const calendar::RegionalSettings regional = saver.sys.clock.Regional();
  database::LoadedDatabase loaded;
  std::optional<util::Failure> report;  // what the general error report tells of
  try {
    loaded = database::Load(ReadDatabaseFile(saver), now, regional);
    if (loaded.error && !database::TextInsteadOfContent(*loaded.error))
      report = util::Failure(loaded.error->code, loaded.error->description);
  } catch (const util::Failure& failure) {
    loaded = database::DatabaseNotRead(failure);
    if (!database::TextInsteadOfContent(*loaded.error)) report = failure;
  } catch (const std::bad_alloc&) {
    report = util::Failure(util::codes::kOutOfMemory, "Out of memory");
  }

  saver.specialFixtures = std::move(loaded.specialFixtures);
  saver.fixtures = std::move(loaded.fixtures.texts);
  saver.trivia = std::move(loaded.trivia);
  saver.adverts = std::move(loaded.adverts);
  saver.specialCount = Count(saver.specialFixtures.size());
  saver.fixtureCount = Count(saver.fixtures.size());
  saver.triviaCount = Count(saver.trivia.size());
  saver.advertCount = Count(saver.adverts.size());
  saver.shownFixtures = {std::move(loaded.fixtureRecords), std::move(loaded.fixtures.sources),
                         loaded.fixtures.markerEnds, now, regional};
  if (report) saver.sys.desktop.ShowMessage(GeneralErrorReport(*report));
}

std::optional<std::int16_t> GetDatabaseNumber(SaverState& saver) {
  try {
    return database::DatabaseNumber(ReadDatabaseFile(saver));
  } catch (const util::Failure&) {
    return std::nullopt;
  }
}

void AddBuiltInAdverts(SaverState& saver) {
  saver.adverts.resize(static_cast<std::size_t>(saver.advertCount));
  for (std::string& advert : database::BuiltInAdverts()) saver.adverts.push_back(std::move(advert));
}

}  // namespace tavoria
