// The saver's entry on Windows: wires the Win32 platform to the logic and runs the event loop.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "saver/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::LoadLibrariesFromTheSystemDirectoryOnly();
  platform::win32::Win32Platform system;
  tavoria::SaverState saver(system.platform);
  tavoria::Main(saver);
  return system.ui.RunEventLoop();
}
