#include "saver/startup.h"

#include <limits>

#include "platform/text.h"
#include "saver/data/database.h"
#include "saver/data/settings.h"
#include "saver/display/saver_window.h"
#include "saver/failures.h"
#include "saver/identity.h"
#include "saver/setup/setup_window.h"

namespace tavoria {

namespace {

void RunFullScreen(GeneralCode& g) {
  if (!NoWindowTitled(g, SAVER_WINDOW_TITLE)) return;
  LoadDatabase(g);
  ReadConfig(g);
  StartScreenSaver(g);
}

}  // namespace

void StartScreenSaver(GeneralCode& g) {
  HideMousePointer(g);
  // From here on every way out shows the pointer again before anything else.
  try {
    AddBuiltInAdverts(g);
    LoadScreenSaverWindow(g);
    auto& window = g.screenSaverWindow->form;
    const auto interval = DelayInterval(g.delaySetting);
    // A delay edited by hand into something the timer cannot take: say so and stop.
    if (!interval) return EndWithReport(g, nullptr, BadDelayMessage(g.delaySetting));
    window.timer("Timer1").SetInterval(*interval);
    window["jokeLabel"].align = ui::Align::Centre;
    g.nextFixtureIndex = 1;
    ShowScreenSaverWindow(g);
  } catch (const std::exception&) {
    EndWithReport(g, g.screenSaverWindow ? &g.screenSaverWindow->form : nullptr,
                  GeneralErrorReport(FailureOf(std::current_exception())));
  }
}

void Main(GeneralCode& g) {
  const std::string commandLine = g.sys.process.ArgumentText();
  g.saverSwitch = "/s";
  g.setupSwitch = "/c";
  ReadSaverArgs(g);
  const std::string theSwitch = text::LowerCase(commandLine.substr(0, 2));

  if (theSwitch == g.setupSwitch) {
    ReadConfig(g);
    try {
      ShowSetupWindow(g);
    } catch (const std::exception&) {
      // No settings window: say why, and end.
      EndWithReport(g, nullptr, GeneralErrorReport(FailureOf(std::current_exception())));
    }
  } else if (theSwitch == g.saverSwitch) {
    RunFullScreen(g);
  } else if (commandLine.find("/p") != std::string::npos) {
    g.sys.process.End(0);
  } else if (commandLine.find("/a") != std::string::npos) {
    g.sys.desktop.ShowMessage(PasswordMessage());
  } else {
    g.sys.desktop.ShowMessage(InvalidCommandLineMessage(commandLine));
  }
}

bool NoWindowTitled(GeneralCode& g, const std::string& title) {
  return !g.sys.desktop.TopLevelWindowExists(title);
}

void HideMousePointer(GeneralCode& g) {
  g.sys.desktop.ShowCursor(false);
  g.pointerHidden = true;
}

void ShowMousePointer(GeneralCode& g) {
  g.sys.desktop.ShowCursor(true);
  g.pointerHidden = false;
}

void RestoreMousePointer(GeneralCode& g) {
  if (g.pointerHidden) ShowMousePointer(g);
}

std::optional<int> DelayInterval(const std::string& delay) {
  // A plain decimal number with blanks around it, worked out in decimal, so an exact half of a
  // millisecond goes to the even neighbour.
  const auto seconds = text::WholeDecimal(delay);
  if (!seconds) return std::nullopt;
  const auto milliseconds = text::RoundHalfEven(*seconds, 3, std::numeric_limits<int>::max());
  if (!milliseconds || *milliseconds < 1) return std::nullopt;
  return static_cast<int>(*milliseconds);
}

platform::MessageBoxRequest PasswordMessage() {
  return {std::string(SCREENSAVER_NAME) + ": password protection not supported.",
          text::JoinCrLf(
              {std::string("Unfortunately, the ") + SCREENSAVER_NAME +
                   " does not support password protection. ",
               "",
               "Please visit our site regularly for information on when this feature will be "
               "added:",
               HOMEPAGE_URL, "", "Sorry for any inconvenience caused."}),
          platform::Icon::Information, platform::Buttons::Ok};
}

platform::MessageBoxRequest InvalidCommandLineMessage(const std::string& commandLine) {
  return {std::string(SCREENSAVER_NAME) + " error!",
          text::JoinCrLf(
              {"This is a screensaver. It is not intended to be run as a stand-alone program. ", "",
               "The command line specified (" + commandLine + ") was invalid. ", "",
               "If you are receiving this message instead of the screensaver running as ",
               std::string("intended, you may need to edit the screensaver INI file ") +
                   SWITCHES_FILE + ".",
               "Please read documentation for more information.", "",
               std::string("If you require more help, please contact ") + SCREENSAVER_COMPANY +
                   " technical support: ",
               "", std::string("E-mail: ") + SUPPORT_EMAIL, std::string("Web: ") + HOMEPAGE_URL, "",
               "Please make a note of the following information:", "",
               std::string("App version: ") + APP_VERSION, std::string("Devname: ") + DEVNAME, "",
               "Thank you, and sorry for any inconvenience."}),
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

platform::MessageBoxRequest BadDelayMessage(const std::string& delay) {
  return {std::string(SCREENSAVER_NAME) + " error!",
          text::JoinCrLf(
              {std::string("The ") + SCREENSAVER_NAME +
                   " cannot start: the delay in its settings file " + CONFIG_FILE + " (" + delay +
                   ") is not a number of seconds it can use.",
               "",
               "Please open the screensaver's settings and enter a delay between 2 and 30 "
               "seconds.",
               "",
               std::string("If you require more help, please contact ") + SCREENSAVER_COMPANY +
                   " technical support: ",
               "", std::string("E-mail: ") + SUPPORT_EMAIL, std::string("Web: ") + HOMEPAGE_URL}),
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

}  // namespace tavoria
