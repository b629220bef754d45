// The database loader, the completeness check and the number reader on any file content, read
// alike by the loader itself and by the saver's use of it.
#include "database/loader.h"
#include "saver/data/database.h"
#include "tests/fuzz/fuzz_input.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  auto& m = fuzz::SharedPlatform();
  m.clock.Set({2026, 12, 8}, 15, 0, 0);
  m.clock.regional.dateOrder = static_cast<calendar::DateOrder>(size % 3);
  m.desktop.messages.clear();
  m.WriteFile("tavoria.sdf", bytes);

  tavoria::SaverState saver{m.platform};
  tavoria::LoadDatabase(saver);
  Require(m.desktop.messages.size() <= 1);
  Require(saver.specialFixtures.size() == static_cast<std::size_t>(saver.specialCount));
  Require(saver.fixtures.size() == static_cast<std::size_t>(saver.fixtureCount));
  Require(saver.trivia.size() == static_cast<std::size_t>(saver.triviaCount));
  Require(saver.adverts.size() == static_cast<std::size_t>(saver.advertCount));
  Require(saver.specialCount <= 10 && saver.fixtureCount <= 102);
  Require(saver.triviaCount <= 100 && saver.advertCount <= 100);
  tavoria::AddBuiltInAdverts(saver);
  Require(saver.adverts.size() == static_cast<std::size_t>(saver.advertCount) + 3);

  // The loader's result: a report exactly when the error has no text in place of the content,
  // and the line of any stop within the file.
  const auto loaded = database::Load(bytes, {{2026, 12, 8}, 15 * 3600}, {});
  if (loaded.error) {
    Require(m.desktop.messages.size() == (database::TextInsteadOfContent(*loaded.error) ? 0u : 1u));
    Require(loaded.error->line >= 1 && loaded.error->line <= static_cast<int>(size) + 1);
  } else {
    Require(m.desktop.messages.empty() && loaded.fixtureRecords.complete);
  }
  Require(loaded.fixtures.texts.size() == loaded.fixtures.sources.size());

  database::DatabaseNumber(bytes);
  try {
    database::CheckDatabaseComplete(bytes);
  } catch (const util::Failure&) {
  }
  return 0;
}
