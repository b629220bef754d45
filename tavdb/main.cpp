// tavdb: the makers' tool to check, preview and build team databases. The commands are in
// tavdb/commands.h; here they meet the computer's files, clock and command line. Names and output
// are UTF-8; on Windows the arguments come as the system's wide text and the output reaches a
// console as characters (platform/win32/console.h).
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "platform/host_files.h"
#include "tavdb/commands.h"

#ifdef _WIN32
#include "platform/win32/console.h"
#endif

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

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The names the user gives, whatever characters they hold.
  platform::HostFiles files(platform::HostFiles::Backslashes::Characters);
  return tavdb::RunTavdb(args, files, LocalNow(), ZoneInfoFolder(), out, err);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  return platform::win32::RunConsoleProgram(argc, argv, Run);
}
#else
int main(int argc, char** argv) {
  return Run({argv + 1, argv + argc}, std::cout, std::cerr);
}
#endif
