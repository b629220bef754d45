// The saver window driven through the real Win32 layer for thousands of display steps, panel
// cycles and changes of the monitors: the live GDI objects, child windows and top-level windows
// (the saver window and a cover over each further monitor) stay as they were after the first few.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/memory/memory_platform.h"
#include "platform/win32/gdi.h"
#include "platform/win32/win32_ui.h"
#include "saver/display/saver_window.h"
#include "saver/startup.h"
#include "support.h"

namespace {

using platform::win32::Win32Ui;
using tavoria::ScreenSaverWindow;
using Timers = ScreenSaverWindow::Timers;
namespace gdi = platform::win32::gdi;

using win32_test::Pump;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ChildWindows(HWND hwnd) {
  int count = 0;
  EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&count));
  return count;
}

// The visible top-level windows of this thread.
int TopLevelWindows() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM counted) -> BOOL {
        if (IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(counted);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

struct GdiTest : ::testing::Test {
  platform::memory::MemoryPlatform m;
  Win32Ui ui;
  platform::Platform system{m.process, m.files, m.clock, m.desktop, m.shell, ui};
  tavoria::SaverState saver{system};
  win32_test::Failures failures;
  HWND hwnd = nullptr;

  void SetUp() override {
    saver.database.fixtures.texts = {
        "Tavoria v Kelvane, Saturday 12 June, 20:00",
        "A much longer fixture text that "
        "goes on and on so that the width fit has work to do at the larger sizes "
        "drawn, and again, and again, and again, and again, and again"};
    saver.database.trivia = {"Tavoria's first international was in 1921.", "End Trivia"};
    saver.database.adverts = {"Visit fenmoor.example/football", "End Ads"};
    // The program's own full-screen start-up: the saver window, and a cover over each further
    // monitor.
    tavoria::StartScreenSaver(saver);
    ASSERT_TRUE(m.process.ends.empty()) << m.desktop.messages.at(0).text;
    auto& form = saver.screenSaverWindow->form;
    failures.Attach(form);
    for (auto& cover : saver.screenSaverWindow->covers) failures.Attach(*cover);
    hwnd = reinterpret_cast<HWND>(ui.Handle(form));
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(saver.screenSaverWindow->covers.size() + 1, ui.Monitors().size());
  }
  void TearDown() override {
    EXPECT_TRUE(failures.texts.empty()) << failures.texts.front();
    tavoria::CloseScreenSaverWindow(saver);
    Pump();
    EXPECT_EQ(TopLevelWindows(), 0) << "every window goes with the saver";
  }
  // The monitors change and the system moves the saver window off its place, then says so; the
  // event loop runs until the queue is empty (closed windows go). A window for each monitor.
  void ChangeMonitors(const std::vector<ui::Rect>& monitors) {
    ui.monitorsForTests = monitors;
    SetWindowPos(hwnd, nullptr, 500, 400, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(hwnd, WM_DISPLAYCHANGE, 24, 0);
    PostQuitMessage(0);
    ui.RunEventLoop();
    EXPECT_EQ(TopLevelWindows(), static_cast<int>(monitors.size()));
    RECT r{};
    EXPECT_TRUE(GetWindowRect(hwnd, &r) && r.left == 0 && r.right == GetSystemMetrics(SM_CXSCREEN));
  }
  void Tick(ui::TimerId ScreenSaverWindow::Timers::*timer) {
    const ui::TimerId id = saver.screenSaverWindow->timers.*timer;
    SendMessageA(hwnd, WM_TIMER, Win32Ui::TimerId(id.index), 0);
    Pump();
  }
};

TEST_F(GdiTest, ThousandsOfDisplayStepsPanelsAndMonitorChangesLeaveTheGdiObjectCountAlone) {
  Tick(&Timers::credits);
  // Monitors that come and go, the primary larger for a while, the real ones last.
  const auto real = ui.Monitors();
  const ui::Rect primary = real.front(),
                 larger{0, 0, primary.width * 5 / 4, primary.height * 4 / 3};
  const ui::Rect right{primary.width, 0, 14400, 10800}, below{0, primary.height, 14400, 10800};
  const std::vector<std::vector<ui::Rect>> monitors{
      {primary, right}, {primary, right, below}, {larger, {larger.width, 0, 14400, 10800}}, real};
  for (const auto& each : monitors) ChangeMonitors(each);
  for (int i = 0; i < 20; ++i) Tick(&Timers::display);
  // Controls are made when first shown: settle once every advert panel has been seen.
  std::set<std::string> panelsSeen;
  for (int i = 0; i < 200 && panelsSeen.size() < 3; ++i) {
    Tick(&Timers::advertPanel);
    const auto& w = *saver.screenSaverWindow;
    for (ui::ControlId panel :
         {w.controls.landlinePanel, w.controls.internetPanel, w.controls.mobilePanel})
      if (w.form[panel].visible) panelsSeen.insert(w.form[panel].name);
    Tick(&Timers::hideAdvertPanel);
  }
  ASSERT_EQ(panelsSeen.size(), 3u);
  const long settled = gdi::LiveObjects();
  const int children = ChildWindows(hwnd);
  const int windows = TopLevelWindows();
  EXPECT_EQ(windows, static_cast<int>(ui.Monitors().size())) << "the saver window and the covers";
  EXPECT_GT(settled, 20);  // every control holds its font, every picture its brush or bitmap

  for (int cycle = 0; cycle < 60; ++cycle) {
    for (int i = 0; i < 50; ++i) Tick(&Timers::display);
    Tick(&Timers::advertPanel);
    Tick(&Timers::hideAdvertPanel);
    ChangeMonitors(monitors[static_cast<std::size_t>(cycle) % monitors.size()]);
  }
  EXPECT_EQ(gdi::LiveObjects(), settled);
  EXPECT_EQ(ChildWindows(hwnd), children);
  EXPECT_EQ(TopLevelWindows(), windows);
}

TEST_F(GdiTest, AWindowOpensWithOnlyTheControlsItShows) {
  const int atOpening = ChildWindows(hwnd);
  EXPECT_EQ(atOpening, 5) << "the credits panel and its four labels";
  Tick(&Timers::credits);
  EXPECT_EQ(ChildWindows(hwnd), atOpening + 7) << "then the six pictures and the text";
}

TEST_F(GdiTest, TheCountFollowsEveryObjectMadeAndReleased) {
  const long before = gdi::LiveObjects();
  {
    gdi::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
    gdi::Font font(
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    EXPECT_EQ(gdi::LiveObjects(), before + 2);
  }
  EXPECT_EQ(gdi::LiveObjects(), before);
  // A font change of a label makes a new font and releases the old one.
  auto& label = saver.screenSaverWindow->form[saver.screenSaverWindow->controls.productNameLabel];
  label.font.points = 30;
  ui.Refresh();
  EXPECT_EQ(gdi::LiveObjects(), before);
  // Measuring text releases what it made.
  ui.MeasureText({"Verdana", 20, true}, "Tavoria");
  EXPECT_EQ(gdi::LiveObjects(), before);
}

}  // namespace
