// Minimal window support: a top-level window per form with its caption. Controls, drawing,
// timers and input come with the saver window.
#include "platform/win32/win32_ui.h"

#include <windows.h>

namespace platform::win32 {

namespace {

constexpr const char* kWindowClass = "TavoriaForm";

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<ui::Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_CLOSE:
      if (form && form->onClose) form->onClose();
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostMessageA(nullptr, WM_APP, 0, 0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  registered = true;
}

int TwipsToPixels(float twips, int dpi) {
  return static_cast<int>(twips * dpi / 1440.0f);
}

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi;
}

}  // namespace

ui::Size Win32Ui::ScreenSize() {
  const float twipsPerPixel = 1440.0f / static_cast<float>(ScreenDpi());
  return {GetSystemMetrics(SM_CXSCREEN) * twipsPerPixel,
          GetSystemMetrics(SM_CYSCREEN) * twipsPerPixel};
}

ui::Size Win32Ui::MeasureText(const ui::Font&, const std::string&) {
  return {};
}

void Win32Ui::Open(ui::Form& form) {
  if (windows_.count(&form)) {
    ShowWindow(static_cast<HWND>(windows_[&form]), SW_SHOW);
    return;
  }
  RegisterFormClass();
  const int dpi = ScreenDpi();
  DWORD style = form.popup ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  DWORD exStyle = form.topmost ? WS_EX_TOPMOST : 0;
  HWND hwnd = CreateWindowExA(exStyle, kWindowClass, form.caption.c_str(), style,
                              TwipsToPixels(form.left, dpi), TwipsToPixels(form.top, dpi),
                              TwipsToPixels(form.width, dpi), TwipsToPixels(form.height, dpi),
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
  windows_[&form] = hwnd;
  ShowWindow(hwnd, form.maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
}

void Win32Ui::Close(ui::Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  DestroyWindow(static_cast<HWND>(it->second));
  windows_.erase(it);
}

ui::WindowHandle Win32Ui::Handle(const ui::Form& form) {
  auto it = windows_.find(&form);
  return it == windows_.end() ? 0 : reinterpret_cast<ui::WindowHandle>(it->second);
}

int Win32Ui::RunEventLoop() {
  MSG msg;
  while (!windows_.empty() || false) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    if (msg.hwnd == nullptr && msg.message == WM_APP) {
      for (auto it = windows_.begin(); it != windows_.end();)
        it = IsWindow(static_cast<HWND>(it->second)) ? std::next(it) : windows_.erase(it);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace platform::win32
