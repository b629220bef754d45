// The floor for the saver's measurements: a minimal Win32 program that only opens a black,
// topmost window over each monitor (titled "Win32 Floor" on the primary) and waits for messages.
#include <windows.h>

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "Win32Floor";
  RegisterClassA(&wc);
  // Every monitor, the primary first.
  struct Monitors {
    RECT primary{};
    RECT others[16]{};
    int count = 0;
  } monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        auto& found = *reinterpret_cast<Monitors*>(data);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoA(monitor, &info)) return TRUE;
        if (info.dwFlags & MONITORINFOF_PRIMARY)
          found.primary = info.rcMonitor;
        else if (found.count < 16)
          found.others[found.count++] = info.rcMonitor;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  auto open = [&](const RECT& r, const char* title) {
    HWND hwnd =
        CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, title, WS_POPUP, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
  };
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  open(monitors.primary.right > monitors.primary.left ? monitors.primary : screen, "Win32 Floor");
  for (int i = 0; i < monitors.count; ++i) open(monitors.others[i], "Win32 Floor Cover");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
