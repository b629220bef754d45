// The fixture list of the running saver composed again when the day changes or a marked kick-off
// passes while the saver runs.
#pragma once

#include "saver/saver_state.h"

namespace tavoria {

// Composes the fixture texts again from the same records, for the moment now, when the local date
// has changed since they were composed or a marked fixture's kick-off has passed. The next fixture
// shown stays the next one in the new list.
void BringFixturesUpToDate(SaverState& saver);

}  // namespace tavoria
