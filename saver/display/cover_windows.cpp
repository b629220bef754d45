// The other monitors while the saver runs: each is covered by a plain black topmost window, so the
// user's documents do not stay on show, and input over any of them ends the saver by the same
// rules as input over the saver window. Monitors come and go while the saver runs (one that
// sleeps is gone as far as the system knows): the covers follow them, and the saver window
// follows the primary monitor's size.
#include <algorithm>

#include "saver/display/saver_window.h"
#include "saver/failures.h"
#include "saver/startup.h"

namespace tavoria {

namespace {

// A cover over one monitor. Pointer positions reach the saver window's movement test in the saver
// window's own terms, so a move from one monitor to another counts as the movement it is.
std::unique_ptr<ui::Form> Cover(SaverState& saver, const ui::Rect& monitor) {
  auto cover = std::make_unique<ui::Form>();
  cover->caption = kCoverWindowTitle;
  cover->back = {0, 0, 0};
  cover->popup = cover->topmost = true;
  cover->left = monitor.left;
  cover->top = monitor.top;
  cover->width = monitor.width;
  cover->height = monitor.height;
  cover->onClick = [&saver] { Form_Click(saver); };
  cover->onKeyDown = [&saver](int keyCode, int shift) { Form_KeyDown(saver, keyCode, shift); };
  cover->onKeyPress = [&saver](int character) { Form_KeyPress(saver, character); };
  cover->onMouseMove = [&saver, monitor](float x, float y) {
    Form_MouseMove(saver, monitor.left + x, monitor.top + y);
  };
  cover->onClose = [&saver] { EndOnClose(saver); };
  cover->onFailure = [&saver](std::exception_ptr failure) {
    EndOnFailure(saver, saver.screenSaverWindow->form, failure);
  };
  return cover;
}

ui::Rect RectOf(const ui::Form& form) {
  return {form.left, form.top, form.width, form.height};
}

bool Overlap(const ui::Rect& a, const ui::Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// The monitors that get a cover: every one but the primary, save one that overlaps it (a monitor
// showing part of the primary's picture), where a cover would black out the saver window.
std::vector<ui::Rect> CoveredMonitors(const std::vector<ui::Rect>& monitors) {
  std::vector<ui::Rect> covered;
  for (std::size_t i = 1; i < monitors.size(); ++i)
    if (!Overlap(monitors[i], monitors.front())) covered.push_back(monitors[i]);
  return covered;
}

bool Contains(const std::vector<ui::Rect>& rects, const ui::Rect& rect) {
  return std::find(rects.begin(), rects.end(), rect) != rects.end();
}

// Closes the covers whose monitor is not among these any more and covers each of these without
// one. True when a window closed or opened.
bool CoverMonitors(SaverState& saver, const std::vector<ui::Rect>& monitors) {
  auto& covers = saver.screenSaverWindow->covers;
  const std::size_t before = covers.size();
  std::vector<ui::Rect> covered;
  std::erase_if(covers, [&](const std::unique_ptr<ui::Form>& cover) {
    const bool kept = Contains(monitors, RectOf(*cover));
    if (kept)
      covered.push_back(RectOf(*cover));
    else
      saver.sys.ui.Close(*cover);
    return !kept;
  });
  const std::size_t kept = covers.size();
  for (const ui::Rect& monitor : monitors) {
    if (Contains(covered, monitor)) continue;
    covers.push_back(Cover(saver, monitor));
    saver.sys.ui.Open(*covers.back());
  }
  return kept != before || covers.size() != kept;
}

}  // namespace

void ShowScreenSaverWindow(SaverState& saver) {
  saver.sys.ui.Open(saver.screenSaverWindow->form);
  FollowMonitors(saver);
}

void FollowMonitors(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  if (!saver.sys.ui.Handle(w.form)) return;
  const bool resized = saver.sys.ui.ScreenSizeOf(w.form) != ui::Size{w.form.width, w.form.height};
  if (resized) LayOutForScreen(saver);
  const bool recovered = CoverMonitors(saver, CoveredMonitors(saver.sys.ui.Monitors()));
  // The system moves the pointer off a monitor that goes: the next pointer event only records
  // where the pointer is, as the first one does.
  if (resized || recovered) w.lastMouse.reset();
}

void CloseScreenSaverWindow(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  for (auto& cover : w.covers) saver.sys.ui.Close(*cover);
  saver.sys.ui.Close(w.form);
}

void EndOnClose(SaverState& saver) {
  RestoreMousePointer(saver);
  CloseScreenSaverWindow(saver);
  saver.sys.process.End(0);
}

}  // namespace tavoria
