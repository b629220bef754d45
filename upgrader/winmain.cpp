// Kelvane's entry on Windows: wires the Win32 parts it uses to the upgrade assistant.
#include <windows.h>

#include "platform/win32/win32_parts.h"
#include "upgrader/kelvane.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::LoadLibrariesFromTheSystemDirectoryOnly();
  platform::win32::Win32Process process;
  platform::win32::Win32Files files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32Desktop desktop;
  kelvane::Main({process, files, clock, desktop});
  return 0;
}
