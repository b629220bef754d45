// The form's window: its procedure, the messages its children send it, and how events reach the
// form's handlers and failures its onFailure. No exception leaves a window procedure.
#include "platform/win32/window.h"

#include <windowsx.h>

#include "platform/win32/controls.h"
#include "platform/win32/win32_ui.h"

namespace platform::win32 {

namespace {

std::string TextOf(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "An unexpected failure";
  }
}

bool FormMessage(FormWindow& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  ui::Form& form = w.form;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(w.hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, w.back.get());
      result = 1;
      return true;
    }
    case WM_TIMER: {
      const std::size_t index = wParam - 1;
      if (index < form.timers.size() && form.timers[index].enabled)
        w.Deliver([&] {
          auto handler = form.timers[index].onTick;
          if (handler) handler();
        });
      return true;
    }
    case WM_LBUTTONUP:
      if (form.onClick) w.Deliver([&] { form.onClick(); });
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (form.onKeyDown) {
        const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                          (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                          (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        w.Deliver([&] { form.onKeyDown(static_cast<int>(wParam), shift); });
      }
      return false;  // the system still sees its own keys (Alt+F4)
    case WM_CHAR:
      if (form.onKeyPress) w.Deliver([&] { form.onKeyPress(static_cast<int>(wParam)); });
      return true;
    case WM_MOUSEMOVE:
      if (form.onMouseMove) {
        const float x = PixelsToTwips(GET_X_LPARAM(lParam), w.dpi);
        const float y = PixelsToTwips(GET_Y_LPARAM(lParam), w.dpi);
        w.Deliver([&] { form.onMouseMove(x, y); });
      }
      return true;
    case WM_CLOSE:
      w.Deliver([&] {
        if (form.onClose) form.onClose();
      });
      w.owner.Close(form);
      return true;
    case WM_DISPLAYCHANGE:
      // A monitor came or went, or changed its resolution. The system may have moved a popup
      // window to another monitor: it goes back where its description puts it.
      if (form.popup) w.placed.reset();
      w.Deliver([&] {
        if (form.onDisplayChange) form.onDisplayChange();
      });
      return true;
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI, or its monitor's scale changed: take the size the
      // system suggests (a maximised popup window covers its screen still) and show the
      // description again at the new DPI (fonts made for it, twips converted again), once the
      // form has heard of it.
      if (LOWORD(wParam)) w.dpi = LOWORD(wParam);
      if (form.popup && form.maximised) {
        w.placed.reset();
      } else {
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(w.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      w.Deliver([&] {
        if (form.onDisplayChange) form.onDisplayChange();
      });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

COLORREF Rgb(ui::Colour colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

FormWindow* FormWindow::Of(HWND window) {
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void FormWindow::Adopt(HWND window) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ui::Control* FormWindow::ControlOf(HWND child, std::size_t* index) {
  const int i = GetDlgCtrlID(child) - kFirstControlId;
  if (i < 0 || static_cast<std::size_t>(i) >= controls.size() ||
      static_cast<std::size_t>(i) >= form.controls.size() || controls[i].hwnd != child)
    return nullptr;
  if (index) *index = static_cast<std::size_t>(i);
  return &form.controls[static_cast<std::size_t>(i)];
}

HBRUSH FormWindow::ContainerBrush(const ui::Control& control) {
  try {
    for (const ui::Control& container : form.Containers(control)) {
      if (container.kind != ui::Kind::Picture) continue;
      const auto i = static_cast<std::size_t>(&container - form.controls.data());
      return i < controls.size() && controls[i].back ? controls[i].back.get() : back.get();
    }
  } catch (const std::exception&) {
    // A container that is gone: reported when the description was applied, not at every paint.
  }
  return back.get();
}

void FormWindow::Refresh() {
  owner.Refresh();
}

void FormWindow::Report(std::exception_ptr failure) noexcept {
  if (form.onFailure) {
    try {
      auto handler = form.onFailure;
      handler(failure);
      return;
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // Nothing could take the failure: say what it was and end, as nothing else can.
  const std::string text = TextOf(failure);
  MessageBoxA(IsWindow(hwnd) ? hwnd : nullptr, text.c_str(), form.caption.c_str(),
              MB_OK | MB_ICONSTOP | MB_TOPMOST);
  ExitProcess(1);
}

bool ChildMessage(FormWindow& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      std::size_t i = 0;
      const ui::Control* c = w.ControlOf(reinterpret_cast<HWND>(lParam), &i);
      if (!c) return false;
      HBRUSH brush = AdapterFor(c->kind).Colours(w, i, reinterpret_cast<HDC>(wParam));
      result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
    case WM_COMMAND: {
      std::size_t i = 0;
      const ui::Control* c = lParam ? w.ControlOf(reinterpret_cast<HWND>(lParam), &i) : nullptr;
      if (!c) return false;
      AdapterFor(c->kind).Notify(w, i, HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_SETCURSOR: {
      const ui::Control* c = w.ControlOf(reinterpret_cast<HWND>(wParam));
      const char* cursor = c ? AdapterFor(c->kind).Cursor(*c) : nullptr;
      if (!cursor) return false;
      SetCursor(LoadCursorA(nullptr, cursor));
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchMessageOf(hwnd, message, wParam, lParam, [&](FormWindow& w, LRESULT& result) {
    return FormMessage(w, message, wParam, lParam, result);
  });
}

}  // namespace platform::win32
