// The other monitors while the saver runs: each is covered by a plain black topmost window, so the
// user's documents do not stay on show, and input over any of them ends the saver by the same
// rules as input over the saver window.
#include "saver/display/saver_window.h"
#include "saver/failures.h"
#include "saver/startup.h"

namespace tavoria {

namespace {

// A cover over one monitor. Pointer positions reach the saver window's movement test in the saver
// window's own terms, so a move from one monitor to another counts as the movement it is.
std::unique_ptr<ui::Form> Cover(GeneralCode& g, const ui::Rect& monitor) {
  auto cover = std::make_unique<ui::Form>();
  cover->caption = kCoverWindowTitle;
  cover->back = {0, 0, 0};
  cover->popup = cover->topmost = true;
  cover->left = monitor.left;
  cover->top = monitor.top;
  cover->width = monitor.width;
  cover->height = monitor.height;
  cover->onClick = [&g] { Form_Click(g); };
  cover->onKeyDown = [&g](int keyCode, int shift) { Form_KeyDown(g, keyCode, shift); };
  cover->onKeyPress = [&g](int character) { Form_KeyPress(g, character); };
  cover->onMouseMove = [&g, monitor](float x, float y) {
    Form_MouseMove(g, monitor.left + x, monitor.top + y);
  };
  cover->onClose = [&g] { RestoreMousePointer(g); };
  cover->onFailure = [&g](std::exception_ptr failure) {
    EndOnFailure(g, g.screenSaverWindow->form, failure);
  };
  return cover;
}

}  // namespace

void ShowScreenSaverWindow(GeneralCode& g) {
  auto& w = *g.screenSaverWindow;
  g.sys.ui.Open(w.form);
  const auto monitors = g.sys.ui.Monitors();
  for (std::size_t i = 1; i < monitors.size(); ++i) {
    w.covers.push_back(Cover(g, monitors[i]));
    g.sys.ui.Open(*w.covers.back());
  }
}

void CloseScreenSaverWindow(GeneralCode& g) {
  auto& w = *g.screenSaverWindow;
  for (auto& cover : w.covers) g.sys.ui.Close(*cover);
  g.sys.ui.Close(w.form);
}

}  // namespace tavoria
