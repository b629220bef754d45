// A saver left running through the night: the fixture texts follow the date and the kick-offs.
#include <gtest/gtest.h>

#include "platform/memory/memory_platform.h"
#include "saver/data/database.h"
#include "saver/data/fixtures.h"
#include "saver/display/saver_window.h"
#include "saver/startup.h"

namespace {

using platform::memory::MemoryPlatform;
using Lines = std::vector<std::string>;

const std::string kSome =
    "Some of your fixtures are out of date. Please upgrade using the screensaver control panel.";

std::string Shown(const std::string& date, const std::string& day, const std::string& kickOff,
                  bool marked = false) {
  return "Friendly - " + day + ", " + date + "\r\nTavoria vs Norway - K/O: " + kickOff +
         (marked ? " **TODAY!**" : "");
}

struct MidnightTest : ::testing::Test {
  MemoryPlatform m;
  tavoria::SaverState saver{m.platform};

  // Thursday 25 March 2027, a minute before midnight; the saver starts with every draw at 0.5,
  // which shows the next fixture at every step.
  void Start(const Lines& fixtures) {
    m.clock.Set({2027, 3, 25}, 23, 59, 0);
    Lines all = {"tavoria", "x", "x", "17", "x", "2", "x", "End special fixtures", "x"};
    all.insert(all.end(), fixtures.begin(), fixtures.end());
    all.insert(all.end(),
               {"End Fixtures", "x", "A fact", "End Trivia", "x", "An advert", "End Ads"});
    std::string text;
    for (const auto& line : all) text += line + "\r\n";
    m.WriteFile("tavoria.sdf", text);
    m.process.argumentText = "/s";
    m.ui.Run([&] { tavoria::Main(saver); });
    ASSERT_TRUE(saver.screenSaverWindow);
    saver.screenSaverWindow->drawSource = [] { return 0.5f; };
  }
  std::string Label() {
    const auto& w = *saver.screenSaverWindow;
    return w.form[w.controls.jokeLabel].caption;
  }
  // Runs on until the clock reads this many seconds past the start.
  void Until(int second) { m.ui.Advance(second * 1000 - m.ui.Now()); }
};

Lines Fixture(const std::string& date, const std::string& kickOff) {
  return {date, "Friendly", "Tavoria vs Norway", kickOff, "x"};
}

Lines Fixtures(std::initializer_list<Lines> records) {
  Lines all;
  for (const auto& r : records) all.insert(all.end(), r.begin(), r.end());
  return all;
}

TEST_F(MidnightTest, AfterMidnightYesterdaysFixtureGoesAndTodaysCarryTheMarker) {
  Start(Fixtures({Fixture("25 March 2027", "20:00"), Fixture("26 March 2027", "00:01"),
                  Fixture("26 March 2027", "19:45"), Fixture("28 March 2027", "15:00")}));
  EXPECT_EQ(saver.database.fixtures.texts, (Lines{Shown("25 March 2027", "Thursday", "20:00"),
                                                  Shown("26 March 2027", "Friday", "00:01"),
                                                  Shown("26 March 2027", "Friday", "19:45"),
                                                  Shown("28 March 2027", "Sunday", "15:00")}));

  // Steps at 1.5, 3, 8.5, 15.5 ... 57.5 s show the four in turn; the last shows the second again.
  Until(59);
  EXPECT_EQ(Label(), Shown("26 March 2027", "Friday", "00:01")) << "tomorrow's: no marker yet";

  // The advert panel runs from 60 s to 75 s; the step at 75 s (00:00:15) is past midnight.
  Until(75);
  const Lines afterMidnight = {Shown("26 March 2027", "Friday", "00:01", true),
                               Shown("26 March 2027", "Friday", "19:45", true),
                               Shown("28 March 2027", "Sunday", "15:00"), kSome, kSome};
  EXPECT_EQ(saver.database.fixtures.texts, afterMidnight);
  EXPECT_EQ(saver.database.fixtures.texts.size(), 5u);
  EXPECT_EQ(Label(), afterMidnight[1]) << "the one that was next, now marked";

  // Kick-off at 00:01 passes at 120 s, during the second panel: the step at 135 s drops the marker.
  Until(119);
  EXPECT_EQ(saver.database.fixtures.texts, afterMidnight);
  Until(135);
  EXPECT_EQ(saver.database.fixtures.texts[0], Shown("26 March 2027", "Friday", "00:01"));
  EXPECT_EQ(saver.database.fixtures.texts[1], afterMidnight[1])
      << "a later kick-off keeps its marker";
  EXPECT_FALSE(m.ui.ended);
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(MidnightTest, WhenEveryFixtureIsPastTheOneNoticeIsLeft) {
  Start(Fixtures({Fixture("25/03/2027", "21:00"), Fixture("25/03/2027", "22:00")}));
  EXPECT_EQ(saver.database.fixtures.texts.size(), 2u);
  Until(75);
  EXPECT_EQ(saver.database.fixtures.texts,
            Lines{"All your fixtures are out of date. Please upgrade using the "
                  "screensaver control panel."});
  EXPECT_EQ(Label(), saver.database.fixtures.texts[0]);
}

TEST_F(MidnightTest, TheNextFixtureIsTheNextOneThatIsStillShown) {
  // Three fixtures tonight and one tomorrow: the step at 75 s was to show tonight's third.
  Start(Fixtures({Fixture("25/03/2027", "20:00"), Fixture("25/03/2027", "21:00"),
                  Fixture("25/03/2027", "22:00"), Fixture("26/03/2027", "20:00")}));
  Until(74);
  EXPECT_EQ(saver.nextFixtureIndex, 3);
  Until(75);
  EXPECT_EQ(Label(), Shown("26/03/2027", "Friday", "20:00", true))
      << "tonight's fixtures are gone: tomorrow's is the next one";
  Until(82);
  EXPECT_EQ(Label(), kSome);
}

// A clock that moves on a millisecond at every reading: a step that read the date and the time of
// day apart could put them on either side of midnight.
struct MovingClock : platform::Clock {
  explicit MovingClock(platform::memory::VirtualClock& inner) : inner(inner) {}
  calendar::Moment Now() override {
    const calendar::Moment now = inner.Now();
    ++inner.now;
    return now;
  }
  double SecondsSinceMidnight() override { return inner.SecondsSinceMidnight(); }
  calendar::RegionalSettings Regional() override { return inner.Regional(); }
  std::optional<calendar::RegionalSettings> DesktopUserRegional() override {
    return inner.DesktopUserRegional();
  }
  std::optional<calendar::Moment> LocalMomentOf(std::chrono::sys_seconds instant) override {
    return inner.LocalMomentOf(instant);
  }
  platform::memory::VirtualClock& inner;
};

TEST(MidnightClock, AStepInTheDaysLastMillisecondReadsOneMoment) {
  MemoryPlatform m;
  MovingClock moving(m.clock);
  platform::Platform system{m.process, m.files, moving, m.desktop, m.shell, m.ui};
  tavoria::SaverState saver{system};
  m.WriteFile("tavoria.sdf",
              "tavoria\r\nx\r\nx\r\n17\r\nx\r\n2\r\nx\r\nEnd special fixtures\r\nx\r\n"
              "25 March 2027\r\nFriendly\r\nTavoria vs Norway\r\n20:00\r\nx\r\nEnd Fixtures\r\n"
              "x\r\nEnd Trivia\r\nx\r\nEnd Ads\r\n");
  m.clock.Set({2027, 3, 25}, 19, 0, 0);
  tavoria::LoadDatabase(saver);
  ASSERT_EQ(saver.database.fixtures.texts,
            Lines{Shown("25 March 2027", "Thursday", "20:00", true)});

  m.clock.Set({2027, 3, 25}, 23, 59, 59);
  m.clock.now += 999;  // 23:59:59.999: kick-off passed, the day not over
  tavoria::BringFixturesUpToDate(saver);
  EXPECT_EQ(saver.database.fixtures.texts, Lines{Shown("25 March 2027", "Thursday", "20:00")})
      << "the marker of a kick-off passed comes back at yesterday's 00:00";
}

TEST_F(MidnightTest, NothingChangesWithoutANewDayOrAPassedKickOff) {
  Start(Fixtures({Fixture("26/03/2027", "20:00"), Fixture("27/03/2027", "20:00")}));
  const Lines before = saver.database.fixtures.texts;
  Until(59);
  EXPECT_EQ(saver.database.fixtures.texts, before);
}

}  // namespace
