#include "saver/saver_state.h"

#include "saver/display/saver_window.h"
#include "saver/setup/setup_window.h"

namespace tavoria {

SaverState::SaverState(platform::Platform& platform) : sys(platform) {}

SaverState::~SaverState() = default;

platform::SystemName SaverState::PathBesideProgram(const platform::SystemName& name) const {
  return sys.process.ProgramDirectory() / name;
}

}  // namespace tavoria
