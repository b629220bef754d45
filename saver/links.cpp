#include "saver/links.h"

#include "saver/identity.h"
#include "saver/setup/setup_window.h"

namespace tavoria {

void OpenUrl(GeneralCode& g, const std::string& url) {
  const ui::WindowHandle owner = g.setupWindow ? g.sys.ui.Handle(g.setupWindow->form) : 0;
  g.sys.shell.Execute(owner, "Open", url, "", g.sys.process.ProgramDirectory(), 1);
}

std::string TrackedLinkAddress(const std::string& where) {
  return std::string("http://") + MAKER_HOST + "/football/bounce.cgi?devname=" + DEVNAME +
         "&v=" + APP_VERSION + "&where=" + where;
}

void OpenTrackedLink(GeneralCode& g, const std::string& where) {
  OpenUrl(g, TrackedLinkAddress(where));
}

}  // namespace tavoria
