// Start-up: which mode each command line selects, and the messages it answers with.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/memory/memory_platform.h"
#include "saver/display/saver_window.h"
#include "saver/setup/setup_window.h"
#include "saver/startup.h"
#include "util/identity.h"

namespace {

using platform::Buttons;
using platform::Icon;
using platform::MessageBoxRequest;
using platform::memory::MemoryPlatform;
using tavoria::SaverState;
using Events = std::vector<std::string>;

enum class Mode { Settings, FullScreen, Preview, Password, Invalid, Nothing };

// Starts the program with a command line and tells which mode it went into.
Mode Start(MemoryPlatform& m, SaverState& saver, const std::string& commandLine) {
  m.process.argumentText = commandLine;
  m.ui.Run([&] { tavoria::Main(saver); });
  if (!m.process.ends.empty()) return Mode::Preview;
  if (saver.setupWindow && m.ui.IsOpen(saver.setupWindow->form)) return Mode::Settings;
  if (saver.screenSaverWindow && m.ui.IsOpen(saver.screenSaverWindow->form))
    return Mode::FullScreen;
  if (m.desktop.messages.empty()) return Mode::Nothing;
  return m.desktop.messages.back() == tavoria::PasswordMessage() ? Mode::Password : Mode::Invalid;
}

struct StartupTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};
  Mode Start(const std::string& commandLine) { return ::Start(m, saver, commandLine); }
};

// Which mode each command line selects, with the switches file (if any) it meets.
TEST(StartupModes, EachCommandLineSelectsItsMode) {
  struct Case {
    const char* switchesFile;  // nullptr: no file
    const char* commandLine;
    Mode mode;
  };
  const Case cases[] = {
      {nullptr, "/s", Mode::FullScreen},
      {nullptr, "/S", Mode::FullScreen},  // the first two characters, lower-cased
      {nullptr, "/C", Mode::Settings},
      {nullptr, "/c:1234", Mode::Settings},  // a window handle joined to the switch
      {nullptr, "/p 1234", Mode::Preview},
      {nullptr, "/P 1234", Mode::Invalid},  // the preview and password tests are case-sensitive
      {nullptr, " /s", Mode::Invalid},      // a leading blank hides the switch
      {nullptr, " /s /p 12", Mode::Preview},
      {nullptr, "/x /a", Mode::Password},   // "/a" anywhere
      {nullptr, "/a /p 5", Mode::Preview},  // preview is tested before password
      {nullptr, "", Mode::Invalid},
      {"/x\r\n/y\r\n", "/X", Mode::FullScreen},
      {"/x,/y", "/y", Mode::Settings},
      {"/x", "/c", Mode::Settings},     // one field: the settings switch stays /c
      {"/z,/z", "/z", Mode::Settings},  // the same value twice: settings is tested first
      {",/y", "", Mode::FullScreen},    // an empty field makes an empty command line select it
      {"/S,/c", "/S", Mode::Invalid},   // capitals in the file are unreachable
      {"/S,/c", "/s", Mode::Invalid},
      {"/saver,/c", "/saver", Mode::Invalid},  // longer than two characters: unreachable
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("command line \"") + c.commandLine + "\", switches file " +
                 (c.switchesFile ? c.switchesFile : "none"));
    MemoryPlatform m;
    SaverState saver{m.platform};
    if (c.switchesFile) m.WriteFile("tavoria_ssargs.ini", c.switchesFile);
    EXPECT_EQ(Start(m, saver, c.commandLine), c.mode);
  }
}

TEST_F(StartupTest, PreviewEndsAtOnceWithNoWindow) {
  EXPECT_EQ(Start("/p 1234"), Mode::Preview);
  EXPECT_EQ(m.Events(), std::vector<std::string>{"ended with 0"});
}

TEST_F(StartupTest, ThePasswordMessageWordForWord) {
  Start("/a");
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0],
            (MessageBoxRequest{
                "Tavoria Screensaver: password protection not supported.",
                "Unfortunately, the Tavoria Screensaver does not support password protection. "
                "\r\n\r\nPlease visit our site regularly for information on when this feature "
                "will be added:\r\nhttp://www.fenmoor.example/football/\r\n\r\nSorry for any "
                "inconvenience caused.",
                Icon::Information, Buttons::Ok}));
}

TEST_F(StartupTest, TheInvalidCommandLineMessageWordForWord) {
  Start("");
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0],
            (MessageBoxRequest{
                "Tavoria Screensaver error!",
                "This is a screensaver. It is not intended to be run as a stand-alone program. "
                "\r\n"
                "\r\n"
                "The command line specified () was invalid. \r\n"
                "\r\n"
                "If you are receiving this message instead of the screensaver running as \r\n"
                "intended, you may need to edit the screensaver INI file tavoria_ssargs.ini.\r\n"
                "Please read documentation for more information.\r\n"
                "\r\n"
                "If you require more help, please contact Fenmoor Entertainment UK technical "
                "support: \r\n"
                "\r\n"
                "E-mail: support@fenmoor.example\r\n"
                "Web: http://www.fenmoor.example/football/\r\n"
                "\r\n"
                "Please make a note of the following information:\r\n"
                "\r\n"
                "App version: 2\r\n"
                "Devname: tavoria\r\n"
                "\r\n"
                "Thank you, and sorry for any inconvenience.",
                Icon::Exclamation, Buttons::Ok}));
  EXPECT_TRUE(m.ui.openForms.empty());
  EXPECT_TRUE(m.process.ends.empty());
}

TEST_F(StartupTest, TheInvalidMessageQuotesTheCommandLineUnchanged) {
  Start(" /P  1234 ");
  EXPECT_NE(m.desktop.messages.at(0).text.find("The command line specified ( /P  1234 ) was "
                                               "invalid. \r\n"),
            std::string::npos);
}

TEST_F(StartupTest, TheInvalidMessageQuotesANameOutsideTheCodePageWhole) {
  Start("C:\\users\\Łukasz 李\\café.txt");
  EXPECT_NE(m.desktop.messages.at(0).text.find("(C:\\users\\Łukasz 李\\café.txt) was"),
            std::string::npos);
}

TEST_F(StartupTest, ASecondFullScreenStartEndsSilentlyBeforeHidingThePointer) {
  m.desktop.otherWindows.insert("Screensaver Main Form");
  EXPECT_EQ(Start("/s"), Mode::Nothing);
  EXPECT_TRUE(m.Events().empty());
}

TEST_F(StartupTest, FullScreenHidesThePointerOnceAndSetsTheDisplayInterval) {
  ASSERT_EQ(Start("/s"), Mode::FullScreen);
  EXPECT_EQ(m.Events(), (Events{"pointer hidden", "window opened \"Screensaver Main Form\""}));
  auto& form = saver.screenSaverWindow->form;
  EXPECT_EQ(form.caption, "Screensaver Main Form");
  EXPECT_EQ(form[saver.screenSaverWindow->timers.display].interval, 7000);
  EXPECT_EQ(form[saver.screenSaverWindow->controls.jokeLabel].align, ui::Align::Centre);
  EXPECT_EQ(saver.nextFixtureIndex, 1);
}

TEST_F(StartupTest, AHalfSecondDelayGivesItsInterval) {
  m.WriteFile("tavoria_config.ini", "2.5\r\n");
  ASSERT_EQ(Start("/s"), Mode::FullScreen);
  EXPECT_EQ(saver.screenSaverWindow->form[saver.screenSaverWindow->timers.display].interval, 2500);
}

// A full-screen start-up that cannot go on: the pointer is shown again before the report, so the
// user can answer it, and the program ends after it.
TEST_F(StartupTest, AnUnusableDelayShowsThePointerThenReportsThenEnds) {
  m.WriteFile("tavoria_config.ini", "soon\r\n");
  Start("/s");
  EXPECT_EQ(m.Events(),
            (Events{"pointer hidden", "pointer shown",
                    "message \"Tavoria Screensaver error!\" answered OK", "ended with 1"}));
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0], tavoria::BadDelayMessage("soon"));
  EXPECT_NE(m.desktop.messages[0].text.find("support@fenmoor.example"), std::string::npos);
}

TEST_F(StartupTest, AWindowThatCannotOpenShowsThePointerThenReportsThenEnds) {
  m.ui.failOpen = true;
  Start("/s");
  EXPECT_EQ(m.Events(),
            (Events{"pointer hidden", "pointer shown",
                    "message \"An error occurred - contact Fenmoor Entertainment UK tech support\" "
                    "answered OK",
                    "ended with 1"}));
  EXPECT_NE(m.desktop.messages.at(0).text.find("Error code: 1400\r\n"), std::string::npos);
}

TEST_F(StartupTest, FullScreenUsesTheUsersOwnDelayOverTheOneBesideTheProgram) {
  std::filesystem::create_directories(m.PathOf("appdata/Tavoria Screensaver"));
  m.files.roamingAppData = m.process.programDirectory + "\\appdata";
  m.WriteFile("tavoria_config.ini", "7\r\n");
  m.WriteFile("appdata/Tavoria Screensaver/tavoria_config.ini", "2.5\r\n");
  ASSERT_EQ(Start("/s"), Mode::FullScreen);
  EXPECT_EQ(saver.screenSaverWindow->form[saver.screenSaverWindow->timers.display].interval, 2500);
}

TEST_F(StartupTest, SettingsModeReadsTheDelayFirst) {
  m.WriteFile("tavoria_config.ini", "12\r\n");
  EXPECT_EQ(Start("/c"), Mode::Settings);
  EXPECT_EQ(saver.delaySetting, "12");
  EXPECT_EQ(m.Events(), Events{"window opened \"Tavoria Screensaver Setup\""});
}

TEST(DelayInterval, NumbersToMilliseconds) {
  using tavoria::DelayInterval;
  EXPECT_EQ(DelayInterval("7"), 7000);
  EXPECT_EQ(DelayInterval("2.5"), 2500);
  EXPECT_EQ(DelayInterval(" 30 "), 30000);
  EXPECT_EQ(DelayInterval("1e1"), 10000);
  EXPECT_EQ(DelayInterval("0.0005"), std::nullopt) << "half a millisecond goes to even: 0";
  EXPECT_EQ(DelayInterval("0.0015"), 2);
  EXPECT_EQ(DelayInterval("0.0025"), 2) << "halfway goes to the even neighbour";
  EXPECT_EQ(DelayInterval("0.0035"), 4);
  EXPECT_EQ(DelayInterval("0.5015"), 502) << "exact in decimal, not in binary";
  EXPECT_EQ(DelayInterval("0.5025"), 502);
  EXPECT_EQ(DelayInterval("7.00050001"), 7001) << "just above half";
  EXPECT_EQ(DelayInterval("7.0005"), 7000);
  EXPECT_EQ(DelayInterval("0007.50"), 7500);
  EXPECT_EQ(DelayInterval("25e-1"), 2500);
  EXPECT_EQ(DelayInterval("1e-9999999999"), std::nullopt);
  EXPECT_EQ(DelayInterval("-0"), std::nullopt);
  EXPECT_EQ(DelayInterval("0"), std::nullopt);
  EXPECT_EQ(DelayInterval("-3"), std::nullopt);
  EXPECT_EQ(DelayInterval(""), std::nullopt);
  EXPECT_EQ(DelayInterval("7 seconds"), std::nullopt);
  EXPECT_EQ(DelayInterval("."), std::nullopt);
  EXPECT_EQ(DelayInterval("1e"), std::nullopt);
  EXPECT_EQ(DelayInterval("2147483.647"), 2147483647);
  EXPECT_EQ(DelayInterval("2147483.648"), std::nullopt);
  EXPECT_EQ(DelayInterval("1e300"), std::nullopt);
}

}  // namespace
