// Ending the saver on user input: a key, a click or a real pointer movement, once the opening
// phase has armed input.
#include "saver/display/saver_window.h"
#include "saver/startup.h"

namespace tavoria {

void Form_Click(GeneralCode& g) {
  EndSaver(g);
}

void Form_KeyDown(GeneralCode& g, int, int) {
  EndSaver(g);
}

void Form_KeyPress(GeneralCode& g, int) {
  EndSaver(g);
}

void Form_MouseMove(GeneralCode& g, float x, float y) {
  auto& w = *g.screenSaverWindow;
  // The same position again, or a previous position of (0, 0) (also: no event yet), is no
  // movement: windows report such events when they appear and the pointer has not moved.
  const bool notMoved =
      (w.lastMouseX == x && w.lastMouseY == y) || (w.lastMouseX == 0 && w.lastMouseY == 0);
  if (!notMoved) EndSaver(g);
  w.lastMouseX = x;
  w.lastMouseY = y;
}

void EndSaver(GeneralCode& g) {
  if (g.screenSaverWindow->form["labelxx"].caption != "ok") return;
  RestoreMousePointer(g);
  g.sys.process.End(0);
}

}  // namespace tavoria
