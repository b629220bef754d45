#include "saver/data/fixtures.h"

#include <algorithm>

namespace tavoria {

namespace {

// Stores one entry of `fixtures`, from its source (a record's index, or past the records for a
// notice). While loading the list holds at most kFixtureCapacity entries.
void StoreFixture(GeneralCode& g, std::string text, std::size_t source, bool loading) {
  if (loading && g.fixtureCount == kFixtureCapacity)
    throw platform::Failure(platform::codes::kSubscriptOutOfRange, "Subscript out of range");
  g.fixtures.push_back(std::move(text));
  g.shownFixtures.sources.push_back(source);
  ++g.fixtureCount;
}

void StoreShown(GeneralCode& g, FixtureText shown, std::size_t source, bool loading) {
  auto& kept = g.shownFixtures;
  if (shown.dueToday && (kept.markerEnds < 0 || shown.kickOff < kept.markerEnds))
    kept.markerEnds = shown.kickOff;
  StoreFixture(g, std::move(shown.text), source, loading);
}

void StoreNotices(GeneralCode& g, const FixtureFlags& flags, bool loading) {
  std::size_t source = g.shownFixtures.records.size();
  for (std::string& notice : OutOfDateNotices(flags))
    StoreFixture(g, std::move(notice), source++, loading);
}

// The entry of the new list to show next: the first whose source is not before the one that was
// to be shown next; the first entry when there is none.
std::int16_t NextInNewList(const std::vector<std::size_t>& sources, std::size_t wasNext) {
  const auto at = std::lower_bound(sources.begin(), sources.end(), wasNext);
  return static_cast<std::int16_t>(at == sources.end() ? 1 : at - sources.begin() + 1);
}

}  // namespace

FixtureClock FixtureClockNow(GeneralCode& g) {
  platform::Clock& clock = g.sys.clock;
  return {clock.Today(), clock.SecondsOfDay(), clock.RegionalDateOrder(), clock.TwoDigitYearMax()};
}

void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags,
                          const FixtureClock& now) {
  FixtureText shown = ComposeFixture(record, g.specialFixtures, now);
  if (shown.past) {
    flags.pastSeen = true;
    return;
  }
  flags.currentStored = true;
  g.shownFixtures.records.push_back(record);
  StoreShown(g, std::move(shown), g.shownFixtures.records.size() - 1, true);
}

void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags, const FixtureClock& now) {
  StoreNotices(g, flags, true);
  g.shownFixtures.pastAtLoad = flags.pastSeen;
  g.shownFixtures.composedFor = now;
  g.shownFixtures.live = true;
}

void BringFixturesUpToDate(GeneralCode& g) {
  auto& kept = g.shownFixtures;
  if (!kept.live) return;
  // The regional settings stay those the records were read with at load.
  FixtureClock now = kept.composedFor;
  now.today = g.sys.clock.Today();
  now.secondsOfDay = g.sys.clock.SecondsOfDay();
  const bool newDay = now.today != kept.composedFor.today;
  const bool kickOffPassed = kept.markerEnds >= 0 && now.secondsOfDay >= kept.markerEnds;
  if (!newDay && !kickOffPassed) return;

  const std::size_t wasNext =
      g.nextFixtureIndex >= 1 && static_cast<std::size_t>(g.nextFixtureIndex) <= kept.sources.size()
          ? kept.sources[static_cast<std::size_t>(g.nextFixtureIndex - 1)]
          : 0;
  g.fixtures.clear();
  kept.sources.clear();
  kept.markerEnds = -1;
  g.fixtureCount = 0;
  FixtureFlags flags{.pastSeen = kept.pastAtLoad};
  for (std::size_t i = 0; i < kept.records.size(); ++i) {
    FixtureText shown = ComposeFixture(kept.records[i], g.specialFixtures, now);
    if (shown.past) {
      flags.pastSeen = true;
      continue;
    }
    flags.currentStored = true;
    StoreShown(g, std::move(shown), i, false);
  }
  StoreNotices(g, flags, false);
  kept.composedFor = now;
  g.nextFixtureIndex = NextInNewList(kept.sources, wasNext);
}

}  // namespace tavoria
