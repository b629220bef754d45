#include "saver/generalcode.h"

#include "saver/display/saver_window.h"
#include "saver/setup/setup_window.h"

namespace tavoria {

GeneralCode::GeneralCode(platform::Platform& platform) : sys(platform) {}

GeneralCode::~GeneralCode() = default;

std::string GeneralCode::PathBesideProgram(const std::string& name) const {
  return sys.process.ProgramDirectory() + "\\" + name;
}

}  // namespace tavoria
