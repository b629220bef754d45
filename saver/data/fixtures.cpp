#include "saver/data/fixtures.h"

namespace tavoria {

namespace {

void StoreFixture(GeneralCode& g, std::string text) {
  if (g.fixtureCount == kFixtureCapacity)
    throw platform::Failure(platform::codes::kSubscriptOutOfRange, "Subscript out of range");
  g.fixtures.push_back(std::move(text));
  ++g.fixtureCount;
}

}  // namespace

FixtureClock FixtureClockNow(GeneralCode& g) {
  platform::Clock& clock = g.sys.clock;
  return {clock.Today(), clock.SecondsOfDay(), clock.RegionalDateOrder(), clock.TwoDigitYearMax()};
}

void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags) {
  FixtureText shown = ComposeFixture(record, g.specialFixtures, FixtureClockNow(g));
  if (shown.past) {
    flags.pastSeen = true;
    return;
  }
  flags.currentStored = true;
  StoreFixture(g, std::move(shown.text));
}

void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags) {
  for (std::string& notice : OutOfDateNotices(flags)) StoreFixture(g, std::move(notice));
}

}  // namespace tavoria
