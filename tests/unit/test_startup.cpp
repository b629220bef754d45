// Start-up: which mode each command line selects, and the messages it answers with.
#include <gtest/gtest.h>

#include "platform/memory/memory_platform.h"
#include "saver/display/saver_window.h"
#include "saver/identity.h"
#include "saver/setup/setup_window.h"
#include "saver/startup.h"

namespace {

using platform::Buttons;
using platform::Icon;
using platform::MessageBoxRequest;
using platform::memory::MemoryPlatform;
using tavoria::GeneralCode;

enum class Mode { Settings, FullScreen, Preview, Password, Invalid, Nothing };

struct StartupTest : ::testing::Test {
  MemoryPlatform m;
  GeneralCode g{m.platform};

  Mode Start(const std::string& commandLine) {
    m.process.argumentText = commandLine;
    m.ui.Run([&] { tavoria::Main(g); });
    if (!m.process.ends.empty()) return Mode::Preview;
    if (g.setupWindow && m.ui.IsOpen(g.setupWindow->form)) return Mode::Settings;
    if (g.screenSaverWindow && m.ui.IsOpen(g.screenSaverWindow->form)) return Mode::FullScreen;
    if (m.desktop.messages.empty()) return Mode::Nothing;
    return m.desktop.messages.back() == tavoria::PasswordMessage() ? Mode::Password : Mode::Invalid;
  }
};

TEST_F(StartupTest, TheFirstTwoCharactersLowerCasedSelectTheMode) {
  EXPECT_EQ(Start("/s"), Mode::FullScreen);
}
TEST_F(StartupTest, CapitalSwitchesWorkToo) {
  EXPECT_EQ(Start("/S"), Mode::FullScreen);
}
TEST_F(StartupTest, SettingsSwitch) {
  EXPECT_EQ(Start("/C"), Mode::Settings);
}
TEST_F(StartupTest, SettingsWithAWindowHandleJoined) {
  EXPECT_EQ(Start("/c:1234"), Mode::Settings);
}
TEST_F(StartupTest, PreviewEndsAtOnceWithNoWindow) {
  EXPECT_EQ(Start("/p 1234"), Mode::Preview);
  EXPECT_EQ(m.process.ends, std::vector<int>{0});
  EXPECT_TRUE(m.ui.openForms.empty());
  EXPECT_TRUE(m.desktop.messages.empty());
}
TEST_F(StartupTest, PreviewAndPasswordTestsAreCaseSensitive) {
  EXPECT_EQ(Start("/P 1234"), Mode::Invalid);
}
TEST_F(StartupTest, ALeadingBlankHidesTheSwitch) {
  EXPECT_EQ(Start(" /s"), Mode::Invalid);
}
TEST_F(StartupTest, ALeadingBlankStillFindsPreviewLaterOn) {
  EXPECT_EQ(Start(" /s /p 12"), Mode::Preview);
}
TEST_F(StartupTest, PasswordAnywhere) {
  EXPECT_EQ(Start("/x /a"), Mode::Password);
}
TEST_F(StartupTest, PreviewBeforePassword) {
  EXPECT_EQ(Start("/a /p 5"), Mode::Preview);
}

TEST_F(StartupTest, TheSwitchesFileRedefinesTheSwitches) {
  m.WriteFile("tavoria_ssargs.ini", "/x\r\n/y\r\n");
  EXPECT_EQ(Start("/X"), Mode::FullScreen);
}

TEST_F(StartupTest, TheSwitchesFileSettingsSwitch) {
  m.WriteFile("tavoria_ssargs.ini", "/x,/y");
  EXPECT_EQ(Start("/y"), Mode::Settings);
}

TEST_F(StartupTest, OneFieldKeepsTheDefaultSettingsSwitch) {
  m.WriteFile("tavoria_ssargs.ini", "/x");
  EXPECT_EQ(Start("/c"), Mode::Settings);
}

TEST_F(StartupTest, TheSameValueTwiceSelectsSettings) {
  m.WriteFile("tavoria_ssargs.ini", "/z,/z");
  EXPECT_EQ(Start("/z"), Mode::Settings);
}

TEST_F(StartupTest, AnEmptyFieldMakesAnEmptyCommandLineSelectItsMode) {
  m.WriteFile("tavoria_ssargs.ini", ",/y");
  EXPECT_EQ(Start(""), Mode::FullScreen);
}

TEST_F(StartupTest, CapitalsInTheSwitchesFileMakeTheModeUnreachable) {
  m.WriteFile("tavoria_ssargs.ini", "/S,/c");
  EXPECT_EQ(Start("/S"), Mode::Invalid);
  EXPECT_EQ(Start("/s"), Mode::Invalid);
}

TEST_F(StartupTest, ASwitchLongerThanTwoCharactersIsUnreachable) {
  m.WriteFile("tavoria_ssargs.ini", "/saver,/c");
  EXPECT_EQ(Start("/saver"), Mode::Invalid);
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

TEST_F(StartupTest, ASecondFullScreenStartEndsSilentlyBeforeHidingThePointer) {
  m.desktop.otherWindows.insert("Screensaver Main Form");
  EXPECT_EQ(Start("/s"), Mode::Nothing);
  EXPECT_TRUE(m.desktop.cursorCalls.empty());
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(StartupTest, FullScreenHidesThePointerOnceAndSetsTheDisplayInterval) {
  ASSERT_EQ(Start("/s"), Mode::FullScreen);
  EXPECT_EQ(m.desktop.cursorCalls, std::vector<bool>{false});
  auto& form = g.screenSaverWindow->form;
  EXPECT_EQ(form.caption, "Screensaver Main Form");
  EXPECT_EQ(form.timer("Timer1").interval, 7000);
  EXPECT_EQ(form["jokeLabel"].align, ui::Align::Centre);
  EXPECT_EQ(g.nextFixtureIndex, 1);
}

TEST_F(StartupTest, AHalfSecondDelayGivesItsInterval) {
  m.WriteFile("tavoria_config.ini", "2.5\r\n");
  ASSERT_EQ(Start("/s"), Mode::FullScreen);
  EXPECT_EQ(g.screenSaverWindow->form.timer("Timer1").interval, 2500);
}

TEST_F(StartupTest, AnUnusableDelayShowsThePointerThenReportsAndEnds) {
  m.WriteFile("tavoria_config.ini", "soon\r\n");
  Start("/s");
  EXPECT_EQ(m.desktop.cursorCalls, (std::vector<bool>{false, true}));
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0], tavoria::BadDelayMessage("soon"));
  EXPECT_NE(m.desktop.messages[0].text.find("support@fenmoor.example"), std::string::npos);
  EXPECT_EQ(m.process.ends, std::vector<int>{1});
  EXPECT_TRUE(m.ui.openForms.empty());
}

TEST_F(StartupTest, AWindowThatCannotOpenShowsThePointerThenReportsAndEnds) {
  m.ui.failOpen = true;
  Start("/s");
  EXPECT_EQ(m.desktop.cursorCalls, (std::vector<bool>{false, true}));
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(m.desktop.messages[0].title,
            "An error occurred - contact Fenmoor Entertainment UK tech support");
  EXPECT_NE(m.desktop.messages[0].text.find("Error code: 1400\r\n"), std::string::npos);
  EXPECT_EQ(m.process.ends, std::vector<int>{1});
}

TEST_F(StartupTest, SettingsModeReadsTheDelayFirst) {
  m.WriteFile("tavoria_config.ini", "12\r\n");
  EXPECT_EQ(Start("/c"), Mode::Settings);
  EXPECT_EQ(g.delaySetting, "12");
  EXPECT_TRUE(m.desktop.cursorCalls.empty());
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
