// Placeholder until the saver window lands: a black window with the two controls start-up sets.
#include "saver/display/saver_window.h"

#include "saver/identity.h"

namespace tavoria {

void LoadScreenSaverWindow(GeneralCode& g) {
  if (g.screenSaverWindow) return;
  g.screenSaverWindow = std::make_unique<ScreenSaverWindow>();
  auto& form = g.screenSaverWindow->form;
  form.caption = SAVER_WINDOW_TITLE;
  form.maximised = form.popup = form.topmost = true;
  form.Add({.name = "jokeLabel", .visible = false});
  form.AddTimer("Timer1", 0, false, [] {});
}

}  // namespace tavoria
