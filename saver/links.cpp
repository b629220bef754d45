#include "saver/links.h"

#include "saver/setup/setup_window.h"
#include "util/identity.h"

namespace tavoria {

void OpenUrl(SaverState& saver, const std::string& url) {
  const ui::WindowHandle owner =
      saver.setupWindow ? saver.sys.ui.Handle(saver.setupWindow->form) : 0;
  // The addresses are the program's own, ASCII: names as they are.
  saver.sys.shell.Execute(owner, "Open", platform::SystemName(url), "",
                          saver.sys.process.ProgramDirectory(), 1);
}

std::string TrackedLinkAddress(const std::string& where) {
  return std::string("http://") + MAKER_HOST + "/football/bounce.cgi?devname=" + DEVNAME +
         "&v=" + APP_VERSION + "&where=" + where;
}

void OpenTrackedLink(SaverState& saver, const std::string& where) {
  OpenUrl(saver, TrackedLinkAddress(where));
}

}  // namespace tavoria
