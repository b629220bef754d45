// Kelvane, the upgrade assistant: installs an upgrade file as the team database.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kelvane {

// Installs the upgrade file named by the whole argument text and says how that went, in one box.
void Main(platform::Platform& sys);
// The Windows directory, asking again with a larger buffer when 256 characters are too few.
std::string WindowsDirectory(platform::Platform& sys);

}  // namespace kelvane
