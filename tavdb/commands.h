// tavdb, the makers' tool for team databases: its three commands over the platform's files. Their
// words and options are `kUsage`, which `tavdb help` prints.
//
// Exit status 0 when all is well, 1 when the file (or an input) has errors, 2 for bad usage or a
// file that cannot be read or written. Errors and warnings go to `err` as "FILE:LINE: error: ...".
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "util/calendar.h"

namespace tavdb {

// `now`: the moment used when no --date (or --time) is given; the regional settings are
// day-month-year with 2049 as the two-digit year max unless --order names another order.
// `zoneInfo`: the folder of the IANA time zone database's compiled files that --zone and
// --source-zone read.
int RunTavdb(const std::vector<std::string>& args, platform::Files& files,
             const calendar::Moment& now, const std::string& zoneInfo, std::ostream& out,
             std::ostream& err);

extern const char* const kUsage;

}  // namespace tavdb
