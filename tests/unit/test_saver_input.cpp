// Ending the saver: input after the opening phase, the pointer-movement test, and what the user
// sees on every way out, in order.
#include "tests/unit/test_saver_support.h"
#include "util/identity.h"

namespace {

using saver_test::SaverTest;
using Events = std::vector<std::string>;

const std::string kOpened = "window opened \"Screensaver Main Form\"";
const std::string kClosed = "window closed \"Screensaver Main Form\"";
const std::string kReport =
    "message \"An error occurred - contact Fenmoor Entertainment UK tech support\" answered OK";

struct SaverInputTest : SaverTest {
  void Armed() {
    Open();
    m.ui.Advance(tavoria::kInputArmedAfter);
  }
  bool Running() const { return !m.ui.ended; }
  // The saver ended on input: the pointer came back once, just before the end.
  void ExpectEndedOnInput() {
    EXPECT_EQ(m.Events(), (Events{"pointer hidden", kOpened, "pointer shown", "ended with 0"}));
    EXPECT_EQ(m.desktop.cursorCount, 0);
  }
};

TEST_F(SaverInputTest, AKeyEndsTheSaverOnKeyDownWhateverTheShiftState) {
  Armed();
  m.ui.KeyDown(form(), 0x10, 1);
  ExpectEndedOnInput();
  // Nothing runs after the end: no timer fires again.
  const auto caption = joke().caption;
  m.ui.Advance(tavoria::kAdvertPanelEvery);
  EXPECT_EQ(joke().caption, caption);
}

TEST_F(SaverInputTest, AKeyPressEnds) {
  Armed();
  m.ui.KeyPress(form(), 'q');
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, AClickEnds) {
  Armed();
  m.ui.Click(form());
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, InputDuringTheOpeningPhaseIsIgnored) {
  Open();
  m.ui.Advance(tavoria::kInputArmedAfter - 1);
  m.ui.KeyDown(form(), 27, 0);
  m.ui.KeyPress(form(), 27);
  m.ui.Click(form());
  m.ui.MouseMove(form(), 10, 10);
  m.ui.MouseMove(form(), 20, 20);
  EXPECT_TRUE(Running());
  EXPECT_EQ(m.Events(), (Events{"pointer hidden", kOpened}));
}

TEST_F(SaverInputTest, TheFirstPointerEventOnlyRecordsThePosition) {
  Armed();
  m.ui.MouseMove(form(), 4000, 3000);
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 4000, 3000);  // the same position again
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 4000, 3015);
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, AMoveToTheOriginIsAMovement) {
  Armed();
  m.ui.MouseMove(form(), 500, 500);
  m.ui.MouseMove(form(), 500, 500);
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 0, 0);  // moved: ends
  ExpectEndedOnInput();
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
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, TheOriginRuleHoldsBeforeAnyOtherPosition) {
  Armed();
  m.ui.MouseMove(form(), 0, 0);
  m.ui.MouseMove(form(), 7000, 5000);  // after (0, 0): recorded only
  EXPECT_TRUE(Running());
  m.ui.MouseMove(form(), 7015, 5000);
  ExpectEndedOnInput();
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
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, InputWhileAPanelIsShownEnds) {
  Armed();
  m.ui.Advance(tavoria::kAdvertPanelEvery);
  ASSERT_FALSE(joke().visible);
  m.ui.KeyDown(form(), 'A', 0);
  ExpectEndedOnInput();
}

TEST_F(SaverInputTest, ClosingTheWindowShowsThePointerThenCloses) {
  Open();
  m.ui.Advance(1000);
  m.ui.UserCloses(form());
  EXPECT_EQ(m.Events(),
            (Events{"pointer hidden", kOpened, "pointer shown", kClosed, "ended with 0"}));
}

// A handler that fails: the pointer back first, the window closed (its timers must not run more
// display steps, and perhaps fail again, behind the report), then the report, then the end.
TEST_F(SaverInputTest, AFailingTimerShowsThePointerClosesTheWindowThenReportsAndEnds) {
  Open();
  saver.screenSaverWindow->drawSource = []() -> float {
    throw util::Failure(util::codes::kOverflow, "Overflow");
  };
  m.ui.Advance(tavoria::kCreditsShownFor);
  EXPECT_EQ(m.Events(),
            (Events{"pointer hidden", kOpened, "pointer shown", kClosed, kReport, "ended with 1"}));
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_NE(m.desktop.messages[0].text.find("Error code: 6\r\nError description: Overflow\r\n"),
            std::string::npos);
}

TEST_F(SaverInputTest, AFailingInputHandlerEndsTheSameWay) {
  Armed();
  form().onKeyDown = [](int, int) { throw std::runtime_error("no key table"); };
  m.ui.KeyDown(form(), 'A', 0);
  EXPECT_EQ(m.Events(),
            (Events{"pointer hidden", kOpened, "pointer shown", kClosed, kReport, "ended with 1"}));
  EXPECT_NE(m.desktop.messages.at(0).text.find("Error code: 51\r\n"
                                               "Error description: Internal error: no key table"),
            std::string::npos);
}

}  // namespace

namespace {

// A desk of three monitors: one to the right of the primary and one to its left.
struct CoverTest : SaverInputTest {
  const ui::Rect right{15360, 0, 28800, 16200};
  const ui::Rect left{-19200, 1440, 19200, 14400};
  CoverTest() { m.ui.otherMonitors = {right, left}; }
  ui::Form& cover(std::size_t i) { return *saver.screenSaverWindow->covers.at(i); }
};

TEST_F(CoverTest, EveryOtherMonitorIsCoveredByAPlainBlackTopmostWindow) {
  Open();
  ASSERT_EQ(saver.screenSaverWindow->covers.size(), 2u);
  EXPECT_EQ(m.Events(), (Events{"pointer hidden", kOpened, "window opened \"Screensaver Cover\"",
                                "window opened \"Screensaver Cover\""}));
  for (std::size_t i = 0; i < 2; ++i) {
    const ui::Form& c = cover(i);
    const ui::Rect monitor = i == 0 ? right : left;
    EXPECT_EQ((ui::Rect{c.left, c.top, c.width, c.height}), monitor);
    EXPECT_TRUE(c.popup && c.topmost);
    EXPECT_EQ(c.back, (ui::Colour{0, 0, 0}));
    EXPECT_TRUE(c.controls.empty());
    EXPECT_TRUE(c.timers.empty());
  }
  // The saver window keeps the primary monitor and its layout.
  EXPECT_EQ(form().width, 15360);
  EXPECT_EQ(form()[c().logoPicture].left, 8469);
  // A second start still finds the saver window by its title, and only that one.
  EXPECT_TRUE(m.desktop.TopLevelWindowExists("Screensaver Main Form"));
}

TEST_F(CoverTest, InputOverACoverEndsTheSaverByTheSameRules) {
  Open();
  m.ui.Advance(1000);
  m.ui.KeyDown(cover(0), 'A', 0);
  m.ui.Click(cover(1));
  m.ui.MouseMove(cover(0), 300, 300);
  m.ui.MouseMove(cover(0), 400, 400);
  EXPECT_TRUE(Running()) << "not before input is armed";
  m.ui.Advance(tavoria::kInputArmedAfter);
  m.ui.MouseMove(cover(0), 400, 400);
  EXPECT_TRUE(Running()) << "the same place again is no movement";
  m.ui.MouseMove(cover(1), 400, 400);
  EXPECT_EQ(m.Events().back(), "ended with 0") << "the same spot of another monitor is a move";
  EXPECT_EQ(m.desktop.cursorCount, 0);
}

TEST_F(CoverTest, TheFirstPointerEventOverACoverOnlyRecords) {
  Open();
  m.ui.Advance(tavoria::kInputArmedAfter);
  m.ui.MouseMove(cover(1), 700, 700);
  EXPECT_TRUE(Running());
  m.ui.KeyPress(cover(1), ' ');
  EXPECT_FALSE(Running());
}

TEST_F(CoverTest, AFailureOverACoverClosesEveryWindowBeforeTheReport) {
  Open();
  m.ui.Advance(tavoria::kInputArmedAfter);
  cover(0).onClick = [] { throw std::runtime_error("lost"); };
  m.ui.Click(cover(0));
  const auto events = m.Events();
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(Events(events.end() - 6, events.end()),
            (Events{"pointer shown", "window closed \"Screensaver Cover\"",
                    "window closed \"Screensaver Cover\"", kClosed, kReport, "ended with 1"}));
}

// Alt+F4 or "End task" in the opening phase, on the saver window or on either cover: every window
// goes, the pointer comes back and the program ends; no cover stays behind that nothing ends.
struct EarlyCloseTest : CoverTest, ::testing::WithParamInterface<int> {};

TEST_P(EarlyCloseTest, ClosingAnyOfTheSaversWindowsEndsTheWholeSaver) {
  Open();
  m.ui.Advance(1000);
  const int closed = GetParam();
  m.ui.UserCloses(closed < 0 ? form() : cover(static_cast<std::size_t>(closed)));
  const std::string cover = "window closed \"Screensaver Cover\"";
  const Events events = m.Events();
  EXPECT_EQ(Events(events.begin() + 4, events.end()),
            (Events{"pointer shown", cover, cover, kClosed, "ended with 0"}));
  EXPECT_TRUE(m.ui.openForms.empty());
  EXPECT_EQ(m.desktop.cursorCount, 0);
}

INSTANTIATE_TEST_SUITE_P(SaverWindowOrCover, EarlyCloseTest, ::testing::Values(-1, 0, 1));

TEST_F(CoverTest, TheCoversAndTheSaverWindowFollowTheMonitorsAsTheyChange) {
  struct Change {
    ui::Size primary;
    std::vector<ui::Rect> others;
    bool announced;  // the system tells the windows; else the next display step finds it
    Events windows;  // opened and closed
    std::vector<ui::Rect> covers;
    float creditsLeft;  // centred on the primary
  };
  const ui::Size primary{15360, 11520}, larger{19200, 15360};  // 1024 x 768, 1280 x 1024
  const ui::Rect below{0, 11520, 15360, 11520}, belowLarger{0, 15360, 15360, 11520};
  const ui::Rect rightOfLarger{19200, 0, 28800, 16200}, overPrimary{0, 0, 15360, 11520};
  const std::string opened = "window opened \"Screensaver Cover\"";
  const std::string closed = "window closed \"Screensaver Cover\"";
  const std::vector<ui::Rect> three{left, belowLarger, rightOfLarger};
  // In turn: a monitor added, one removed, the primary's resolution changed (the monitor below it
  // moves down), one added that only the next display step finds, one that shows the primary's
  // picture (no cover over the saver window), nothing changed.
  const Change changes[] = {
      {primary, {right, left, below}, true, {opened}, {right, left, below}, 5572.5f},
      {primary, {left, below}, true, {closed}, {left, below}, 5572.5f},
      {larger, {left, belowLarger}, true, {closed, opened}, {left, belowLarger}, 7492.5f},
      {larger, three, false, {opened}, three, 7492.5f},
      {larger, {left, belowLarger, rightOfLarger, overPrimary}, true, {}, three, 7492.5f},
      {larger, three, true, {}, three, 7492.5f}};
  Armed();
  float spot = 50;
  m.ui.MouseMove(form(), spot, spot);
  for (const Change& change : changes) {
    SCOPED_TRACE(&change - changes);
    const auto before = static_cast<std::ptrdiff_t>(m.Events().size());
    m.ui.screen = change.primary, m.ui.otherMonitors = change.others;
    change.announced ? m.ui.ChangeDisplay(change.primary, change.others) : m.ui.Advance(7000);
    const auto events = m.Events();
    EXPECT_EQ(Events(events.begin() + before, events.end()), change.windows);
    std::vector<ui::Rect> covers;
    for (const auto& c : saver.screenSaverWindow->covers)
      covers.push_back({c->left, c->top, c->width, c->height});
    EXPECT_EQ(covers, change.covers);
    EXPECT_EQ((ui::Size{form().width, form().height}), change.primary);
    EXPECT_EQ(form()[c().creditsPanel].left, change.creditsLeft);
    // The system may have moved the pointer: after a change its next event only records.
    spot += 10;
    if (!change.windows.empty()) m.ui.MouseMove(form(), spot, spot);
    ASSERT_TRUE(Running());
  }
  m.ui.KeyPress(*saver.screenSaverWindow->covers.back(), ' ');  // the cover the display step made
  EXPECT_FALSE(Running());
}

}  // namespace
