// tavdb show: what the saver shows on a given day, as the saver's own loader composes it; and the
// tool's answers to bad usage.
#include <gtest/gtest.h>

#include "saver/data/database.h"
#include "tavdb_support.h"
#include "util/text.h"

namespace {

using namespace tavdb_test;

Database Derby() {
  Database db;
  db.specials = {"Tavoria vs Norway", "*** THE FJORD DERBY ***"};
  db.fixtures = Fixture("26 March 2027");
  const Lines second = Fixture("29/03/2027", "Scotland vs Tavoria", "20:00");
  db.fixtures.insert(db.fixtures.end(), second.begin(), second.end());
  db.trivia = {"Fact one", "Fact two"};
  db.adverts = {"Advert one"};
  return db;
}

Lines OutputLines(const std::string& out) {
  Lines lines = text::SplitLines(out);
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

const Lines kBuiltIn = {
    "built-in advert: fenmoor.example/football",
    "built-in advert: Check out Tavoria Screensaver site at | http://www.fenmoor.example/football/ "
    "now!",
    "built-in advert: Get free upgrades for Tavoria Screensaver at  | "
    "http://www.fenmoor.example/football/ | (Also check out the screensaver setup screen)"};

Lines With(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

TEST_F(TavdbTest, ShowMarksAFixtureOfTheDayUntilItsKickOffAndShowsItsSpecialText) {
  const std::string path = Write("derby.sdf", Derby().Text());
  const Lines rest =
      With({"fixture: Friendly - Monday, 29/03/2027 | Scotland vs Tavoria - K/O: 20:00",
            "fact: Fact one", "fact: Fact two", "advert: Advert one"},
           kBuiltIn);

  const Outcome before = Tavdb({"show", path, "--date", "2027-03-26", "--time", "19:44"});
  EXPECT_EQ(before.status, 0) << before.err;
  EXPECT_EQ(before.err, "");
  EXPECT_EQ(OutputLines(before.out),
            With({"fixture: *** THE FJORD DERBY *** | Friendly - Friday, 26 March 2027 | Tavoria "
                  "vs Norway - K/O: 19:45 **TODAY!**"},
                 rest));

  const Outcome atKickOff = Tavdb({"show", path, "--date", "2027-03-26", "--time", "19:45"});
  EXPECT_EQ(OutputLines(atKickOff.out),
            With({"fixture: *** THE FJORD DERBY *** | Friendly - Friday, 26 March 2027 | Tavoria "
                  "vs Norway - K/O: 19:45"},
                 rest));

  // Without --time the day is shown from its start.
  const Outcome wholeDay = Tavdb({"show", path, "--date", "2027-03-26"});
  EXPECT_EQ(OutputLines(wholeDay.out), OutputLines(before.out));
}

TEST_F(TavdbTest, ShowListsTheOutOfDateNoticesAfterTheFixturesToCome) {
  const std::string path = Write("derby.sdf", Derby().Text());
  const std::string some =
      "fixture: Some of your fixtures are out of date. Please upgrade using the screensaver "
      "control panel.";
  const Outcome after = Tavdb({"show", path, "--date", "2027-03-27"});
  EXPECT_EQ(after.status, 0);
  const Lines lines = OutputLines(after.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "fixture: Friendly - Monday, 29/03/2027 | Scotland vs Tavoria - K/O: 20:00");
  EXPECT_EQ(lines[1], some);
  EXPECT_EQ(lines[2], some);
  EXPECT_EQ(lines[3], "fact: Fact one");

  const Outcome allPast = Tavdb({"show", path, "--date", "2027-04-01"});
  EXPECT_EQ(OutputLines(allPast.out)[0],
            "fixture: All your fixtures are out of date. Please upgrade using the screensaver "
            "control panel.");
}

// The texts the saver itself holds after loading the file at that moment, in the tool's form.
Lines SaverTexts(platform::memory::MemoryPlatform& m, const std::string& bytes, calendar::Date day,
                 int hours, int minutes, calendar::DateOrder order) {
  m.WriteFile("tavoria.sdf", bytes);
  m.clock.Set(day, hours, minutes, 0);
  m.clock.regional.dateOrder = order;
  tavoria::SaverState saver{m.platform};
  tavoria::LoadDatabase(saver);
  Lines texts;
  for (const std::string& fixture : saver.database.fixtures.texts) {
    std::string line = "fixture: ";
    const Lines parts = text::SplitLines(fixture);
    for (std::size_t i = 0; i < parts.size(); ++i) line += (i ? " | " : "") + parts[i];
    texts.push_back(line);
  }
  return texts;
}

TEST_F(TavdbTest, ShowIsWhatTheSaverComposesOnThatDayInThatRegionalOrder) {
  struct Moment {
    const char* date;
    const char* time;
    const char* order;
    calendar::Date day;
    int hours, minutes;
    calendar::DateOrder dateOrder;
  };
  using calendar::DateOrder;
  const Moment moments[] = {
      {"2027-03-26", "10:00", "dmy", {2027, 3, 26}, 10, 0, DateOrder::DayMonthYear},
      {"2027-03-26", "21:00", "dmy", {2027, 3, 26}, 21, 0, DateOrder::DayMonthYear},
      {"2027-03-29", "19:59", "dmy", {2027, 3, 29}, 19, 59, DateOrder::DayMonthYear},
      {"2027-03-28", "08:00", "ymd", {2027, 3, 28}, 8, 0, DateOrder::YearMonthDay},
      {"2027-02-01", "08:00", "mdy", {2027, 2, 1}, 8, 0, DateOrder::MonthDayYear},
  };
  Database db = Derby();
  db.fixtures[5] = "2027-03-29";  // a date every regional order reads alike
  const std::string bytes = db.Text();
  const std::string path = Write("db.sdf", bytes);
  for (const Moment& at : moments) {
    SCOPED_TRACE(std::string(at.date) + " " + at.time + " " + at.order);
    const Outcome shown =
        Tavdb({"show", path, "--date", at.date, "--time", at.time, "--order", at.order});
    EXPECT_EQ(shown.status, 0) << shown.err;
    Lines fixtures;
    for (const std::string& line : OutputLines(shown.out))
      if (line.rfind("fixture: ", 0) == 0) fixtures.push_back(line);
    EXPECT_EQ(fixtures, SaverTexts(m, bytes, at.day, at.hours, at.minutes, at.dateOrder));
  }
}

TEST_F(TavdbTest, ShowTellsWhenTheSaverShowsAMessageOrItsErrorReportInstead) {
  Database tooNew = Derby();
  tooNew.line6 = "3";
  const Outcome newer = Tavdb({"show", Write("new.sdf", tooNew.Text()), "--date", "2027-03-01"});
  EXPECT_EQ(newer.status, 1);
  EXPECT_EQ(OutputLines(newer.out),
            With({"fixture: The database requires a newer version of this screensaver.",
                  "fact: The database requires a newer version of this screensaver."},
                 kBuiltIn));
  EXPECT_NE(newer.err.find("error: the saver shows \"The database requires a newer version of "
                           "this screensaver.\" instead of its content"),
            std::string::npos)
      << newer.err;

  Database badKickOff = Derby();
  badKickOff.fixtures[8] = "8pm-ish";
  const Outcome report =
      Tavdb({"show", Write("bad.sdf", badKickOff.Text()), "--date", "2027-03-01"});
  EXPECT_EQ(report.status, 1);
  // What was stored before the failure stays, as in the saver.
  EXPECT_EQ(OutputLines(report.out)[0],
            "fixture: *** THE FJORD DERBY *** | Friendly - Friday, 26 March 2027 | Tavoria vs "
            "Norway - K/O: 19:45");
  EXPECT_NE(
      report.err.find("  An error occurred - contact Fenmoor Entertainment UK tech support\n"),
      std::string::npos)
      << report.err;
  EXPECT_NE(report.err.find("  Error code: 13\n  Error description: Type mismatch\n"),
            std::string::npos)
      << report.err;
}

TEST_F(TavdbTest, BadUsageExitsWith2AndSaysWhy) {
  const std::string db = Write("db.sdf", Derby().Text());
  const std::string csv = Write("f.csv", "date,time,title,home,away\n");
  struct Case {
    Lines args;
    std::string says;
  };
  const Case cases[] = {
      {{}, "a command is needed"},
      {{"inspect", db}, "unknown command inspect"},
      {{"check"}, "one database file expected"},
      {{"check", db, db}, "one database file expected"},
      {{"check", db, "--date", "8/12/2026"}, "--date needs a date YYYY-MM-DD"},
      {{"check", db, "--date", "2026-02-30"}, "--date needs a date YYYY-MM-DD"},
      {{"check", db, "--date"}, "--date needs a value"},
      {{"check", db, "--order", "dym"}, "--order is dmy, mdy or ymd"},
      {{"check", db, "--time", "10:00"}, "unknown option --time"},
      {{"check", db, "--verbose", "yes"}, "unknown option --verbose"},
      {{"show", db, "--time", "10:00"}, "--time goes with --date"},
      {{"show", db, "--date", "2027-01-01", "--time", "24:00"}, "--time needs a time HH:MM"},
      {{"show", db, "--date", "2027-01-01", "--date", "2027-01-02"}, "--date given twice"},
      {{"build", csv, "-o", Path("out.sdf")}, "--number N is needed"},
      {{"build", csv, "--number", "18"}, "-o OUT is needed"},
      {{"build", csv, "--number", "eighteen", "-o", Path("out.sdf")},
       "--number needs a whole number"},
      {{"build", csv, "--number", "40000", "-o", Path("out.sdf")}, "--number may be at most 32767"},
      {{"build", "--number", "18", "-o", Path("out.sdf")}, "one fixture list expected"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    const Outcome run = Tavdb(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("tavdb: " + c.says + "\nusage: tavdb check FILE", 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
  // Files that cannot be read are reported by name.
  for (const Lines& args :
       {Lines{"show", Path("none.sdf")},
        Lines{"build", Path("none.csv"), "--number", "1", "-o", db},
        Lines{"build", csv, "--facts", Path("none.txt"), "--number", "1", "-o", Path("out.sdf")}}) {
    const Outcome run = Tavdb(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("none."), std::string::npos);
    EXPECT_NE(run.err.find(": error: cannot read the file: File not found (code 53)"),
              std::string::npos)
        << run.err;
  }
  const Outcome help = Tavdb({"help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("a line break\n       inside a text is written \" | \""),
            std::string::npos)
      << help.out;
}

}  // namespace
