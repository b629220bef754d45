// tavdb: the makers' tool to check, preview and build team databases. The commands are in
// tavdb/commands.h; here they meet the computer's files and clock.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "platform/host_files.h"
#include "tavdb/commands.h"

namespace {

// The local date and time of day now on this computer.
calendar::Moment LocalNow() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {{2000, 1, 1}, 0};
  return {{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday},
          (local->tm_hour * 60 + local->tm_min) * 60 + std::min(local->tm_sec, 59)};
}

// The IANA time zone database's compiled files: the system's on Linux ($TZDIR when set); for
// tavdb.exe the copy the Windows build puts in the folder zoneinfo beside it.
std::string ZoneInfoFolder() {
#ifdef _WIN32
  return platform::HostProgramDirectory() + "\\zoneinfo";
#else
  const char* tzdir = std::getenv("TZDIR");
  return tzdir && *tzdir ? tzdir : "/usr/share/zoneinfo";
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  platform::HostFiles files;
  return tavdb::RunTavdb(args, files, LocalNow(), ZoneInfoFolder(), std::cout, std::cerr);
}
