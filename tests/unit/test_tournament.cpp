// A whole World Cup in virtual time: the saver, started the day before a team's first match with
// the database tavdb builds for that team in London time, runs to the day after the final on its
// clock, on a computer in London, in New York and in Kolkata. At every display step its text is
// the one the list's kick-offs in UT give for that moment on that computer's clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "saver/display/saver_window.h"
#include "saver/startup.h"
#include "tavdb_support.h"
#include "util/identity.h"

namespace {

using namespace std::chrono;
using namespace tavdb_test;

// Argentina's matches as tests/data/worldcup-2026.json gives them: the venue's date and time and
// its offset from UT.
struct Match {
  const char *round, *teams;
  year_month_day date;
  int hour, utcOffset;
};
const Match kArgentina[] = {
    {"Group J", "Argentina vs Algeria", 2026y / 6 / 16, 20, -5},
    {"Group J", "Argentina vs Austria", 2026y / 6 / 22, 12, -5},
    {"Group J", "Jordan vs Argentina", 2026y / 6 / 27, 21, -5},
    {"Round of 32", "Argentina vs Cape Verde", 2026y / 7 / 3, 18, -4},
    {"Round of 16", "Argentina vs Egypt", 2026y / 7 / 7, 12, -4},
    {"Quarter-final", "Argentina vs Switzerland", 2026y / 7 / 11, 20, -5},
    {"Semi-final", "England vs Argentina", 2026y / 7 / 15, 15, -4},
    {"Final", "Spain vs Argentina", 2026y / 7 / 19, 15, -4},
};
// The computers' zones, and their clocks' offsets from UT all through June and July.
struct Computer {
  const char* zone;
  minutes offset;
};
const Computer kComputers[] = {
    {"Europe/London", hours{1}},  // British Summer Time
    {"America/New_York", hours{-4}},
    {"Asia/Kolkata", hours{5} + minutes{30}},
};
const std::string kUpgrade = " out of date. Please upgrade using the screensaver control panel.";
const std::string kSome = "Some of your fixtures are" + kUpgrade,
                  kAll = "All your fixtures are" + kUpgrade;

struct FixtureList {
  Lines texts;
  std::vector<std::size_t> sources;  // the match, or 8 + n for notice n
};

local_seconds OnClock(const Match& m, minutes offset) {
  return local_days{m.date} + hours{m.hour} - hours{m.utcOffset} + offset;
}

std::size_t KickOffsPassed(local_seconds now, minutes offset) {
  return static_cast<std::size_t>(
      std::count_if(std::begin(kArgentina), std::end(kArgentina),
                    [&](const Match& m) { return OnClock(m, offset) <= now; }));
}

std::string TwoDigits(long n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// What the saver is to show at a moment on the computer's clock.
FixtureList Expected(local_seconds now, minutes offset) {
  const char* const weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
  const char* const months[] = {"", "", "", "", "", "", "June", "July"};
  const local_days today = floor<days>(now);
  FixtureList list;
  bool past = false;
  for (std::size_t i = 0; i < std::size(kArgentina); ++i) {
    const Match& m = kArgentina[i];
    const local_seconds kickOff = OnClock(m, offset);
    const local_days day = floor<days>(kickOff);
    past = past || day < today;
    if (day < today) continue;
    const year_month_day date{day};
    const auto minute = duration_cast<minutes>(kickOff - day).count();
    list.texts.push_back(
        "World Cup 2026, " + std::string(m.round) + " - " + weekdays[weekday{day}.c_encoding()] +
        ", " + std::to_string(unsigned{date.day()}) + " " + months[unsigned{date.month()}] +
        " 2026\r\n" + m.teams + " - K/O: " + TwoDigits(minute / 60) + ":" + TwoDigits(minute % 60) +
        (day == today && now < kickOff ? " **TODAY!**" : ""));
    list.sources.push_back(i);
  }
  const Lines notices = !past ? Lines{} : list.texts.empty() ? Lines{kAll} : Lines{kSome, kSome};
  for (std::size_t n = 0; n < notices.size(); ++n) {
    list.texts.push_back(notices[n]);
    list.sources.push_back(std::size(kArgentina) + n);
  }
  return list;
}

struct WholeWorldCup : TavdbTest, ::testing::WithParamInterface<Computer> {};

TEST_P(WholeWorldCup, TheSaverFollowsATeamOnTheFansOwnClock) {
  const Computer computer = GetParam();
  const Outcome built =
      Tavdb({"build", TestData("worldcup-2026.json"), "--team", "Argentina", "--zone",
             "Europe/London", "--number", "19", "-o", Path(tavoria::DATABASE_FILE)});
  ASSERT_EQ(built.status, 0) << built.err;
  m.WriteFile(tavoria::CONFIG_FILE, "30\r\n");  // the longest delay
  m.clock.zone = SystemZone(m.files, computer.zone);
  m.clock.Set({2026, 6, 16}, 9, 0, 0);
  m.process.argumentText = "/s";
  tavoria::SaverState saver{m.platform};
  m.ui.Run([&] { tavoria::Main(saver); });
  ASSERT_TRUE(saver.screenSaverWindow);
  ui::Form& form = saver.screenSaverWindow->form;
  const ui::Control& label = form[saver.screenSaverWindow->controls.jokeLabel];
  auto now = [&] {
    const calendar::Moment moment = m.clock.Now();
    return local_days{year{moment.date.year} / moment.date.month / moment.date.day} +
           seconds{moment.secondsOfDay};
  };
  // Every draw at 0.5 shows the next fixture; a display step makes 8 draws, a panel 1.
  int draws = 0;
  local_seconds drawnAt;
  saver.screenSaverWindow->drawSource = [&] { return ++draws, drawnAt = now(), 0.5f; };
  const std::size_t controls = form.controls.size(), timers = form.timers.size();
  const std::size_t events = m.log.events.size();

  std::size_t dueNext = 0;  // the source of the text due next
  int steps = 0, marked = 0;
  FixtureList expected;
  std::pair<local_days, std::size_t> expectedFor;  // the day and the kick-offs passed
  while (now() < local_days{2026y / 7 / 21} + hours{12}) {
    const int before = draws;
    // Display steps are 15 s or more apart once the credits (1.5 s and 3 s) are over.
    m.ui.Advance(m.ui.Now() < 4'000 ? 500 : 10'000);
    if (draws - before <= 1) continue;
    ASSERT_EQ(draws - before, 8) << "one display step";
    const std::pair moment{floor<days>(drawnAt), KickOffsPassed(drawnAt, computer.offset)};
    if (std::exchange(expectedFor, moment) != moment) expected = Expected(drawnAt, computer.offset);
    ASSERT_EQ(saver.database.fixtures.texts, expected.texts)
        << "at " << drawnAt.time_since_epoch().count();
    const auto next = std::lower_bound(expected.sources.begin(), expected.sources.end(), dueNext);
    const std::size_t shown = next == expected.sources.end() ? 0 : next - expected.sources.begin();
    ASSERT_EQ(label.caption, expected.texts[shown]) << "at " << drawnAt.time_since_epoch().count();
    dueNext = expected.sources[(shown + 1) % expected.sources.size()];
    ++steps;
    marked += label.caption.ends_with("**TODAY!**");
  }
  EXPECT_EQ(saver.database.fixtures.texts, Lines{kAll});
  EXPECT_GT(steps, 95'000);
  EXPECT_GT(marked, 200) << "the marker was seen on match days";
  EXPECT_FALSE(m.ui.ended);
  EXPECT_EQ(form.controls.size(), controls);
  EXPECT_EQ(form.timers.size(), timers);
  EXPECT_EQ(m.log.events.size(), events);
  EXPECT_TRUE(m.desktop.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Computers, WholeWorldCup, ::testing::ValuesIn(kComputers),
                         [](const auto& info) {
                           std::string name = info.param.zone;
                           return name.substr(name.find('/') + 1);
                         });

}  // namespace
