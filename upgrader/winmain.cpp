// Kelvane's entry on Windows: wires the Win32 platform to the upgrade assistant. Kelvane has no
// window of its own besides its one message box, so its windows slot is a Ui that does nothing.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "upgrader/module1.h"

namespace {

class NoWindows : public platform::Ui {
 public:
  ui::Size ScreenSize() override { return {}; }
  ui::Size MeasureText(const ui::Font&, const std::string&) override { return {}; }
  void Open(ui::Form&) override {}
  void Close(ui::Form&) override {}
  ui::WindowHandle Handle(const ui::Form&) override { return {}; }
  int RunEventLoop() override { return 0; }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::win32::Win32Process process;
  platform::win32::Win32Files files;
  platform::win32::Win32Clock clock;
  platform::win32::Win32Desktop desktop;
  platform::win32::Win32Shell shell;
  NoWindows ui;
  platform::Platform system{process, files, clock, desktop, shell, ui};
  kelvane::Main(system);
  return ui.RunEventLoop();
}
