// Kelvane, the upgrade assistant: installs an upgrade file as the team database.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kelvane {

// The parts of the platform Kelvane uses: it has no window of its own besides its message box.
struct System {
  platform::Process& process;
  platform::Files& files;
  platform::Clock& clock;  // the moment and regional settings an upgrade is checked for
  platform::Desktop& desktop;
};

// Installs the upgrade file named by the whole argument text and says how that went, in one box.
void Main(const System& sys);

}  // namespace kelvane
