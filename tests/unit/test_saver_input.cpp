// Ending the saver: input after the opening phase, the pointer-movement test, the pointer shown
// again exactly once on every way out.
#include "saver/identity.h"
#include "tests/unit/test_saver_support.h"

namespace {

using saver_test::SaverTest;

struct SaverInputTest : SaverTest {
  void Armed() {
    Open();
    m.ui.Advance(4000);
  }
  bool Running() const { return !m.ui.ended; }
  void ExpectEndedWithThePointerShownOnce(int exitCode = 0) {
    EXPECT_TRUE(m.ui.ended);
    EXPECT_EQ(m.ui.exitCode, exitCode);
    EXPECT_EQ(m.desktop.cursorCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(m.desktop.cursorCount, 0);
  }
};

TEST_F(SaverInputTest, AKeyEndsTheSaverOnKeyDown) {
  Armed();
  m.ui.KeyDown(form(), 0x10);
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, AKeyPressEnds) {
  Armed();
  m.ui.KeyPress(form(), 'q');
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, AClickEnds) {
  Armed();
  m.ui.Click(form());
  ExpectEndedWithThePointerShownOnce();
  // Nothing runs after the end: no timer fires again.
  const auto caption = joke().caption;
  m.ui.Advance(60000);
  EXPECT_EQ(joke().caption, caption);
}

TEST_F(SaverInputTest, InputDuringTheOpeningPhaseIsIgnored) {
  Open();
  m.ui.Advance(3599);
  m.ui.KeyDown(form(), 27);
  m.ui.KeyPress(form(), 27);
  m.ui.Click(form());
  m.ui.MouseMove(form(), 10, 10);
  m.ui.MouseMove(form(), 20, 20);
  EXPECT_TRUE(Running());
  EXPECT_EQ(m.desktop.cursorCalls, std::vector<bool>{false});
}

TEST_F(SaverInputTest, TheFirstPointerEventOnlyRecordsThePosition) {
  Armed();
  m.ui.MouseMove(form(), 4000, 3000);
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 4000, 3000);  // the same position again
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 4000, 3015);
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, AMoveToTheOriginIsAMovement) {
  Armed();
  m.ui.MouseMove(form(), 500, 500);
  m.ui.MouseMove(form(), 500, 500);
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 0, 0);  // moved: ends
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, AfterAnEventAtTheOriginTheNextOneOnlyRecords) {
  Open();
  m.ui.Advance(1000);
  m.ui.MouseMove(form(), 500, 500);
  m.ui.MouseMove(form(), 0, 0);  // recorded: input is not armed yet
  m.ui.Advance(3000);
  m.ui.MouseMove(form(), 9000, 6000);  // after (0, 0): recorded only, wherever it reports
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 9000, 6015);  // and the one after that is tested as usual
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, TheOriginRuleHoldsBeforeAnyOtherPosition) {
  Armed();
  m.ui.MouseMove(form(), 0, 0);
  m.ui.MouseMove(form(), 7000, 5000);  // after (0, 0): recorded only
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 7015, 5000);
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, AMovementDuringTheOpeningPhaseMustBeFollowedByAnother) {
  Open();
  m.ui.Advance(1000);
  m.ui.MouseMove(form(), 100, 100);
  m.ui.MouseMove(form(), 150, 100);
  m.ui.Advance(3000);
  m.ui.MouseMove(form(), 150, 100);  // still where it was
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 151, 100);
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, InputWhileAPanelIsShownEnds) {
  Armed();
  m.ui.Advance(60000);
  ASSERT_FALSE(joke().visible);
  m.ui.KeyDown(form(), 'A');
  ExpectEndedWithThePointerShownOnce();
}

TEST_F(SaverInputTest, ClosingTheWindowShowsThePointerOnce) {
  Open();
  m.ui.Advance(1000);
  m.ui.UserCloses(form());
  EXPECT_FALSE(m.ui.IsOpen(form()));
  EXPECT_EQ(m.desktop.cursorCalls, (std::vector<bool>{false, true}));
}

TEST_F(SaverInputTest, AFailureInAHandlerReportsItShowsThePointerOnceAndEnds) {
  Open();
  g.screenSaverWindow->drawSource = []() -> float {
    throw platform::Failure(platform::codes::kOverflow, "Overflow");
  };
  m.ui.Advance(1500);
  ExpectEndedWithThePointerShownOnce(1);
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_NE(m.desktop.messages[0].text.find("Overflow"), std::string::npos);
  // The pointer is visible for the report: it was shown before the box.
  // The window is gone, so no timer can run more display steps behind the report.
  EXPECT_FALSE(m.ui.IsOpen(form()));
}

}  // namespace
