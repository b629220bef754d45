// The team database "tavoria.sdf" beside the program, as the saver uses it: loaded as the content
// the display cycle shows, its number for the upgrade check, and the built-in adverts.
#pragma once

#include <cstdint>
#include <optional>

#include "saver/saver_state.h"

namespace tavoria {

// The computer the saver runs on, as a database is read for it: the moment now and the user's
// regional settings, and its clock for the kick-offs' instants.
database::Computer ThisComputer(SaverState& saver);
// Loads the database beside the program as of now into the saver's content; never lets a failure
// escape. A database it cannot use shows a text in place of its content; any other failure shows
// the general error report, and the content keeps what was read before it.
void LoadDatabase(SaverState& saver);
// The database number on line 4; none when it cannot be read.
std::optional<std::int16_t> GetDatabaseNumber(SaverState& saver);
// Adds the program's own three advertising texts, drawn after the file's adverts.
void AddBuiltInAdverts(SaverState& saver);

}  // namespace tavoria
