// Kelvane, the upgrade assistant: installs an upgrade file as the team database.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvane {

// The parts of the platform Kelvane uses: it has no window of its own besides its message box.
struct System {
  platform::Process& process;
  platform::Files& files;
  platform::Clock& clock;  // the moment and regional settings an upgrade is checked for
  platform::Desktop& desktop;
};

// The lock that every program holds while it compares a team database's number with the
// installed one's and replaces it, so that two cannot both pass the comparison.
inline constexpr const char* kDatabaseLock = "Tavoria team database";

// Installs the upgrade file named by the whole argument text and says how that went, in one box.
void Main(const System& sys);

// Setup's part: puts the database's bytes in place of the one at `installed` (a path in the
// Windows directory), in one step as Kelvane does, unless that one has a higher number; then its
// number is returned and nothing changes. Throws Failure.
std::optional<std::int16_t> InstallUnlessNewer(platform::Process& process, platform::Files& files,
                                               const platform::SystemName& installed,
                                               std::string_view database);

}  // namespace kelvane
