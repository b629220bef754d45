// Tooltips, from the common controls library. The library is loaded the first time a window asks
// for a tooltip, so a window without any (the saver's) never pays for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/library.h"

namespace platform::win32 {

class Tooltips {
 public:
  // Gives a control of a window its tooltip, or takes it away for an empty text. The window's
  // tooltip window is made on first use and kept in `tooltipWindow`. Throws Failure when
  // the common controls cannot make one.
  void Set(HWND window, HWND& tooltipWindow, HWND control, const std::string& text);

 private:
  bool Ready();

  Library commonControls_{"comctl32.dll"};
  std::optional<bool> ready_;
};

}  // namespace platform::win32
