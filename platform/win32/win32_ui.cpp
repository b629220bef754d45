// The window layer's top: opening and closing forms' windows and the event loop. Each form's
// window and its controls live in window.cpp, sync.cpp and one adapter per kind of control.
#include "platform/win32/win32_ui.h"

#include "platform/win32/window.h"

namespace platform::win32 {

RECT WindowRect(const ui::Form& form, int dpi, DWORD style, DWORD exStyle) {
  auto px = [dpi](float twips) { return TwipsToPixels(twips, dpi); };
  if (form.popup && form.maximised)
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (form.popup)
    return {px(form.left), px(form.top), px(form.left + form.width), px(form.top + form.height)};
  RECT r{0, 0, px(form.width), px(form.height)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  OffsetRect(&r, px(form.left) - r.left, px(form.top) - r.top);
  return r;
}

RECT WindowRect(FormWindow& w, int dpi) {
  return WindowRect(w.form, dpi, static_cast<DWORD>(GetWindowLongA(w.hwnd, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongA(w.hwnd, GWL_EXSTYLE)));
}

Win32Ui::Win32Ui() : resources_(std::make_unique<UiResources>()) {}

Win32Ui::~Win32Ui() {
  for (auto& w : windows_)
    if (!w->closed) Destroy(*w);
}

FormWindow* Win32Ui::Find(const ui::Form& form) {
  for (auto& w : windows_)
    if (&w->form == &form && !w->closed) return w.get();
  return nullptr;
}

void Win32Ui::Open(ui::Form& form) {
  if (FormWindow* open = Find(form)) {
    ShowWindow(open->hwnd, SW_SHOW);
    return;
  }
  resources_->classes.Register();
  const int placement = resources_->dpi.System();
  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle = form.topmost ? WS_EX_TOPMOST : 0;
  if (form.popup) {
    style |= WS_POPUP;
  } else {
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    exStyle |= WS_EX_CONTROLPARENT;
  }
  const RECT r = WindowRect(form, placement, style, exStyle);
  HWND hwnd = CreateWindowExA(exStyle, kFormClass, form.caption.c_str(), style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) throw util::Failure(static_cast<int>(GetLastError()), "The window cannot open");
  windows_.push_back(std::make_unique<FormWindow>(*this, *resources_, form));
  FormWindow& w = *windows_.back();
  w.hwnd = hwnd;
  w.appliedCaption = form.caption;
  w.dpi = resources_->dpi.Of(hwnd);
  w.placed = WindowRect(w, placement);
  w.Adopt(hwnd);
  if (w.dpi != placement && !form.popup) {
    // Opened on a monitor of another DPI: the client area takes the form's size at the window's.
    const RECT own = WindowRect(form, w.dpi, style, exStyle);
    SetWindowPos(hwnd, nullptr, 0, 0, own.right - own.left, own.bottom - own.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (w.dpi != placement && form.onDisplayChange) {
    // At a DPI of its own: the form measures its monitor again before it is first shown.
    w.Deliver([&] { form.onDisplayChange(); });
    if (w.closed) return;
  }
  for (const auto& failure : w.Sync()) w.Report(failure);
  if (w.closed) return;  // the form's onFailure closed it
  ShowWindow(hwnd, form.maximised && !form.popup ? SW_SHOWMAXIMIZED : SW_SHOW);
  UpdateWindow(hwnd);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
}

void Win32Ui::Destroy(FormWindow& w) {
  for (std::size_t i = 0; i < w.timers.size(); ++i)
    if (w.timers[i].running) KillTimer(w.hwnd, TimerId(i));
  w.closed = true;
  DestroyWindow(w.hwnd);
}

void Win32Ui::Close(ui::Form& form) {
  if (FormWindow* w = Find(form)) Destroy(*w);
}

ui::WindowHandle Win32Ui::Handle(const ui::Form& form) {
  const FormWindow* w = Find(form);
  return w ? reinterpret_cast<ui::WindowHandle>(w->hwnd) : 0;
}

void Win32Ui::RemoveClosed() {
  std::erase_if(windows_, [](const std::unique_ptr<FormWindow>& w) { return w->closed; });
}

int Win32Ui::RunEventLoop() {
  MSG msg;
  for (;;) {
    RemoveClosed();
    if (windows_.empty()) return 0;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);  // a quit message carries the code
    if (got < 0) return 1;                              // the queue itself failed
    bool handled = false;
    for (auto& w : windows_) {
      // Framed forms are dialogs: Tab, Enter and the access keys move between their controls.
      if (!w->closed && !w->form.popup && (msg.hwnd == w->hwnd || IsChild(w->hwnd, msg.hwnd))) {
        handled = IsDialogMessageA(w->hwnd, &msg);
        break;
      }
    }
    if (handled) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32Ui::Refresh() {
  // What onFailure changes is shown too; a failure is reported once, so this ends.
  constexpr int kRounds = 4;
  for (int round = 0; round < kRounds; ++round) {
    bool reported = false;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
      FormWindow& w = *windows_[i];
      if (w.closed) continue;
      for (const auto& failure : w.Sync()) {
        w.Report(failure);
        reported = true;
      }
    }
    if (!reported) return;
  }
}

}  // namespace platform::win32
