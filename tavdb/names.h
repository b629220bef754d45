// Names in the makers' lists: team names compared as a person would, the placeholders fixture
// lists write for teams not known yet, and the names closest to one that was mistyped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavdb {

// A UTF-8 name for comparing: blanks around it dropped, the letters of ASCII and Latin-1 in lower
// case ("  CURAÇAO " and "Curaçao" compare equal).
std::string FoldedName(std::string_view utf8);

// A name a fixture list writes for a team not known yet: the winner or loser of a match ("W49",
// "L101"), a place in a group ("1A"), one of the best third-placed teams ("3A/B/C/D/F"), or a
// slot described in words ("UEFA Path A winner", "Runner-up Group B", "TBD").
bool IsPlaceholder(std::string_view name);

// Up to `count` of the names closest to `wanted`, the closest first: fewest edits apart (letter
// case and blanks around ignored), then the longest shared beginning, then in file order. Each
// name once.
std::vector<std::string> ClosestNames(std::string_view wanted,
                                      const std::vector<std::string>& names, std::size_t count);

// "did you mean "A", "B" or "C"?"; empty for no names.
std::string DidYouMean(const std::vector<std::string>& names);

}  // namespace tavdb
