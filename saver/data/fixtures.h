// The fixture list of the running saver: each record of the database dropped as past or stored as
// its display text, the notices that follow, and the same texts composed again when the day
// changes or a marked kick-off passes while the saver runs.
#pragma once

#include "saver/data/fixture_text.h"
#include "saver/generalcode.h"

namespace tavoria {

// The moment now, as the platform's clock and the user's regional settings give it.
FixtureClock FixtureClockNow(GeneralCode& g);
// Drops a past fixture or stores its display text as the next entry of `fixtures`. Throws Failure
// 9 when the list is full, and what ComposeFixture throws.
void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags,
                          const FixtureClock& now);
// Appends the notices asking for an upgrade when some or all fixtures were past, and keeps the
// records shown for composing again.
void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags, const FixtureClock& now);
// Composes the fixture texts again from the same records when the local date has changed since
// they were composed, or a marked fixture's kick-off has passed. The next fixture shown stays the
// next one in the new list.
void BringFixturesUpToDate(GeneralCode& g);

}  // namespace tavoria
