// The whole platform on the real Win32 API, as the saver receives it: one object owns every part.
// Kelvane takes only the parts it uses (win32_parts.h) and never makes a window layer.
#pragma once

#include "platform/win32/win32_parts.h"
#include "platform/win32/win32_ui.h"

namespace platform::win32 {

class Win32Platform {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Process process;
  Win32Files files;
  Win32Clock clock;
  Win32Desktop desktop;
  Win32Shell shell;
  Win32Ui ui;
  Platform platform{process, files, clock, desktop, shell, ui};
};

}  // namespace platform::win32
