// The fixture list of the running saver: each record of the database dropped as past or stored as
// its display text, and the notices that follow.
#pragma once

#include "saver/data/fixture_text.h"
#include "saver/generalcode.h"

namespace tavoria {

// The moment now, as the platform's clock and the user's regional settings give it.
FixtureClock FixtureClockNow(GeneralCode& g);
// Drops a past fixture or stores its display text as the next entry of `fixtures`. Throws Failure
// 9 when the list is full, and what ComposeFixture throws.
void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags);
// Appends the notices asking for an upgrade when some or all fixtures were past.
void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags);

}  // namespace tavoria
