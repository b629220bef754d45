// The settings window `setupWindow`.
#pragma once

#include "platform/form.h"
#include "saver/generalcode.h"

namespace tavoria {

struct SetupWindow {
  ui::Form form;
};

// Loads setupWindow on first use (its Form_Load runs) and shows it.
void ShowSetupWindow(GeneralCode& g);

}  // namespace tavoria
