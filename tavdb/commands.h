// tavdb, the makers' tool for team databases: its three commands over the platform's files.
//
//   tavdb check FILE [--date YYYY-MM-DD] [--order dmy|mdy|ymd] [--previous FILE]
//   tavdb show FILE [--date YYYY-MM-DD [--time HH:MM]] [--order dmy|mdy|ymd]
//   tavdb build FIXTURES [--facts FILE] [--adverts FILE] [--specials FILE] --number N
//               [--limit N] -o OUT
//
// Exit status 0 when all is well, 1 when the file (or an input) has errors, 2 for bad usage or a
// file that cannot be read or written. Errors and warnings go to `err` as "FILE:LINE: error: ...".
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/fixed_clock.h"
#include "platform/platform.h"

namespace tavdb {

// `now`: the moment and regional settings used when no --date (or --time, --order) is given.
int RunTavdb(const std::vector<std::string>& args, platform::Files& files,
             const platform::FixedClock& now, std::ostream& out, std::ostream& err);

extern const char* const kUsage;

}  // namespace tavdb
