// The screen as the logic measures it, in twips at the system DPI: its size, its monitors, the
// size of a text. Open places top-level windows at the same DPI, so a form placed on a monitor's
// rectangle covers that monitor exactly. A window's own monitor is measured at the window's DPI,
// the one its controls are placed at.
#include <vector>

#include "platform/win32/win32_ui.h"
#include "platform/win32/window.h"

namespace platform::win32 {

namespace {

struct MonitorRects {
  std::vector<RECT> rects;  // the primary first
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    auto& rects = reinterpret_cast<MonitorRects*>(data)->rects;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
      rects.insert(rects.begin(), info.rcMonitor);
    else
      rects.push_back(info.rcMonitor);
  }
  return TRUE;
}

}  // namespace

ui::Size Win32Ui::ScreenSize() {
  if (monitorsForTests) return {monitorsForTests->front().width, monitorsForTests->front().height};
  const int dpi = resources_->dpi.System();
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

std::vector<ui::Rect> Win32Ui::Monitors() {
  if (monitorsForTests) return *monitorsForTests;
  MonitorRects found;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
  if (found.rects.empty())
    found.rects.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  const int dpi = resources_->dpi.System();
  // Measured from the primary monitor's top-left corner (the desktop's origin on Windows).
  const POINT origin{found.rects.front().left, found.rects.front().top};
  std::vector<ui::Rect> monitors;
  for (const RECT& r : found.rects)
    monitors.push_back({PixelsToTwips(r.left - origin.x, dpi), PixelsToTwips(r.top - origin.y, dpi),
                        PixelsToTwips(r.right - r.left, dpi),
                        PixelsToTwips(r.bottom - r.top, dpi)});
  return monitors;
}

ui::Size Win32Ui::ScreenSizeOf(const ui::Form& form) {
  const FormWindow* w = Find(form);
  if (!w) return ScreenSize();
  if (monitorsForTests) {
    const ui::Size primary = ScreenSize();
    const float scale = static_cast<float>(resources_->dpi.System()) / static_cast<float>(w->dpi);
    return {primary.width * scale, primary.height * scale};
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromWindow(w->hwnd, MONITOR_DEFAULTTOPRIMARY), &info))
    return ScreenSize();
  const RECT& r = info.rcMonitor;
  return {PixelsToTwips(r.right - r.left, w->dpi), PixelsToTwips(r.bottom - r.top, w->dpi)};
}

ui::Size Win32Ui::MeasureText(const ui::Font& font, const std::string& text) {
  const int dpi = resources_->dpi.System();
  gdi::WindowDc dc;
  const auto made = resources_->fonts.Get(font, dpi);
  gdi::Selection selected(dc.get(), made->get());
  RECT r{0, 0, 0, 0};
  DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX);
  return {PixelsToTwips(text.empty() ? 0 : r.right, dpi), PixelsToTwips(r.bottom, dpi)};
}

}  // namespace platform::win32
