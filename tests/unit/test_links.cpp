// The addresses the settings window opens, whole, and how they reach the shell.
#include <gtest/gtest.h>

#include "platform/memory/memory_platform.h"
#include "saver/links.h"
#include "saver/saver_state.h"
#include "saver/setup/setup_window.h"
#include "saver/startup.h"

namespace {

using platform::memory::MemoryPlatform;
using platform::memory::MemoryShell;
using tavoria::SaverState;

std::string Database(int number) {
  return "tavoria\r\n2\r\nTavoria\r\n" + std::to_string(number) + "\r\n";
}

struct LinksTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};

  void SetUp() override {
    m.process.argumentText = "/c";
    m.ui.Run([&] { tavoria::Main(saver); });
    ASSERT_TRUE(saver.setupWindow);
  }
  ui::Form& Form() { return saver.setupWindow->form; }
  const tavoria::SetupWindow::Controls& C() const { return saver.setupWindow->controls; }
  // Clicks a control, once its offer panel has come round, and answers the address the shell was
  // asked to open.
  std::string Opened(ui::ControlId control) {
    for (int turn = 0; turn < 3 && !Form().Shown(Form()[control]); ++turn)
      m.ui.Advance(tavoria::kOfferRotation);
    const std::size_t before = m.shell.executions.size();
    m.ui.ClickControl(Form(), control);
    EXPECT_EQ(m.shell.executions.size(), before + 1);
    EXPECT_TRUE(m.ui.IsOpen(Form()));
    return m.shell.executions.empty() ? "" : m.shell.executions.back().file;
  }
};

TEST_F(LinksTest, TheShellIsAskedOnceOwnedByTheSettingsWindow) {
  m.ui.ClickControl(Form(), C().footballSiteButton);
  const MemoryShell::Execution expected{
      m.ui.Handle(Form()),
      "Open",
      "http://www.fenmoor.example/uk/bounce.cgi?loc=uk&dn=tavoria",
      "",
      m.process.programDirectory,
      1};
  EXPECT_NE(expected.owner, 0u);
  EXPECT_EQ(m.shell.executions, std::vector<MemoryShell::Execution>{expected});
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(LinksTest, UpgradeCheckWithoutADatabaseSendsMinusOne) {
  EXPECT_EQ(Opened(C().upgradeButton),
            "http://www.fenmoor.example/football/upgrade.cgi?db=-1&ss=2&dn=tavoria");
}

TEST_F(LinksTest, UpgradeCheckSendsTheInstalledDatabaseNumberReadAtEachClick) {
  m.WriteFile("tavoria.sdf", Database(12));
  EXPECT_EQ(Opened(C().upgradeButton),
            "http://www.fenmoor.example/football/upgrade.cgi?db=12&ss=2&dn=tavoria");
  // An upgrade installed while the window is open is reported on the next click.
  m.WriteFile("tavoria.sdf", Database(13));
  EXPECT_EQ(Opened(C().upgradeButton),
            "http://www.fenmoor.example/football/upgrade.cgi?db=13&ss=2&dn=tavoria");
}

TEST_F(LinksTest, ADatabaseInstalledWhileTheWindowIsOpenIsSeen) {
  EXPECT_EQ(Opened(C().upgradeButton),
            "http://www.fenmoor.example/football/upgrade.cgi?db=-1&ss=2&dn=tavoria");
  m.WriteFile("tavoria.sdf", Database(12));
  EXPECT_EQ(Opened(C().upgradeButton),
            "http://www.fenmoor.example/football/upgrade.cgi?db=12&ss=2&dn=tavoria");
}

TEST_F(LinksTest, EveryOtherLinkOpensItsAddress) {
  EXPECT_EQ(Opened(C().footballSiteButton),
            "http://www.fenmoor.example/uk/bounce.cgi?loc=uk&dn=tavoria");
  EXPECT_EQ(Opened(C().freeCallsLink), "http://www.fenmoor.example/freecalls/?tavoria");
  EXPECT_EQ(Opened(C().partnerLogo),
            "http://www.riverbooks.example/exec/obidos/redirect-home?tag=fenmoor&site=amazon");
  EXPECT_EQ(Opened(C().cheapCallsLink),
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=cheapcalls");
  EXPECT_EQ(Opened(C().internetLink),
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=internet");
}

TEST_F(LinksTest, TheLinksAreDrawnAsLinks) {
  for (ui::ControlId id : {C().cheapCallsLink, C().internetLink, C().freeCallsLink}) {
    const ui::Control& link = Form()[id];
    SCOPED_TRACE(link.name);
    EXPECT_TRUE(link.link);
    EXPECT_TRUE(link.font.bold);
    EXPECT_TRUE(link.font.underline);
    EXPECT_EQ(link.fore, (ui::Colour{0, 0, 255}));
  }
}

TEST_F(LinksTest, AWhereValueGoesInUnescaped) {
  tavoria::OpenTrackedLink(saver, "top left & more");
  ASSERT_EQ(m.shell.executions.size(), 1u);
  EXPECT_EQ(m.shell.executions[0].file,
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=top left & "
            "more");
  EXPECT_EQ(m.shell.executions[0].operation, "Open");
}

TEST(Links, WithoutTheSettingsWindowTheShellGetsNoOwner) {
  MemoryPlatform m;
  SaverState saver{m.platform};
  tavoria::OpenUrl(saver, "http://www.fenmoor.example/");
  ASSERT_EQ(m.shell.executions.size(), 1u);
  EXPECT_EQ(m.shell.executions[0].owner, 0u);
  EXPECT_EQ(m.shell.executions[0].directory, m.process.programDirectory);
}

}  // namespace
