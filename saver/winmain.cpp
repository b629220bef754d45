// The saver's entry on Windows: wires the Win32 platform to the logic and runs the event loop.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_ui.h"
#include "saver/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::Win32Process process;
  platform::win32::Win32Files files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32Desktop desktop;
  platform::win32::Win32Shell shell;
  platform::win32::Win32Ui ui;
  platform::Platform system{process, files, clock, desktop, shell, ui};
  tavoria::GeneralCode g(system);
  tavoria::Main(g);
  return ui.RunEventLoop();
}
