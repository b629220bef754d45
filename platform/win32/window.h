// One open form: its top-level window, a child window for each control made so far, its timers,
// and what was last applied of its description. Events reach the form's handlers through Deliver;
// failures reach the form's onFailure through Report.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/win32/control_diff.h"
#include "platform/win32/dpi.h"
#include "platform/win32/fonts.h"
#include "platform/win32/gdi.h"
#include "platform/win32/tooltips.h"
#include "platform/win32/window_classes.h"

namespace platform::win32 {

class Win32Ui;

// A control's child window id: its place in the form's list of controls, from this number on.
inline constexpr int kFirstControlId = 100;

// What the window layer keeps for all its windows.
struct UiResources {
  Dpi dpi;
  FontCache fonts;
  Tooltips tooltips;
  WindowClasses classes;
};

struct ControlWindow {
  HWND hwnd = nullptr;  // none until the control is first shown
  bool broken = false;  // could not be placed or made: reported once, then left alone
  Applied applied;
  std::shared_ptr<gdi::Font> font;
  gdi::Brush back;
  gdi::Bitmap image;
};

struct TimerState {
  bool running = false;
  unsigned starts = 0;
  int interval = 0;
};

class FormWindow {
 public:
  FormWindow(Win32Ui& owner, UiResources& resources, ui::Form& form)
      : owner(owner), resources(resources), form(form) {}
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  Win32Ui& owner;
  UiResources& resources;
  ui::Form& form;
  HWND hwnd = nullptr;
  HWND tooltips = nullptr;
  int dpi = 96;  // this window's own
  bool closed = false;
  gdi::Brush back;
  std::optional<std::string> appliedCaption;
  std::optional<ui::Colour> appliedBack;
  // The window rectangle last placed for the description, at the system DPI; none: place it
  // again (the display changed under a popup window).
  std::optional<RECT> placed;
  std::vector<ControlWindow> controls;  // one per control of the form, in the same order
  std::vector<TimerState> timers;

  // The form window a window of ours belongs to (the form's or a picture's), or none.
  static FormWindow* Of(HWND window);
  // Marks a window of ours as belonging to this form window.
  void Adopt(HWND window);
  // The control behind a child window, or none.
  ui::Control* ControlOf(HWND child, std::size_t* index = nullptr);
  // The brush a control's container is painted with: its nearest picture's, else the form's.
  HBRUSH ContainerBrush(const ui::Control& control);

  // Runs a handler as an event: a failure goes to Report; then the layer shows every change.
  template <typename Handler>
  void Deliver(Handler&& handler) {
    try {
      handler();
    } catch (...) {
      Report(std::current_exception());
    }
    Refresh();
  }
  // Shows every change of the open forms' descriptions.
  void Refresh();
  // Hands a failure to the form's onFailure. A form without one, or a failing onFailure, gets the
  // last resort: a stop box with the failure's text, then the end of the program.
  void Report(std::exception_ptr failure) noexcept;
  // Applies what changed in the description since the last time (sync.cpp); returns the
  // failures, each once, for the caller to report when the windows are consistent again.
  std::vector<std::exception_ptr> Sync();
};

// The form window's procedure and the messages children send to the window that holds them (the
// form's or a picture's): colours, notifications, the pointer.
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
bool ChildMessage(FormWindow& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// What every window procedure of the layer does: a window that is not, or no longer, a form's
// goes to the system; otherwise the children's messages, then the window's own (`own` answers
// true when it took the message); a failure goes to the form's Report and never escapes.
template <typename Own>
LRESULT DispatchMessageOf(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Own&& own) {
  FormWindow* w = FormWindow::Of(hwnd);
  if (!w || w->closed) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    LRESULT result = 0;
    if (ChildMessage(*w, message, wParam, lParam, result) || own(*w, result)) return result;
  } catch (...) {
    w->Report(std::current_exception());
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

COLORREF Rgb(ui::Colour colour);

// A form's window rectangle for its description, in pixels at a DPI. The form's position is the
// window's top-left corner, 0, 0 the primary monitor's; its size is the client area's when framed.
RECT WindowRect(const ui::Form& form, int dpi, DWORD style, DWORD exStyle);
// An open window's rectangle for its form's description at a DPI, in the window's own styles.
RECT WindowRect(FormWindow& w, int dpi);

}  // namespace platform::win32
