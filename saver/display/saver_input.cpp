// Ending the saver on user input: a key, a click or a real pointer movement, once the opening
// phase has armed input.
#include "saver/display/saver_window.h"
#include "saver/startup.h"

namespace tavoria {

void Form_Click(SaverState& saver) {
  EndSaver(saver);
}

void Form_KeyDown(SaverState& saver, int, int) {
  EndSaver(saver);
}

void Form_KeyPress(SaverState& saver, int) {
  EndSaver(saver);
}

void Form_MouseMove(SaverState& saver, float x, float y) {
  auto& w = *saver.screenSaverWindow;
  const ui::Point at{x, y};
  // No event yet, the same position again, or a previous position of (0, 0), is no movement:
  // windows report such events when they appear and the pointer has not moved.
  const bool notMoved = !w.lastMouse || *w.lastMouse == at || *w.lastMouse == ui::Point{0, 0};
  if (!notMoved) EndSaver(saver);
  w.lastMouse = at;
}

void EndSaver(SaverState& saver) {
  if (!saver.screenSaverWindow->inputArmed) return;
  RestoreMousePointer(saver);
  saver.sys.process.End(0);
}

}  // namespace tavoria
