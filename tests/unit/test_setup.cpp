// The settings window: the delay it accepts and saves, closing it, the offer panel rotation and
// the installer button.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "platform/memory/memory_platform.h"
#include "saver/saver_state.h"
#include "saver/setup/delay_text.h"
#include "saver/setup/setup_window.h"
#include "saver/startup.h"

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::MessageBoxRequest;
using platform::memory::MemoryPlatform;
using tavoria::SaverState;
using Events = std::vector<std::string>;

const std::string kOpened = "window opened \"Tavoria Screensaver Setup\"";
const std::string kClosed = "window closed \"Tavoria Screensaver Setup\"";

const MessageBoxRequest kInvalidDelay{
    "Tavoria Screensaver",
    "The delay you entered was invalid. Please enter a delay between 2 and 30 seconds.",
    Icon::Exclamation, Buttons::Ok};

const MessageBoxRequest kNotWritten{
    "Tavoria Screensaver: couldn't open file!",
    "Tavoria Screensaver could not write to the settings file tavoria_config.ini.\r\n"
    "\r\n"
    "Please contact Fenmoor Entertainment UK for support: \r\n"
    "\r\n"
    "Web: http://www.fenmoor.example/football/\r\n"
    "E-mail: support@fenmoor.example",
    Icon::Exclamation, Buttons::Ok};

const MessageBoxRequest kInstallQuestion{
    "Install Fenmoor Internet?",
    "Only switch to Fenmoor Internet if you are using pay-as-you-go Internet access i.e. *NOT* "
    "any of the following: \r\n"
    "- BT Anytime \r\n"
    "- Freeserve Anytime \r\n"
    "- AOL Dialup (with 'no internet call charges')\r\n"
    "or any 'anytime', 'unlimited' or 'unmetered' package.\r\n"
    "\r\n"
    "Fenmoor Internet (Corravel) will be automatically used in future if you install it. \r\n"
    "\r\n"
    "Do you want to set up Fenmoor Internet on this computer? \r\n"
    "Installing Fenmoor Internet will take about 20 seconds.",
    Icon::Question, Buttons::YesNo, true};

const MessageBoxRequest kInstallerMissing{
    "Couldn't find the Fenmoor Internet Installer file.",
    "Could not find the Fenmoor Internet installer file. \r\n"
    "\r\n"
    "Please go to http://www.fenmoor.example/uk/ and download it. ",
    Icon::Information, Buttons::Ok};

// The window as the settings mode opens it, with a settings file holding 9.
struct SetupTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};

  void SetUp() override {
    m.WriteFile("tavoria_config.ini", "9\r\n");
    m.process.argumentText = "/c";
    m.ui.Run([&] { tavoria::Main(saver); });
    ASSERT_TRUE(saver.setupWindow);
  }
  ui::Form& Form() { return saver.setupWindow->form; }
  const tavoria::SetupWindow::Controls& C() const { return saver.setupWindow->controls; }
  bool Open() { return m.ui.IsOpen(Form()); }
  // Types a delay and presses OK.
  void EnterDelay(const std::string& text) {
    m.ui.Type(Form(), C().delayBox, text);
    m.ui.ClickControl(Form(), C().okButton);
  }
  // Waits, as a user must, until the offer panel holding a control comes round.
  void WaitUntilShown(ui::ControlId control) {
    for (int turn = 0; turn < 3 && !Form().Shown(Form()[control]); ++turn)
      m.ui.Advance(tavoria::kOfferRotation);
    ASSERT_TRUE(Form().Shown(Form()[control])) << Form()[control].name;
  }
  std::vector<std::string> VisiblePanels() {
    std::vector<std::string> shown;
    for (ui::ControlId panel : {C().cheapCallsPanel, C().freeCallsPanel, C().internetPanel})
      if (Form()[panel].visible) shown.push_back(Form()[panel].name);
    return shown;
  }
  // The shopping partner's panel, which no procedure changes: always shown.
  bool PartnerPanelShown() { return Form()[*Form()[C().partnerLogo].container].visible; }
};

TEST_F(SetupTest, LoadShowsTheWindowAtTheTopLeftWithTheCurrentDelay) {
  EXPECT_TRUE(Open());
  EXPECT_EQ(Form().caption, "Tavoria Screensaver Setup");
  EXPECT_EQ(Form().left, 0);
  EXPECT_EQ(Form().top, 0);
  EXPECT_EQ(Form()[C().titleLabel].caption, "Tavoria Screensaver");
  EXPECT_EQ(Form()[C().versionLabel].caption, "2");
  EXPECT_EQ(Form()[C().delayBox].caption, "9");
  EXPECT_EQ(VisiblePanels(), std::vector<std::string>{"cheapCallsPanel"});
  EXPECT_TRUE(PartnerPanelShown());
}

TEST_F(SetupTest, AcceptedDelaysAreStoredSavedAndCloseTheWindow) {
  const std::pair<std::string, std::string> cases[] = {
      {"7", "7"},      {"2", "2"},
      {"30", "30"},    {" 12 seconds", "12"},
      {"7.50", "7.5"}, {"2.25", "2.25"},
      {"1 5", "15"},   {"3e1", "30"},
      {"+4", "4"},     {"29.999999999999999", "30"}};
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(typed);
    MemoryPlatform fresh;
    SaverState g2{fresh.platform};
    fresh.process.argumentText = "/c";
    fresh.ui.Run([&] { tavoria::Main(g2); });
    fresh.ui.Type(g2.setupWindow->form, g2.setupWindow->controls.delayBox, typed);
    fresh.ui.ClickControl(g2.setupWindow->form, g2.setupWindow->controls.okButton);
    EXPECT_EQ(g2.delaySetting, stored);
    EXPECT_EQ(fresh.ReadFile("tavoria_config.ini"), stored + "\r\n");
    EXPECT_TRUE(fresh.desktop.messages.empty());
    EXPECT_FALSE(fresh.ui.IsOpen(g2.setupWindow->form));
  }
}

TEST_F(SetupTest, RefusedDelaysChangeNothingAndKeepTheWindowOpen) {
  for (const std::string typed :
       {"1.9", "30.5", "0", "", "abc", "-7", ".", "&H10", "30.000001", "1e400", "seven"}) {
    SCOPED_TRACE(typed);
    m.desktop.messages.clear();
    EnterDelay(typed);
    EXPECT_EQ(m.desktop.messages, std::vector<MessageBoxRequest>{kInvalidDelay});
    EXPECT_EQ(saver.delaySetting, "9");
    EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
    EXPECT_TRUE(Open());
    EXPECT_EQ(Form()[C().delayBox].caption, typed);
  }
  // The user corrects the text and presses OK again.
  EnterDelay("8");
  EXPECT_EQ(saver.delaySetting, "8");
  EXPECT_FALSE(Open());
}

// OK, as the user sees it: the settings written, then the window closed; a refused delay brings
// its message and the window stays; a failed write brings its message, then the window closes.
TEST_F(SetupTest, OkWritesTheSettingsThenCloses) {
  EnterDelay("12");
  EXPECT_EQ(m.Events(), (Events{kOpened, "file replaced <program>\\tavoria_config.ini", kClosed}));
}

TEST_F(SetupTest, OkWithARefusedDelayShowsTheMessageAndDoesNotClose) {
  EnterDelay("31");
  EXPECT_EQ(m.Events(), (Events{kOpened, "message \"Tavoria Screensaver\" answered OK"}));
}

TEST_F(SetupTest, OkWhenTheWriteFailsShowsTheMessageThenCloses) {
  m.files.failWriteAfter = 1;
  EnterDelay("12");
  EXPECT_EQ(m.Events(),
            (Events{kOpened, "message \"Tavoria Screensaver: couldn't open file!\" answered OK",
                    kClosed}));
}

TEST_F(SetupTest, AStandardUsersDelayIsSavedAsTheirOwnWithoutAMessage) {
  std::filesystem::create_directory(m.PathOf("appdata"));
  m.files.roamingAppData = m.process.programDirectory + "\\appdata";
  m.files.readOnlyDirectories.insert(m.process.programDirectory);
  EnterDelay("12");
  EXPECT_EQ(m.Events(),
            (Events{kOpened, "file replaced <appdata>\\Tavoria Screensaver\\tavoria_config.ini",
                    kClosed}));
  EXPECT_EQ(m.ReadFile("appdata/Tavoria Screensaver/tavoria_config.ini"), "12\r\n");
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");

  // Both places refuse: the message, and both files as they were.
  m.files.readOnlyDirectories.insert(m.process.programDirectory + "\\appdata\\Tavoria Screensaver");
  m.ui.Run([&] { tavoria::ShowSetupWindow(saver); });
  EnterDelay("20");
  EXPECT_EQ(m.desktop.messages, std::vector<MessageBoxRequest>{kNotWritten});
  EXPECT_EQ(m.ReadFile("appdata/Tavoria Screensaver/tavoria_config.ini"), "12\r\n");
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
}

TEST_F(SetupTest, CancelAfterEditingStoresAndSavesNothing) {
  m.ui.Type(Form(), C().delayBox, "20");
  m.ui.ClickControl(Form(), C().cancelButton);
  EXPECT_FALSE(Open());
  EXPECT_EQ(saver.delaySetting, "9");
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(SetupTest, ClosingTheWindowAnyOtherWayIsACancel) {
  m.ui.Type(Form(), C().delayBox, "20");
  m.ui.UserCloses(Form());
  EXPECT_FALSE(Open());
  EXPECT_EQ(saver.delaySetting, "9");
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(SetupTest, AFailedWriteIsReportedAndTheWindowClosesWithTheNewDelayInMemory) {
  m.files.failWriteAfter = 1;
  EnterDelay("12");
  EXPECT_EQ(m.desktop.messages, std::vector<MessageBoxRequest>{kNotWritten});
  EXPECT_EQ(saver.delaySetting, "12");
  EXPECT_EQ(m.ReadFile("tavoria_config.ini"), "9\r\n");
  EXPECT_FALSE(Open());
}

TEST_F(SetupTest, TheOfferPanelsTakeTurnsEveryTenSeconds) {
  std::vector<std::vector<std::string>> seen{VisiblePanels()};
  for (int second = 1; second <= 35; ++second) {
    m.ui.Advance(1000);
    if (VisiblePanels() != seen.back()) seen.push_back(VisiblePanels());
    if (second * 1000 == tavoria::kOfferRotation - 1000) {
      EXPECT_EQ(VisiblePanels(), std::vector<std::string>{"cheapCallsPanel"});
    }
  }
  EXPECT_EQ(seen,
            (std::vector<std::vector<std::string>>{
                {"cheapCallsPanel"}, {"freeCallsPanel"}, {"internetPanel"}, {"cheapCallsPanel"}}));
  EXPECT_TRUE(PartnerPanelShown());
}

TEST_F(SetupTest, WithNoPanelShownTheRotationChangesNothing) {
  Form()[C().cheapCallsPanel].visible = false;
  m.ui.Advance(4 * tavoria::kOfferRotation);
  EXPECT_TRUE(VisiblePanels().empty());
}

TEST_F(SetupTest, OnlyTheFirstShownPanelCounts) {
  Form()[C().freeCallsPanel].visible = true;  // 1 and 2 both shown: 1 is the one that counts
  m.ui.Advance(10000);
  EXPECT_EQ(VisiblePanels(), std::vector<std::string>{"freeCallsPanel"});
  Form()[C().internetPanel].visible = false;
  Form()[C().cheapCallsPanel].visible = false;
  Form()[C().internetPanel].visible = true;
  Form()[C().freeCallsPanel].visible = true;
  m.ui.Advance(10000);
  EXPECT_EQ(VisiblePanels(), std::vector<std::string>{"internetPanel"});
}

TEST_F(SetupTest, InstallAnsweredNoStartsNothing) {
  m.WriteFile("setup_fenmoor_internet_access.exe", "MZ");
  m.desktop.answers.push_back(Answer::No);
  WaitUntilShown(C().installButton);
  m.ui.ClickControl(Form(), C().installButton);
  EXPECT_EQ(m.desktop.messages, std::vector<MessageBoxRequest>{kInstallQuestion});
  EXPECT_TRUE(m.shell.startAttempts.empty());
  EXPECT_TRUE(Open());
}

TEST_F(SetupTest, InstallAnsweredYesStartsTheInstallerBesideTheProgram) {
  m.WriteFile("setup_fenmoor_internet_access.exe", "MZ");
  m.desktop.answers.push_back(Answer::Yes);
  WaitUntilShown(C().installButton);
  m.ui.ClickControl(Form(), C().installButton);
  EXPECT_EQ(m.desktop.messages, std::vector<MessageBoxRequest>{kInstallQuestion});
  EXPECT_EQ(m.shell.started, std::vector<std::string>{m.process.programDirectory +
                                                      "\\setup_fenmoor_internet_access.exe"});
  EXPECT_TRUE(Open());
}

TEST_F(SetupTest, AMissingInstallerIsReportedAndTheWindowStaysOpen) {
  m.desktop.answers.push_back(Answer::Yes);
  WaitUntilShown(C().installButton);
  m.ui.ClickControl(Form(), C().installButton);
  EXPECT_EQ(m.desktop.messages,
            (std::vector<MessageBoxRequest>{kInstallQuestion, kInstallerMissing}));
  EXPECT_EQ(m.shell.startAttempts.size(), 1u);
  EXPECT_TRUE(m.shell.started.empty());
  EXPECT_TRUE(Open());
}

TEST_F(SetupTest, OpeningTheSettingsAgainReusesTheLoadedWindow) {
  ui::Form* first = &Form();
  m.ui.Run([&] { tavoria::ShowSetupWindow(saver); });
  EXPECT_EQ(&Form(), first);
  EXPECT_EQ(Form().timers.size(), 1u);
}

TEST(DelayText, LeadingNumberReadsLikeVal) {
  EXPECT_EQ(tavoria::LeadingNumber("  12 seconds"), 12);
  EXPECT_EQ(tavoria::LeadingNumber("1 2 3"), 123);
  EXPECT_EQ(tavoria::LeadingNumber("\t7.5x"), 7.5);
  EXPECT_EQ(tavoria::LeadingNumber("-2.5"), -2.5);
  EXPECT_EQ(tavoria::LeadingNumber(".5"), 0.5);
  EXPECT_EQ(tavoria::LeadingNumber("7."), 7);
  EXPECT_EQ(tavoria::LeadingNumber("2d1"), 20);
  EXPECT_EQ(tavoria::LeadingNumber("2e"), 2);
  EXPECT_EQ(tavoria::LeadingNumber("2e+"), 2);
  EXPECT_EQ(tavoria::LeadingNumber("7,5"), 7);
  EXPECT_EQ(tavoria::LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(tavoria::LeadingNumber("+-3"), 0);
  EXPECT_EQ(tavoria::LeadingNumber(""), 0);
  EXPECT_EQ(tavoria::LeadingNumber("x7"), 0);
  EXPECT_TRUE(std::isinf(tavoria::LeadingNumber("9e999")));
}

TEST(DelayText, DecimalTextHasAtMostFifteenDigitsAndNoTrailingZeros) {
  EXPECT_EQ(tavoria::DecimalText(7), "7");
  EXPECT_EQ(tavoria::DecimalText(7.5), "7.5");
  EXPECT_EQ(tavoria::DecimalText(30), "30");
  EXPECT_EQ(tavoria::DecimalText(2.0 / 3.0 * 3 + 1.0 / 3.0), "2.33333333333333");
  EXPECT_EQ(tavoria::DecimalText(12.1), "12.1");
  EXPECT_EQ(tavoria::DecimalText(2.000000000000001), "2");
}

}  // namespace
