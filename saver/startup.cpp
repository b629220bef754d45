#include "saver/startup.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "saver/data/database.h"
#include "saver/data/settings.h"
#include "saver/display/saver_window.h"
#include "saver/identity.h"
#include "saver/message_text.h"
#include "saver/setup/setup_window.h"

namespace tavoria {

namespace {

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void RunFullScreen(GeneralCode& g) {
  if (!NoWindowTitled(g, SAVER_WINDOW_TITLE)) return;
  LoadDatabase(g);
  ReadConfig(g);
  HideMousePointer(g);
  // From here on every way out shows the pointer again before anything else.
  auto stop = [&g](const platform::MessageBoxRequest& report) {
    ShowMousePointer(g);
    g.sys.desktop.ShowMessage(report);
    g.sys.process.End(1);
  };
  try {
    AddBuiltInAdverts(g);
    LoadScreenSaverWindow(g);
    auto& window = g.screenSaverWindow->form;
    const auto interval = DelayInterval(g.delaySetting);
    // A delay edited by hand into something the timer cannot take: say so and stop.
    if (!interval) stop(BadDelayMessage(g.delaySetting));
    window.timer("Timer1").SetInterval(*interval);
    window["jokeLabel"].align = ui::Align::Centre;
    g.nextFixtureIndex = 1;
    g.sys.ui.Open(window);
  } catch (const platform::Failure& failure) {
    stop(GeneralErrorReport(failure));
  } catch (const std::exception& failure) {
    stop(GeneralErrorReport(platform::Failure(7, failure.what())));
  }
}

}  // namespace

void Main(GeneralCode& g) {
  const std::string commandLine = g.sys.process.ArgumentText();
  g.saverSwitch = "/s";
  g.setupSwitch = "/c";
  ReadSaverArgs(g);
  const std::string theSwitch = LowerCase(commandLine.substr(0, 2));

  if (theSwitch == g.setupSwitch) {
    ReadConfig(g);
    try {
      ShowSetupWindow(g);
    } catch (const platform::Failure& failure) {
      // No settings window: say why, and end.
      g.sys.desktop.ShowMessage(GeneralErrorReport(failure));
      g.sys.process.End(1);
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
}

void ShowMousePointer(GeneralCode& g) {
  g.sys.desktop.ShowCursor(true);
}

std::optional<int> DelayInterval(const std::string& delay) {
  // A plain decimal number: blanks around it, a sign, digits with a point, an exponent. It is
  // worked out in decimal, so an exact half of a millisecond goes to the even neighbour.
  std::size_t i = 0;
  const std::size_t n = delay.size();
  auto blank = [&](std::size_t k) { return k < n && (delay[k] == ' ' || delay[k] == '\t'); };
  auto digit = [&](std::size_t k) {
    return k < n && std::isdigit(static_cast<unsigned char>(delay[k]));
  };
  while (blank(i)) ++i;
  bool negative = false;
  if (i < n && (delay[i] == '+' || delay[i] == '-')) negative = delay[i++] == '-';
  std::string digits;  // the number's digits without the point: value = digits x 10^scale
  long scale = 0;
  while (digit(i)) digits += delay[i++];
  if (i < n && delay[i] == '.') {
    ++i;
    while (digit(i)) digits += delay[i++], --scale;
  }
  if (digits.empty()) return std::nullopt;
  if (i < n && (delay[i] == 'e' || delay[i] == 'E')) {
    std::size_t k = i + 1;
    bool minus = false;
    if (k < n && (delay[k] == '+' || delay[k] == '-')) minus = delay[k++] == '-';
    if (!digit(k)) return std::nullopt;
    long exponent = 0;
    for (; digit(k); ++k) exponent = std::min(exponent * 10 + (delay[k] - '0'), 1000000L);
    scale += minus ? -exponent : exponent;
    i = k;
  }
  while (blank(i)) ++i;
  if (i != n) return std::nullopt;

  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty() || negative) return std::nullopt;
  const long shift = scale + 3;        // to milliseconds
  const std::size_t kMostDigits = 10;  // more than any interval the timer takes
  std::string whole, dropped;
  if (shift >= 0) {
    if (digits.size() + static_cast<std::size_t>(shift) > kMostDigits) return std::nullopt;
    whole = digits + std::string(static_cast<std::size_t>(shift), '0');
  } else if (static_cast<std::size_t>(-shift) <= digits.size()) {
    whole = digits.substr(0, digits.size() - static_cast<std::size_t>(-shift));
    dropped = digits.substr(whole.size());
  } else {
    return std::nullopt;  // below half a millisecond
  }
  if (whole.size() > kMostDigits) return std::nullopt;
  long long milliseconds = whole.empty() ? 0 : std::stoll(whole);
  if (!dropped.empty()) {
    const bool moreThanHalf = dropped.find_first_not_of('0', 1) != std::string::npos;
    if (dropped[0] > '5' || (dropped[0] == '5' && (moreThanHalf || milliseconds % 2 == 1)))
      ++milliseconds;
  }
  if (milliseconds < 1 || milliseconds > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(milliseconds);
}

platform::MessageBoxRequest PasswordMessage() {
  return {std::string(SCREENSAVER_NAME) + ": password protection not supported.",
          Lines({std::string("Unfortunately, the ") + SCREENSAVER_NAME +
                     " does not support password protection. ",
                 "",
                 "Please visit our site regularly for information on when this feature will be "
                 "added:",
                 HOMEPAGE_URL, "", "Sorry for any inconvenience caused."}),
          platform::Icon::Information, platform::Buttons::Ok};
}

platform::MessageBoxRequest InvalidCommandLineMessage(const std::string& commandLine) {
  return {std::string(SCREENSAVER_NAME) + " error!",
          Lines({"This is a screensaver. It is not intended to be run as a stand-alone program. ",
                 "", "The command line specified (" + commandLine + ") was invalid. ", "",
                 "If you are receiving this message instead of the screensaver running as ",
                 std::string("intended, you may need to edit the screensaver INI file ") +
                     SWITCHES_FILE + ".",
                 "Please read documentation for more information.", "",
                 std::string("If you require more help, please contact ") + SCREENSAVER_COMPANY +
                     " technical support: ",
                 "", std::string("E-mail: ") + SUPPORT_EMAIL, std::string("Web: ") + HOMEPAGE_URL,
                 "", "Please make a note of the following information:", "",
                 std::string("App version: ") + APP_VERSION, std::string("Devname: ") + DEVNAME, "",
                 "Thank you, and sorry for any inconvenience."}),
          platform::Icon::Exclamation, platform::Buttons::Ok};
}

platform::MessageBoxRequest BadDelayMessage(const std::string& delay) {
  return {std::string(SCREENSAVER_NAME) + " error!",
          Lines({std::string("The ") + SCREENSAVER_NAME +
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
