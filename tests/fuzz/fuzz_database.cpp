// The database loader and the number reader on any file content, read alike by the loader itself
// and by the saver's use of it; and the walk that goes on after each stop, on the same content.
#include <vector>

#include "database/loader.h"
#include "database/walk.h"
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
  const database::LoadedDatabase& content = saver.database;
  Require(content.specialFixtures.size() <= 10 && content.fixtures.texts.size() <= 102);
  Require(content.trivia.size() <= 100 && content.adverts.size() <= 100);
  // A draw never picks a terminator.
  for (const std::string& fact : content.Facts()) Require(fact != database::kEndTrivia);
  for (const std::string& advert : content.Adverts()) Require(advert != database::kEndAds);

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
  // Going on after each stop, the walk tells the loader's stop first, and every stop at a line of
  // the file.
  std::vector<database::Stop> stops;
  database::WalkDatabase(bytes, {.computer = {{{2026, 12, 8}, 15 * 3600}},
                                 .stop = [&](const database::Stop& stop) { stops.push_back(stop); },
                                 .goOn = true});
  Require(stops.empty() == !loaded.error);
  for (const database::Stop& stop : stops)
    Require(stop.line >= 1 && stop.line <= static_cast<int>(size) + 1);
  if (loaded.error) Require(stops.front().line == loaded.error->line);
  return 0;
}
