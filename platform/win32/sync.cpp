// Applying a form's description: after every event the layer works out what each control's window
// should show (control_diff.h), compares it with what was applied, and changes only what differs.
// A control's window is made the first time the control is shown, so a window opens with only
// what it shows: the saver's hidden pictures and advert panels cost nothing until they appear.
#include "platform/win32/controls.h"
#include "platform/win32/names.h"
#include "platform/win32/win32_ui.h"

namespace platform::win32 {

namespace {

// Where a control's window lives: in its nearest picture, else in the form. Frames only group:
// the controls in a frame sit beside it, moved by its position and hidden with it.
struct Placement {
  HWND host;
  float left, top;
  bool visible;
};

Placement Place(FormWindow& w, const ui::Control& c) {
  Placement p{w.hwnd, c.left, c.top, c.visible};
  for (const ui::Control& container : w.form.Containers(c)) {
    if (container.kind == ui::Kind::Picture) {
      p.host = w.controls[static_cast<std::size_t>(&container - w.form.controls.data())].hwnd;
      break;
    }
    p.left += container.left;
    p.top += container.top;
    p.visible = p.visible && container.visible;
  }
  return p;
}

Look LookOf(const FormWindow& w, const ui::Control& c, const Placement& p) {
  Look look;
  look.caption = c.caption;
  const int left = TwipsToPixels(p.left, w.dpi), top = TwipsToPixels(p.top, w.dpi);
  look.rect = {left, top, TwipsToPixels(p.left + c.width, w.dpi) - left,
               TwipsToPixels(p.top + c.height, w.dpi) - top};
  look.font = {c.font, w.dpi};
  look.fore = c.fore;
  look.back = c.back;
  look.transparent = c.transparent;
  look.visible = p.visible;
  look.image = c.image;
  look.style = WS_CHILD | WS_CLIPSIBLINGS | AdapterFor(c.kind).Style(c);
  look.tooltip = c.tooltip;
  return look;
}

// Makes a control's window, hidden, in its place in the drawing order: later controls are drawn
// above earlier ones, whenever each was made, so it goes just under the first later sibling that
// exists already, else on top. Throws Failure.
void Make(FormWindow& w, std::size_t i, const Look& look, HWND host) {
  const ui::Control& c = w.form.controls[i];
  const ControlAdapter& adapter = AdapterFor(c.kind);
  HWND hwnd =
      CreateWindowExW(adapter.ExStyle(), adapter.ClassName(), WideOfText(c.caption).c_str(),
                      look.style, look.rect.left, look.rect.top, look.rect.width, look.rect.height,
                      host, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                      GetModuleHandleA(nullptr), nullptr);
  if (!hwnd)
    throw util::Failure(static_cast<int>(GetLastError()),
                        "The control " + c.name + " cannot be made");
  if (c.kind == ui::Kind::Picture) w.Adopt(hwnd);
  HWND under = HWND_TOP;
  for (std::size_t k = i + 1; k < w.controls.size(); ++k) {
    if (w.controls[k].hwnd && GetParent(w.controls[k].hwnd) == host) {
      under = w.controls[k].hwnd;
      break;
    }
  }
  SetWindowPos(hwnd, under, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  w.controls[i].hwnd = hwnd;
  w.controls[i].applied = MadeAs(look);
}

gdi::Bitmap LoadBitmap(const std::string& name) {
  if (name.empty()) return {};
  return gdi::Bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleA(nullptr), WideOfText(name).c_str(), IMAGE_BITMAP, 0, 0, 0)));
}

// Shows one control's changes. A part that fails (a bitmap, a tooltip) is reported and counts as
// applied, so it is reported once; a control that cannot be placed or made throws.
void SyncControl(FormWindow& w, std::size_t i, std::vector<std::exception_ptr>& failures) {
  const ui::Control& c = w.form.controls[i];
  ControlWindow& cw = w.controls[i];
  if (!cw.hwnd && !w.form.Shown(c)) return;
  const Placement place = Place(w, c);
  if (!place.host) return;  // its picture is not made: it comes with it
  const Look want = LookOf(w, c, place);
  if (!cw.hwnd) Make(w, i, want, place.host);
  HWND hwnd = cw.hwnd;
  const Changes changes = Compare(cw.applied, want);

  if (changes.style)
    SetWindowLongA(hwnd, GWL_STYLE,
                   static_cast<LONG>(want.style | (want.visible ? WS_VISIBLE : 0)));
  if (changes.font) {
    auto font = w.resources.fonts.Get(c.font, w.dpi);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    cw.font = std::move(font);
  }
  if (changes.caption) SetWindowTextW(hwnd, WideOfText(c.caption).c_str());
  if (changes.back) cw.back = gdi::Brush(CreateSolidBrush(Rgb(c.back)));
  if (changes.image) {
    cw.image = LoadBitmap(c.image);
    if (!c.image.empty() && !cw.image)
      failures.push_back(std::make_exception_ptr(util::Failure(
          static_cast<int>(GetLastError()), "The picture " + c.image + " cannot be loaded")));
  }
  if (changes.rect)
    SetWindowPos(hwnd, nullptr, want.rect.left, want.rect.top, want.rect.width, want.rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (changes.tooltip) {
    try {
      w.resources.tooltips.Set(w.hwnd, w.tooltips, hwnd, c.tooltip);
    } catch (...) {
      failures.push_back(std::current_exception());
    }
  }
  if (changes.visible)
    ShowWindow(hwnd, want.visible ? SW_SHOWNA : SW_HIDE);
  else if (changes.Repaint() && want.visible)
    InvalidateRect(hwnd, nullptr, TRUE);
  cw.applied = AppliedAs(want);
}

// Places the top-level window where its description puts it, once the description (or, for a
// maximised form, the screen) changed since it was last placed; a window already there stays put.
// A framed window keeps the size of its client area at its own DPI, as it opened.
void SyncPlacement(FormWindow& w) {
  const RECT want = WindowRect(w, w.resources.dpi.System());
  if (w.placed && EqualRect(&*w.placed, &want)) return;
  w.placed = want;
  const RECT sized = w.form.popup ? want : WindowRect(w, w.dpi);
  const int width = sized.right - sized.left, height = sized.bottom - sized.top;
  RECT now{};
  GetWindowRect(w.hwnd, &now);
  if (now.left == want.left && now.top == want.top && now.right - now.left == width &&
      now.bottom - now.top == height)
    return;
  SetWindowPos(w.hwnd, nullptr, want.left, want.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::vector<std::exception_ptr> FormWindow::Sync() {
  std::vector<std::exception_ptr> failures;
  SyncPlacement(*this);
  if (appliedCaption != form.caption) {
    SetWindowTextW(hwnd, WideOfText(form.caption).c_str());
    appliedCaption = form.caption;
  }
  if (appliedBack != form.back) {
    back = gdi::Brush(CreateSolidBrush(Rgb(form.back)));
    appliedBack = form.back;
    InvalidateRect(hwnd, nullptr, TRUE);
  }

  if (controls.size() < form.controls.size()) controls.resize(form.controls.size());
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (controls[i].broken) continue;
    try {
      SyncControl(*this, i, failures);
    } catch (...) {
      controls[i].broken = true;
      failures.push_back(std::current_exception());
    }
  }

  // Timers: a timer runs while enabled with an interval; a restart of its count sets it again.
  timers.resize(form.timers.size());
  for (std::size_t i = 0; i < form.timers.size(); ++i) {
    const ui::Timer& t = form.timers[i];
    TimerState& s = timers[i];
    const bool run = t.enabled && t.interval > 0;
    if (run && (!s.running || s.starts != t.starts || s.interval != t.interval)) {
      if (!SetTimer(hwnd, Win32Ui::TimerId(i), static_cast<UINT>(t.interval), nullptr))
        failures.push_back(std::make_exception_ptr(util::Failure(
            static_cast<int>(GetLastError()), "The timer " + t.name + " cannot start")));
    } else if (!run && s.running) {
      KillTimer(hwnd, Win32Ui::TimerId(i));
    }
    s = {run, t.starts, t.interval};
  }
  return failures;
}

}  // namespace platform::win32
