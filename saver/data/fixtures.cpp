#include "saver/data/fixtures.h"

#include <algorithm>

namespace tavoria {

namespace {

// The entry of the new list to show next: the first whose source is not before the one that was
// to be shown next; the first entry when there is none.
std::int16_t NextInNewList(const std::vector<std::size_t>& sources, std::size_t wasNext) {
  const auto at = std::lower_bound(sources.begin(), sources.end(), wasNext);
  return static_cast<std::int16_t>(at == sources.end() ? 1 : at - sources.begin() + 1);
}

}  // namespace

void BringFixturesUpToDate(SaverState& saver) {
  database::LoadedDatabase& loaded = saver.database;
  if (!loaded.fixtureRecords.complete) return;
  const database::FixtureTexts& shown = loaded.fixtures;
  // One reading of the clock: the date and the time of day of the same moment.
  const calendar::Moment now = saver.sys.clock.Now();
  const bool newDay = now.date != shown.composedFor.date;
  const bool kickOffPassed = shown.markerEnds && now.secondsOfDay >= *shown.markerEnds;
  if (!newDay && !kickOffPassed) return;

  const auto next = static_cast<std::size_t>(saver.nextFixtureIndex);
  const std::size_t wasNext =
      next >= 1 && next <= shown.sources.size() ? shown.sources[next - 1] : 0;
  platform::Clock& clock = saver.sys.clock;
  loaded.fixtures = database::ComposeFixtureTexts(
      loaded.fixtureRecords, loaded.specialFixtures, now,
      [&clock](std::chrono::sys_seconds instant) { return clock.LocalMomentOf(instant); });
  saver.nextFixtureIndex = NextInNewList(loaded.fixtures.sources, wasNext);
}

}  // namespace tavoria
