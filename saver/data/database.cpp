#include "saver/data/database.h"

#include <new>

#include "platform/whole_file.h"
#include "saver/data/fixtures.h"
#include "saver/failures.h"
#include "util/identity.h"
#include "util/text.h"

namespace tavoria {

namespace {

std::string ReadDatabaseFile(SaverState& saver) {
  return platform::ReadFile(saver.sys.files, saver.PathBesideProgram(DATABASE_FILE),
                            database::kLongestDatabase);
}

}  // namespace

database::Computer ThisComputer(SaverState& saver) {
  platform::Clock& clock = saver.sys.clock;
  return {clock.Now(), clock.Regional(),
          [&clock](std::chrono::sys_seconds instant) { return clock.LocalMomentOf(instant); }};
}

void LoadDatabase(SaverState& saver) {
  const database::Computer computer = ThisComputer(saver);
  database::LoadedDatabase loaded;
  std::optional<util::Failure> report;  // what the general error report tells of
  try {
    loaded = database::Load(ReadDatabaseFile(saver), computer);
    if (loaded.error && !database::TextInsteadOfContent(*loaded.error))
      report = util::Failure(loaded.error->code, loaded.error->description);
  } catch (const util::Failure& failure) {
    loaded = database::DatabaseNotRead(failure);
    if (!database::TextInsteadOfContent(*loaded.error)) report = failure;
  } catch (const std::bad_alloc&) {
    report = util::Failure(util::codes::kOutOfMemory, "Out of memory");
  }

  saver.database = std::move(loaded);
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
  saver.builtInAdverts = database::BuiltInAdverts();
}

}  // namespace tavoria
