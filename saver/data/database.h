// The team database "tavoria.sdf" beside the program: the loader that fills the saver's lists, the
// database number and the built-in adverts.
#pragma once

#include <cstdint>

#include "saver/generalcode.h"

namespace tavoria {

// Fills the content lists from the database beside the program; never lets a failure escape.
void LoadDatabase(GeneralCode& g);
// The database number on line 4, or -1 when it cannot be read.
std::int16_t GetDatabaseNumber(GeneralCode& g);
// Appends the program's own three advertising texts after the file's adverts.
void AddBuiltInAdverts(GeneralCode& g);

}  // namespace tavoria
