// The full-screen window `screenSaverWindow`.
#pragma once

#include "platform/form.h"
#include "saver/generalcode.h"

namespace tavoria {

struct ScreenSaverWindow {
  ui::Form form;
};

// Creates screenSaverWindow (once) and runs its Form_Load; start-up then configures and shows it.
void LoadScreenSaverWindow(GeneralCode& g);

}  // namespace tavoria
