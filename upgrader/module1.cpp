// Placeholder until the upgrade assistant lands.
#include "upgrader/module1.h"

namespace kelvane {

void Main(platform::Platform&) {}
std::string WindowsDirectory(platform::Platform&) { return {}; }

}  // namespace kelvane
