#include "saver/startup.h"

#include <limits>

#include "saver/data/database.h"
#include "saver/data/settings.h"
#include "saver/display/saver_window.h"
#include "saver/failures.h"
#include "saver/setup/setup_window.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/utf8.h"

namespace tavoria {

namespace {

void RunFullScreen(SaverState& saver) {
  if (!NoWindowTitled(saver, SAVER_WINDOW_TITLE)) return;
  LoadDatabase(saver);
  ReadConfig(saver);
  StartScreenSaver(saver);
}

}  // namespace

void StartScreenSaver(SaverState& saver) {
  HideMousePointer(saver);
  // From here on every way out shows the pointer again before anything else.
  try {
    AddBuiltInAdverts(saver);
    LoadScreenSaverWindow(saver);
    ScreenSaverWindow& window = *saver.screenSaverWindow;
    const auto interval = DelayInterval(saver.delaySetting);
    // A delay edited by hand into something the timer cannot take: say so and stop.
    if (!interval) return EndWithReport(saver, nullptr, BadDelayMessage(saver.delaySetting));
    window.form[window.timers.display].SetInterval(*interval);
    window.form[window.controls.jokeLabel].align = ui::Align::Centre;
    saver.nextFixtureIndex = 1;
    ShowScreenSaverWindow(saver);
  } catch (const std::exception&) {
    EndWithReport(saver, saver.screenSaverWindow ? &saver.screenSaverWindow->form : nullptr,
                  GeneralErrorReport(FailureOf(std::current_exception())));
  }
}

void Main(SaverState& saver) {
  // To the saver its command line is text: switches, compared with the switches file's, or quoted
  // in a message box whole.
  const std::string commandLine = saver.sys.process.ArgumentText().utf8();
  saver.saverSwitch = kDefaultSaverSwitch;
  saver.setupSwitch = kDefaultSetupSwitch;
  ReadSaverArgs(saver);
  const std::string theSwitch = text::LowerCase(utf8::Prefix(commandLine, 2));

  if (theSwitch == saver.setupSwitch) {
    ReadConfig(saver);
    try {
      ShowSetupWindow(saver);
    } catch (const std::exception&) {
      // No settings window: say why, and end.
      EndWithReport(saver, nullptr, GeneralErrorReport(FailureOf(std::current_exception())));
    }
  } else if (theSwitch == saver.saverSwitch) {
    RunFullScreen(saver);
  } else if (commandLine.find("/p") != std::string::npos) {
    saver.sys.process.End(0);
  } else if (commandLine.find("/a") != std::string::npos) {
    saver.sys.desktop.ShowMessage(PasswordMessage());
  } else {
    saver.sys.desktop.ShowMessage(InvalidCommandLineMessage(commandLine));
  }
}

bool NoWindowTitled(SaverState& saver, const std::string& title) {
  return !saver.sys.desktop.TopLevelWindowExists(title);
}

void HideMousePointer(SaverState& saver) {
  saver.sys.desktop.ShowCursor(false);
  saver.pointerHidden = true;
}

void ShowMousePointer(SaverState& saver) {
  saver.sys.desktop.ShowCursor(true);
  saver.pointerHidden = false;
}

void RestoreMousePointer(SaverState& saver) {
  if (saver.pointerHidden) ShowMousePointer(saver);
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
          text::JoinCrLf({std::string("The ") + SCREENSAVER_NAME +
                              " cannot start: the delay in its settings file " + CONFIG_FILE +
                              " (" + delay + ") is not a number of seconds it can use.",
                          "",
                          "Please open the screensaver's settings and enter a delay " +
                              AcceptedDelays() + " seconds.",
                          "",
                          std::string("If you require more help, please contact ") +
                              SCREENSAVER_COMPANY + " technical support: ",
                          "", std::string("E-mail: ") + SUPPORT_EMAIL,
                          std::string("Web: ") + HOMEPAGE_URL}),
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

}  // namespace tavoria
