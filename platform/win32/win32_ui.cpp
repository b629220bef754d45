// The window layer on Win32. Each ui::Form becomes a top-level window; each control a child
// window of its own kind: labels are "Static" controls, pictures a class of our own that paints
// its bitmap or its colour and holds the controls inside it, frames group boxes, buttons "Button"
// controls and text boxes "Edit" controls. Events go to the form's handlers; after each one the
// descriptions are compared with what was applied and the differences are carried out.
#include "platform/win32/win32_ui.h"

#include <windows.h>
// windows.h first: the other system headers build on it.
#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <cstring>
#include <exception>
#include <memory>

#include "platform/win32/gdi.h"

namespace platform::win32 {

namespace {

constexpr const char* kFormClass = "TavoriaForm";
constexpr const char* kPictureClass = "TavoriaPicture";
constexpr int kFirstControlId = 100;

// What was last carried out for a control, compared with its description after each event.
struct Applied {
  std::string caption;
  RECT rect{};
  ui::Font font;
  ui::Colour fore, back;
  bool transparent = false;
  bool visible = false;
  std::string image;
  DWORD style = 0;
  std::string tooltip;
};

struct ControlWindow {
  HWND hwnd = nullptr;
  bool created = false;
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

LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PictureProc(HWND, UINT, WPARAM, LPARAM);

// The common controls library gives the tooltips. It is loaded the first time a window asks for
// a tooltip, so a window without any (the saver's) never pays for it.
void LoadTooltips() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE library = LoadLibraryA("comctl32.dll");
  auto init = library ? reinterpret_cast<InitFunction>(reinterpret_cast<void*>(
                            GetProcAddress(library, "InitCommonControlsEx")))
                      : nullptr;
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  if (init) init(&common);
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  wc.lpfnWndProc = PictureProc;
  wc.hIcon = nullptr;
  wc.lpszClassName = kPictureClass;
  RegisterClassA(&wc);
  registered = true;
}

COLORREF Rgb(ui::Colour c) {
  return RGB(c.red, c.green, c.blue);
}

gdi::Font MakeFont(const ui::Font& font, int dpi) {
  const bool symbol = font.name == "Wingdings" || font.name == "Symbol";
  const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  return gdi::Font(CreateFontA(
      height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline ? TRUE : FALSE, FALSE,
      symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
}

// Controls in the same font share one GDI font, released with the last control that uses it.
std::shared_ptr<gdi::Font> SharedFont(const ui::Font& font, int dpi) {
  static std::vector<std::pair<ui::Font, std::weak_ptr<gdi::Font>>> fonts;
  std::erase_if(fonts, [](const auto& entry) { return entry.second.expired(); });
  for (const auto& [made, shared] : fonts)
    if (made == font)
      if (auto existing = shared.lock()) return existing;
  auto made = std::make_shared<gdi::Font>(MakeFont(font, dpi));
  fonts.emplace_back(font, made);
  return made;
}

}  // namespace

struct Win32Ui::Window {
  Win32Ui* owner = nullptr;
  ui::Form* form = nullptr;
  HWND hwnd = nullptr;
  HWND tooltips = nullptr;
  int dpi = 96;
  bool closed = false;
  gdi::Brush back;
  ui::Colour appliedBack{1, 2, 3};
  std::string appliedCaption;
  std::vector<ControlWindow> controls;
  std::vector<TimerState> timers;

  // The control behind a child window's id, or none.
  ui::Control* ControlOf(HWND child, std::size_t* index = nullptr) {
    const int id = GetDlgCtrlID(child);
    const int i = id - kFirstControlId;
    if (i < 0 || static_cast<std::size_t>(i) >= controls.size() ||
        static_cast<std::size_t>(i) >= form->controls.size() || controls[i].hwnd != child)
      return nullptr;
    if (index) *index = static_cast<std::size_t>(i);
    return &form->controls[static_cast<std::size_t>(i)];
  }

  // The brush a control's container is painted with: its picture's, else the form's.
  HBRUSH ContainerBrush(const ui::Control& control) {
    for (std::string name = control.container; !name.empty();) {
      std::size_t i = 0;
      while (i < form->controls.size() && form->controls[i].name != name) ++i;
      if (i >= form->controls.size()) break;
      if (form->controls[i].kind == ui::Kind::Picture)
        return i < controls.size() && controls[i].back ? controls[i].back.get() : back.get();
      name = form->controls[i].container;
    }
    return back.get();
  }

  // Runs a handler as an event, then shows what it changed. A failure that escapes a handler is
  // reported and ends the program, as nothing could handle it.
  template <typename F>
  void Deliver(F&& handler) {
    try {
      handler();
    } catch (const std::exception& e) {
      MessageBoxA(hwnd, e.what(), form->caption.c_str(), MB_OK | MB_ICONSTOP | MB_TOPMOST);
      ExitProcess(1);
    }
    owner->Refresh();
  }
};

namespace {

Win32Ui::Window* WindowOf(HWND hwnd) {
  return reinterpret_cast<Win32Ui::Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Messages that children send to their parent, the form or a picture alike.
bool ChildMessage(Win32Ui::Window& w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      std::size_t i = 0;
      const ui::Control* c = w.ControlOf(reinterpret_cast<HWND>(lParam), &i);
      if (!c) return false;
      SetTextColor(dc, Rgb(w.controls[i].applied.fore));
      if (c->transparent || c->kind == ui::Kind::Frame || c->kind == ui::Kind::Button) {
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(w.ContainerBrush(*c));
      } else {
        SetBkColor(dc, Rgb(w.controls[i].applied.back));
        result = reinterpret_cast<LRESULT>(w.controls[i].back.get());
      }
      return true;
    }
    case WM_COMMAND: {
      HWND child = reinterpret_cast<HWND>(lParam);
      std::size_t i = 0;
      ui::Control* c = child ? w.ControlOf(child, &i) : nullptr;
      if (!c) return false;
      const WORD code = HIWORD(wParam);
      if (c->kind == ui::Kind::TextBox && code == EN_CHANGE) {
        const int length = GetWindowTextLengthA(child);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(child, text.data(), length + 1)));
        c->caption = text;
        w.controls[i].applied.caption = text;
      } else if (code == BN_CLICKED /* also STN_CLICKED */ && c->onClick) {
        const std::string name = c->name;
        w.Deliver([&] {
          auto handler = (*w.form)[name].onClick;
          handler();
        });
      }
      result = 0;
      return true;
    }
    case WM_SETCURSOR: {
      const ui::Control* c = w.ControlOf(reinterpret_cast<HWND>(wParam));
      if (!c || !c->link) return false;
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

float PixelsToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Ui::Window* w = WindowOf(hwnd);
  if (!w || w->closed) return DefWindowProcA(hwnd, message, wParam, lParam);
  ui::Form& form = *w->form;
  LRESULT result = 0;
  if (ChildMessage(*w, message, wParam, lParam, result)) return result;
  const int dpi = w->dpi;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, w->back.get());
      return 1;
    }
    case WM_TIMER: {
      const std::size_t index = wParam - 1;
      if (index < form.timers.size() && form.timers[index].enabled)
        w->Deliver([&] {
          auto handler = form.timers[index].onTick;
          if (handler) handler();
        });
      return 0;
    }
    case WM_LBUTTONUP:
      if (form.onClick) w->Deliver([&] { form.onClick(); });
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (form.onKeyDown) {
        const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                          (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                          (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        w->Deliver([&] { form.onKeyDown(static_cast<int>(wParam), shift); });
      }
      break;
    case WM_CHAR:
      if (form.onKeyPress) w->Deliver([&] { form.onKeyPress(static_cast<int>(wParam)); });
      return 0;
    case WM_MOUSEMOVE:
      if (form.onMouseMove) {
        const float x = PixelsToTwips(GET_X_LPARAM(lParam), dpi);
        const float y = PixelsToTwips(GET_Y_LPARAM(lParam), dpi);
        w->Deliver([&] { form.onMouseMove(x, y); });
      }
      return 0;
    case WM_CLOSE:
      w->Deliver([&] {
        if (form.onClose) form.onClose();
      });
      w->owner->Close(form);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Ui::Window* w = WindowOf(hwnd);
  if (!w || w->closed) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (ChildMessage(*w, message, wParam, lParam, result)) return result;
  std::size_t i = 0;
  ui::Control* c = w->ControlOf(hwnd, &i);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      if (c && w->controls[i].image) {
        gdi::MemoryDc memory(dc);
        gdi::Selection selected(memory.get(), w->controls[i].image.get());
        BITMAP bm{};
        GetObjectA(w->controls[i].image.get(), sizeof bm, &bm);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, r.right, r.bottom, memory.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                   SRCCOPY);
      } else if (c && w->controls[i].back) {
        FillRect(dc, &r, w->controls[i].back.get());
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCHITTEST:
      // Pointer and clicks over a picture without a click handler belong to the window below.
      if (!c || !c->onClick) return HTTRANSPARENT;
      break;
    case WM_LBUTTONUP:
      if (c && c->onClick) {
        const std::string name = c->name;
        w->Deliver([&] {
          auto handler = (*w->form)[name].onClick;
          handler();
        });
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The window style a control's description asks for.
DWORD StyleOf(const ui::Control& c) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  switch (c.kind) {
    case ui::Kind::Label:
      style |= SS_NOPREFIX;
      if (c.align == ui::Align::Centre)
        style |= SS_CENTER;
      else if (c.align == ui::Align::Right)
        style |= SS_RIGHT;
      else
        style |= c.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
      if (c.link || c.onClick || !c.tooltip.empty()) style |= SS_NOTIFY;
      break;
    case ui::Kind::Picture:
      style |= WS_CLIPCHILDREN;
      break;
    case ui::Kind::Frame:
      style |= BS_GROUPBOX;
      break;
    case ui::Kind::Button:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ui::Kind::TextBox:
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      break;
  }
  return style;
}

const char* ClassOf(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Label:
      return "Static";
    case ui::Kind::Picture:
      return kPictureClass;
    case ui::Kind::Frame:
    case ui::Kind::Button:
      return "Button";
    case ui::Kind::TextBox:
      return "Edit";
  }
  return "Static";
}

}  // namespace

Win32Ui::Win32Ui() = default;
Win32Ui::~Win32Ui() = default;

int Win32Ui::Dpi() {
  if (!dpi_) dpi_ = GetDeviceCaps(gdi::WindowDc().get(), LOGPIXELSX);
  return dpi_ > 0 ? dpi_ : 96;
}

ui::Size Win32Ui::ScreenSize() {
  const int dpi = Dpi();
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

std::vector<ui::Rect> Win32Ui::Monitors() {
  struct Found {
    std::vector<RECT> rects;
  } found;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(monitor, &info)) {
          auto& rects = reinterpret_cast<Found*>(data)->rects;
          if (info.dwFlags & MONITORINFOF_PRIMARY)
            rects.insert(rects.begin(), info.rcMonitor);
          else
            rects.push_back(info.rcMonitor);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  const int dpi = Dpi();
  std::vector<ui::Rect> monitors;
  for (const RECT& r : found.rects)
    monitors.push_back({PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi),
                        PixelsToTwips(r.right - r.left, dpi),
                        PixelsToTwips(r.bottom - r.top, dpi)});
  if (monitors.empty()) monitors.push_back({0, 0, ScreenSize().width, ScreenSize().height});
  return monitors;
}

ui::Size Win32Ui::MeasureText(const ui::Font& font, const std::string& text) {
  const int dpi = Dpi();
  gdi::WindowDc dc;
  const auto f = SharedFont(font, dpi);
  gdi::Selection selected(dc.get(), f->get());
  RECT r{0, 0, 0, 0};
  DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX);
  return {PixelsToTwips(text.empty() ? 0 : r.right, dpi), PixelsToTwips(r.bottom, dpi)};
}

void Win32Ui::Open(ui::Form& form) {
  for (auto& w : windows_) {
    if (w->form == &form && !w->closed) {
      ShowWindow(w->hwnd, SW_SHOW);
      return;
    }
  }
  RegisterClasses();
  const int dpi = Dpi();
  auto px = [dpi](float twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
  auto window = std::make_unique<Window>();
  window->owner = this;
  window->form = &form;
  window->dpi = dpi;
  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle = form.topmost ? WS_EX_TOPMOST : 0;
  RECT r{};
  if (form.popup) {
    style |= WS_POPUP;
    if (form.maximised)
      r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    else
      r = {px(form.left), px(form.top), px(form.left + form.width), px(form.top + form.height)};
  } else {
    style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    exStyle |= WS_EX_CONTROLPARENT;
    r = {0, 0, px(form.width), px(form.height)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    // The form's position is the window's top-left corner; 0, 0 is the screen's corner.
    OffsetRect(&r, px(form.left) - r.left, px(form.top) - r.top);
  }
  window->hwnd = CreateWindowExA(exStyle, kFormClass, form.caption.c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  if (!window->hwnd) throw Failure(static_cast<int>(GetLastError()), "The window cannot open");
  window->appliedCaption = form.caption;
  SetWindowLongPtrA(window->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window.get()));
  Window& w = *window;
  windows_.push_back(std::move(window));
  Sync(w);
  ShowWindow(w.hwnd, form.maximised && !form.popup ? SW_SHOWMAXIMIZED : SW_SHOW);
  UpdateWindow(w.hwnd);
  SetForegroundWindow(w.hwnd);
  SetFocus(w.hwnd);
}

void Win32Ui::Close(ui::Form& form) {
  for (auto& w : windows_) {
    if (w->form != &form || w->closed) continue;
    for (std::size_t i = 0; i < w->timers.size(); ++i)
      if (w->timers[i].running) KillTimer(w->hwnd, TimerId(i));
    w->closed = true;
    DestroyWindow(w->hwnd);
  }
}

ui::WindowHandle Win32Ui::Handle(const ui::Form& form) {
  for (auto& w : windows_)
    if (w->form == &form && !w->closed) return reinterpret_cast<ui::WindowHandle>(w->hwnd);
  return 0;
}

void Win32Ui::RemoveClosed() {
  std::erase_if(windows_, [](const std::unique_ptr<Window>& w) { return w->closed; });
}

int Win32Ui::RunEventLoop() {
  MSG msg;
  for (;;) {
    RemoveClosed();
    if (windows_.empty()) break;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    bool handled = false;
    for (auto& w : windows_) {
      if (!w->closed && !w->form->popup && (msg.hwnd == w->hwnd || IsChild(w->hwnd, msg.hwnd))) {
        handled = IsDialogMessageA(w->hwnd, &msg);
        break;
      }
    }
    if (handled) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

void Win32Ui::Refresh() {
  for (std::size_t i = 0; i < windows_.size(); ++i)
    if (!windows_[i]->closed) Sync(*windows_[i]);
}

void Win32Ui::Sync(Window& w) {
  ui::Form& form = *w.form;
  const int dpi = Dpi();
  auto px = [dpi](float twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };

  if (form.caption != w.appliedCaption) {
    SetWindowTextA(w.hwnd, form.caption.c_str());
    w.appliedCaption = form.caption;
  }
  if (form.back != w.appliedBack) {
    w.back = gdi::Brush(CreateSolidBrush(Rgb(form.back)));
    w.appliedBack = form.back;
    InvalidateRect(w.hwnd, nullptr, TRUE);
  }

  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ui::Control& c = form.controls[i];
    if (i >= w.controls.size()) w.controls.emplace_back();
    ControlWindow& cw = w.controls[i];

    // The window a control lives in: its nearest picture, else the form. Frames only group: the
    // controls in a frame sit beside it, moved by its position and hidden with it.
    HWND host = w.hwnd;
    float left = c.left, top = c.top;
    bool visible = c.visible;
    for (const ui::Control* k = &c; !k->container.empty();) {
      std::size_t j = 0;
      while (j < i && form.controls[j].name != k->container) ++j;
      if (j >= i) break;  // containers come before their contents
      k = &form.controls[j];
      if (k->kind == ui::Kind::Picture) {
        host = w.controls[j].hwnd;
        break;
      }
      left += k->left;
      top += k->top;
      visible = visible && k->visible;
    }

    Applied want;
    want.caption = c.caption;
    want.rect = {px(left), px(top), px(left + c.width), px(top + c.height)};
    want.font = c.font;
    want.fore = c.fore;
    want.back = c.back;
    want.transparent = c.transparent;
    want.visible = visible;
    want.image = c.image;
    want.style = StyleOf(c);
    want.tooltip = c.tooltip;
    const Applied& had = cw.applied;

    // A control is made the first time it is to be seen, so a window opens with only what it
    // shows: the saver's hidden pictures and advert panels cost nothing until they appear.
    if (!cw.created && !form.Shown(c)) continue;
    if (!cw.created) {
      // A frame draws only its border and caption: transparent, so the window under it is
      // painted inside it rather than clipped away and left unpainted.
      const DWORD exStyle = c.kind == ui::Kind::TextBox ? WS_EX_CLIENTEDGE
                            : c.kind == ui::Kind::Frame ? WS_EX_TRANSPARENT
                                                        : 0;
      cw.hwnd = CreateWindowExA(exStyle, ClassOf(c.kind), c.caption.c_str(), want.style,
                                want.rect.left, want.rect.top, want.rect.right - want.rect.left,
                                want.rect.bottom - want.rect.top, host,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                GetModuleHandleA(nullptr), nullptr);
      if (c.kind == ui::Kind::Picture)
        SetWindowLongPtrA(cw.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&w));
      // Later controls are drawn above earlier ones, whenever each was made: this one goes just
      // under the first later sibling that exists already, else on top.
      HWND under = HWND_TOP;
      for (std::size_t k = i + 1; k < w.controls.size(); ++k) {
        if (w.controls[k].hwnd && GetParent(w.controls[k].hwnd) == host) {
          under = w.controls[k].hwnd;
          break;
        }
      }
      SetWindowPos(cw.hwnd, under, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      cw.created = true;
      cw.applied = want;
      cw.applied.visible = false;
      cw.applied.font.name.clear();  // forces the font, colours and image below
      cw.applied.back = {c.back.red, c.back.green, static_cast<std::uint8_t>(c.back.blue ^ 1)};
      cw.applied.image = c.image.empty() ? "" : "\x01";
      cw.applied.tooltip.clear();
    }
    if (!cw.hwnd) continue;

    bool repaint = false;
    if (want.style != had.style) {
      SetWindowLongA(cw.hwnd, GWL_STYLE,
                     static_cast<LONG>(want.style | (visible ? WS_VISIBLE : 0)));
      repaint = true;
    }
    if (!(want.font == had.font)) {
      auto font = SharedFont(c.font, dpi);
      SendMessageA(cw.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
      cw.font = std::move(font);
      repaint = true;
    }
    if (want.caption != had.caption) {
      SetWindowTextA(cw.hwnd, c.caption.c_str());
      repaint = true;
    }
    if (want.back != had.back) {
      cw.back = gdi::Brush(CreateSolidBrush(Rgb(c.back)));
      repaint = true;
    }
    if (want.fore != had.fore || want.transparent != had.transparent) repaint = true;
    if (want.image != had.image) {
      cw.image = c.image.empty()
                     ? gdi::Bitmap()
                     : gdi::Bitmap(static_cast<HBITMAP>(LoadImageA(
                           GetModuleHandleA(nullptr), c.image.c_str(), IMAGE_BITMAP, 0, 0, 0)));
      repaint = true;
    }
    if (std::memcmp(&want.rect, &had.rect, sizeof(RECT)) != 0)
      SetWindowPos(cw.hwnd, nullptr, want.rect.left, want.rect.top,
                   want.rect.right - want.rect.left, want.rect.bottom - want.rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (want.tooltip != had.tooltip) {
      if (!w.tooltips) LoadTooltips();
      if (!w.tooltips)
        w.tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
      TTTOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = w.hwnd;
      tool.uId = reinterpret_cast<UINT_PTR>(cw.hwnd);
      tool.lpszText = const_cast<char*>(c.tooltip.c_str());
      SendMessageA(w.tooltips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
      if (!c.tooltip.empty())
        SendMessageA(w.tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (want.visible != had.visible) {
      ShowWindow(cw.hwnd, visible ? SW_SHOWNA : SW_HIDE);
    } else if (repaint && visible) {
      InvalidateRect(cw.hwnd, nullptr, TRUE);
    }
    cw.applied = std::move(want);
  }

  // Timers: a timer runs while enabled with an interval; a restart of its count sets it again.
  w.timers.resize(form.timers.size());
  for (std::size_t i = 0; i < form.timers.size(); ++i) {
    const ui::Timer& t = form.timers[i];
    TimerState& s = w.timers[i];
    const bool run = t.enabled && t.interval > 0;
    if (run && (!s.running || s.starts != t.starts || s.interval != t.interval)) {
      SetTimer(w.hwnd, TimerId(i), static_cast<UINT>(t.interval), nullptr);
    } else if (!run && s.running) {
      KillTimer(w.hwnd, TimerId(i));
    }
    s = {run, t.starts, t.interval};
  }
}

}  // namespace platform::win32
