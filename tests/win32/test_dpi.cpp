// DPI and monitors through the real layer: fonts are made for a DPI, a window moved to a monitor
// of another DPI shows its description again at that DPI, and a form placed on a monitor's
// rectangle covers that monitor.
#include <windows.h>

#include "platform/win32/fonts.h"
#include "support.h"

namespace {

using platform::win32::FontCache;
using win32_test::LayerTest;

LONG HeightOf(HFONT font) {
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  return lf.lfHeight;
}

TEST(FontCache, OneFontForEachFontAndDpi) {
  FontCache fonts;
  const ui::Font verdana{"Verdana", 12, true};
  const auto at96 = fonts.Get(verdana, 96);
  EXPECT_EQ(fonts.Get(verdana, 96), at96) << "the same font at the same DPI is shared";
  const auto at144 = fonts.Get(verdana, 144);
  EXPECT_NE(at144, at96);
  EXPECT_EQ(HeightOf(at96->get()), -16);   // 12 points at 96 DPI: 16 pixels
  EXPECT_EQ(HeightOf(at144->get()), -24);  // at 144 DPI: 24
  EXPECT_NE(fonts.Get({"Verdana", 12, false}, 96), at96);
}

struct DpiTest : LayerTest {};

TEST_F(DpiTest, AMoveToAMonitorOfAnotherDpiShowsTheDescriptionAgainAtThatDpi) {
  const ui::ControlId panelId = form.Add({.name = "Panel",
                                          .kind = ui::Kind::Picture,
                                          .left = 1440,
                                          .top = 720,
                                          .width = 2880,
                                          .height = 1440});
  form.Add({.name = "Text",
            .kind = ui::Kind::Label,
            .container = panelId,
            .left = 150,
            .top = 300,
            .width = 1440,
            .height = 360,
            .caption = "Text",
            .font = {"Verdana", 12}});
  float mouseX = -1, mouseY = -1;
  form.onMouseMove = [&](float x, float y) { mouseX = x, mouseY = y; };
  Open();
  HWND panel = Window("Panel"), text = Window("Text");
  const auto before = reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0));
  ASSERT_EQ(HeightOf(before), -16);
  RECT r = ScreenRect(panel);
  ASSERT_EQ(r.right - r.left, 192);  // two inches at 96 DPI

  RECT suggested{40, 30, 40 + 800, 30 + 600};
  SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

  r = ScreenRect(hwnd);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);
  r = ScreenRect(panel);
  EXPECT_EQ(r.left - 40, 192);  // an inch from the window's left at 192 DPI
  EXPECT_EQ(r.top - 30, 96);
  EXPECT_EQ(r.right - r.left, 384);
  EXPECT_EQ(r.bottom - r.top, 192);
  RECT t = ScreenRect(text);
  EXPECT_EQ(t.left - r.left, 20);  // 150 twips
  EXPECT_EQ(t.right - t.left, 192);
  EXPECT_EQ(t.bottom - t.top, 48);
  const auto after = reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0));
  EXPECT_NE(after, before);
  EXPECT_EQ(HeightOf(after), -32);  // 12 points at 192 DPI
  // The pointer's place is measured at the window's DPI too.
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(192, 96));
  EXPECT_FLOAT_EQ(mouseX, 1440);
  EXPECT_FLOAT_EQ(mouseY, 720);
}

// A full-screen window whose monitor changes its scale: it keeps covering the screen (not the
// size the system suggests), and its form hears of it and measures the screen at the new DPI.
TEST_F(DpiTest, AMaximisedPopupAtANewDpiKeepsItsScreenAndMeasuresItThere) {
  form.maximised = true;
  int told = 0;
  form.onDisplayChange = [&] { ++told; };
  Open();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  RECT suggested{0, 0, width * 2, height * 2};
  SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(told, 1);
  const RECT r = ScreenRect(hwnd);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
  EXPECT_EQ(ui.ScreenSizeOf(form), (ui::Size{width * 7.5f, height * 7.5f}));  // 1440 / 192
}

TEST_F(DpiTest, MonitorsComeWithThePrimaryFirstAtTheOrigin) {
  const auto monitors = ui.Monitors();
  ASSERT_GE(monitors.size(), 1u);
  EXPECT_EQ(monitors[0].left, 0);
  EXPECT_EQ(monitors[0].top, 0);
  EXPECT_EQ(monitors[0].width, ui.ScreenSize().width);
  EXPECT_EQ(monitors[0].height, ui.ScreenSize().height);
  EXPECT_EQ(static_cast<int>(monitors.size()), GetSystemMetrics(SM_CMONITORS));
}

TEST_F(DpiTest, AFormPlacedOnAMonitorCoversItExactly) {
  for (const ui::Rect& monitor : ui.Monitors()) {
    ui::Form cover;
    cover.caption = "Cover";
    cover.popup = cover.topmost = true;
    cover.left = monitor.left, cover.top = monitor.top;
    cover.width = monitor.width, cover.height = monitor.height;
    ui.Open(cover);
    HWND window = reinterpret_cast<HWND>(ui.Handle(cover));
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &info);
    const RECT r = ScreenRect(window);
    EXPECT_EQ(r.left, info.rcMonitor.left);
    EXPECT_EQ(r.top, info.rcMonitor.top);
    EXPECT_EQ(r.right, info.rcMonitor.right);
    EXPECT_EQ(r.bottom, info.rcMonitor.bottom);
    ui.Close(cover);
  }
}

}  // namespace
