// The addresses the settings window opens, whole, and how they reach the shell.
#include <gtest/gtest.h>

#include "platform/memory/memory_platform.h"
#include "saver/generalcode.h"
#include "saver/links.h"
#include "saver/setup/setup_window.h"
#include "saver/startup.h"

namespace {

using platform::memory::MemoryPlatform;
using platform::memory::MemoryShell;
using tavoria::GeneralCode;

std::string Database(int number) {
  return "tavoria\r\n2\r\nTavoria\r\n" + std::to_string(number) + "\r\n";
}

struct LinksTest : ::testing::Test {
  MemoryPlatform m;
  GeneralCode g{m.platform};

  void SetUp() override {
    m.process.argumentText = "/c";
    m.ui.Run([&] { tavoria::Main(g); });
    ASSERT_TRUE(g.setupWindow);
  }
  ui::Form& Form() { return g.setupWindow->form; }
  // Clicks a control, once its offer panel has come round, and answers the address the shell was
  // asked to open.
  std::string Opened(const std::string& control) {
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
  m.ui.ClickControl(Form(), "Command5");
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
  EXPECT_EQ(Opened("Command4"),
            "http://www.fenmoor.example/football/upgrade.cgi?db=-1&ss=2&dn=tavoria");
}

TEST_F(LinksTest, UpgradeCheckSendsTheInstalledDatabaseNumberReadAtEachClick) {
  m.WriteFile("tavoria.sdf", Database(12));
  EXPECT_EQ(Opened("Command4"),
            "http://www.fenmoor.example/football/upgrade.cgi?db=12&ss=2&dn=tavoria");
  // An upgrade installed while the window is open is reported on the next click.
  m.WriteFile("tavoria.sdf", Database(13));
  EXPECT_EQ(Opened("Command4"),
            "http://www.fenmoor.example/football/upgrade.cgi?db=13&ss=2&dn=tavoria");
}

TEST_F(LinksTest, ADatabaseInstalledWhileTheWindowIsOpenIsSeen) {
  EXPECT_EQ(Opened("Command4"),
            "http://www.fenmoor.example/football/upgrade.cgi?db=-1&ss=2&dn=tavoria");
  m.WriteFile("tavoria.sdf", Database(12));
  EXPECT_EQ(Opened("Command4"),
            "http://www.fenmoor.example/football/upgrade.cgi?db=12&ss=2&dn=tavoria");
}

TEST_F(LinksTest, EveryOtherLinkOpensItsAddress) {
  EXPECT_EQ(Opened("Command5"), "http://www.fenmoor.example/uk/bounce.cgi?loc=uk&dn=tavoria");
  EXPECT_EQ(Opened("Label20"), "http://www.fenmoor.example/freecalls/?tavoria");
  EXPECT_EQ(Opened("Picture5"),
            "http://www.riverbooks.example/exec/obidos/redirect-home?tag=fenmoor&site=amazon");
  EXPECT_EQ(Opened("Label15"),
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=cheapcalls");
  EXPECT_EQ(Opened("Label18"),
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=internet");
}

TEST_F(LinksTest, TheLinksAreDrawnAsLinks) {
  for (const char* name : {"Label15", "Label18", "Label20"}) {
    SCOPED_TRACE(name);
    const ui::Control& link = Form()[name];
    EXPECT_TRUE(link.link);
    EXPECT_TRUE(link.font.bold);
    EXPECT_TRUE(link.font.underline);
    EXPECT_EQ(link.fore, (ui::Colour{0, 0, 255}));
  }
}

TEST_F(LinksTest, AWhereValueGoesInUnescaped) {
  tavoria::OpenTrackedLink(g, "top left & more");
  ASSERT_EQ(m.shell.executions.size(), 1u);
  EXPECT_EQ(m.shell.executions[0].file,
            "http://www.fenmoor.example/football/bounce.cgi?devname=tavoria&v=2&where=top left & "
            "more");
  EXPECT_EQ(m.shell.executions[0].operation, "Open");
}

TEST(Links, WithoutTheSettingsWindowTheShellGetsNoOwner) {
  MemoryPlatform m;
  GeneralCode g{m.platform};
  tavoria::OpenUrl(g, "http://www.fenmoor.example/");
  ASSERT_EQ(m.shell.executions.size(), 1u);
  EXPECT_EQ(m.shell.executions[0].owner, 0u);
  EXPECT_EQ(m.shell.executions[0].directory, m.process.programDirectory);
}

}  // namespace
