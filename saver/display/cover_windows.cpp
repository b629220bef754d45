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
  cover->onClose = [&saver] { RestoreMousePointer(saver); };
  cover->onFailure = [&saver](std::exception_ptr failure) {
    EndOnFailure(saver, saver.screenSaverWindow->form, failure);
  };
  return cover;
}

}  // namespace

void ShowScreenSaverWindow(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  saver.sys.ui.Open(w.form);
  const auto monitors = saver.sys.ui.Monitors();
  for (std::size_t i = 1; i < monitors.size(); ++i) {
    w.covers.push_back(Cover(saver, monitors[i]));
    saver.sys.ui.Open(*w.covers.back());
  }
}

void CloseScreenSaverWindow(SaverState& saver) {
  auto& w = *saver.screenSaverWindow;
  for (auto& cover : w.covers) saver.sys.ui.Close(*cover);
  saver.sys.ui.Close(w.form);
}

}  // namespace tavoria
