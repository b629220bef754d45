// tavdb: the makers' tool to check, preview and build team databases. The commands are in
// tavdb/commands.h; here they meet the computer's files and clock.
#include <iostream>
#include <string>
#include <vector>

#include "platform/fixed_clock.h"
#include "platform/host_files.h"
#include "tavdb/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  platform::HostFiles files;
  return tavdb::RunTavdb(args, files, platform::FixedClock::Now(), std::cout, std::cerr);
}
