// What the saver shows on a given day, from its own loader and composition: each fixture text,
// the out-of-date notices, the facts and the adverts, in order, one a line.
#pragma once

#include <string>
#include <vector>

#include "database/loader.h"

namespace tavdb {

// How a line break inside a text is written on its one line.
inline constexpr const char* kShownLineBreak = " | ";

// "fixture: ...", "fact: ...", "advert: ..." and the saver's own three adverts as "built-in
// advert: ...", in list order, as UTF-8. A section's terminator is not shown, as the saver never
// draws it.
std::vector<std::string> ShownTexts(const database::LoadedDatabase& loaded);

}  // namespace tavdb
