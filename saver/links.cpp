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

namespace {

std::string Maker(const std::string& path) {
  return std::string("http://") + MAKER_HOST + path;
}

}  // namespace

std::string TrackedLinkAddress(const std::string& where) {
  return Maker("/football/bounce.cgi?devname=") + DEVNAME + "&v=" + APP_VERSION + "&where=" + where;
}

std::string UpgradeCheckAddress(std::optional<std::int16_t> databaseNumber) {
  // The upgrade page takes -1 for a database whose number cannot be read.
  return Maker("/football/upgrade.cgi?db=") + std::to_string(databaseNumber.value_or(-1)) +
         "&ss=" + APP_VERSION + "&dn=" + DEVNAME;
}

std::string FootballSiteAddress() {
  return Maker("/uk/bounce.cgi?loc=uk&dn=") + DEVNAME;
}

std::string FreeCallsAddress() {
  return Maker("/freecalls/?") + DEVNAME;
}

std::string PartnerShopAddress() {
  return std::string("http://") + PARTNER_HOST +
         "/exec/obidos/redirect-home?tag=fenmoor&site=amazon";
}

std::string InstallerDownloadAddress() {
  return Maker("/uk/");
}

std::string VisitText(const std::string& path) {
  return std::string("Visit ") + MAKER_HOST + path;
}

void OpenTrackedLink(SaverState& saver, const std::string& where) {
  OpenUrl(saver, TrackedLinkAddress(where));
}

}  // namespace tavoria
