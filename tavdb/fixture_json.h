// Fixture lists in the JSON layouts of the public fixture repositories, read into the matches
// they list, before any is judged:
//
// - the matches in one top-level list, {"name": ..., "matches": [...]}, each with its "round"
//   (or a bare list of matches);
// - the matches grouped by round, {"name": ..., "rounds": [{"name": ..., "matches": [...]}]};
//
// each match {"date": "YYYY-MM-DD", "time": "HH:MM" or "HH:MM UTC-6" (or none), "team1", "team2"
// (a name, or an object with its "name" and a "code" or "key"), "group", "round", "ground" (or
// "stadium" and "city"), "timezone": "UTC-3" in the older layout, "status"}. Scores and goals, in
// whatever form, are not read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tavdb/diagnostic.h"

namespace tavdb {

// The most entries one fixture list may hold (a World Cup's lists 104): a larger list is an
// error, and is read no further.
inline constexpr int kMostListedMatches = 20000;

struct ListedMatch {
  int line = 0;  // where the match begins in its list
  std::string date;
  std::optional<std::string> time;      // none (or empty) when the list gives no kick-off
  std::optional<std::string> timeZone;  // the older layout's own "timezone" field
  std::string caption;                  // "<name>, <group or round>"
  std::string home, away, ground;
  std::string status;  // as written; empty when there is none
};

// The matches of a JSON fixture list, in list order. A match that cannot be read is an error in
// `out` naming its line, and is left out. Throws InputError for text that is not JSON.
std::vector<ListedMatch> MatchesFromJson(const std::string& file, std::string_view text,
                                         Diagnostics& out);

}  // namespace tavdb
