// Placeholder until the settings window lands.
#include "saver/setup/setup_window.h"

#include "saver/identity.h"

namespace tavoria {

void ShowSetupWindow(GeneralCode& g) {
  if (!g.setupWindow) {
    g.setupWindow = std::make_unique<SetupWindow>();
    g.setupWindow->form.caption = std::string(SCREENSAVER_NAME) + " Setup";
  }
  g.sys.ui.Open(g.setupWindow->form);
}

}  // namespace tavoria
