// tavdb check: every failure the saver's loader stops on, at its line with its code, the first
// being the loader's own; and the warnings for what the saver accepts but users would see wrongly.
#include <gtest/gtest.h>

#include "tavdb/check.h"
#include "tavdb_support.h"
#include "util/text_reader.h"

namespace {

using calendar::Date;
using calendar::DateOrder;
using tavdb::Diagnostic;
using tavdb::Diagnostics;
using tavdb::Severity;
using namespace tavdb_test;

constexpr int kTooNew = -1;  // the expected "code" of a format version newer than the saver's

struct Broken {
  std::string name;
  std::string text;
  int line;  // of the first error
  int code;  // of the first error, or kTooNew
  Date date{2026, 12, 8};
  DateOrder order = DateOrder::DayMonthYear;
};

std::vector<Broken> BrokenFiles() {
  std::vector<Broken> all;
  auto add = [&](std::string name, const Database& db, int line, int code) {
    all.push_back({std::move(name), db.Text(), line, code});
  };
  const Lines future = Fixture("26 March 2027");

  Database tooNew;
  tooNew.line6 = "3";
  add("format version 3 is too new", tooNew, 6, kTooNew);
  tooNew.line6 = "2.1";
  add("format version 2.1 is too new", tooNew, 6, kTooNew);

  Database special;
  special.specials = {"vs Brazil", "The big one"};
  add("a special fixture with vs at its start", special, 8, 5);
  special.specials = {"Tavoria vs", "The big one"};
  add("a special fixture with vs at its end", special, 8, 5);
  special.specials = Repeat(11, {"Tavoria vs Brazil", "The big one"});
  add("an eleventh special fixture", special, 8 + 20, 9);

  Database fixture;
  fixture.fixtures = Fixture("26 March 2027", "vs Norway");
  add("a fixture to come with vs at its start", fixture, 12, 5);
  fixture.fixtures = Fixture("26 March 2027", "Tavoria vs");
  add("a fixture to come with vs at its end", fixture, 12, 5);
  fixture.fixtures = Fixture("31/02/2027");
  add("a date that is no date", fixture, 10, 13);
  fixture.fixtures = Fixture("26 March 2027", "Tavoria vs Norway", "25:00");
  add("a kick-off that is no time", fixture, 13, 13);
  fixture.fixtures = Fixture("26 March 2027", "vs Norway", "soon");
  add("a kick-off that is no time comes before the match line", fixture, 13, 13);
  fixture.fixtures = DailyFixtures(101);
  add("a 101st fixture to come", fixture, 10 + 500, 9);
  fixture.fixtures = Fixture("1 January 2026");
  {
    Lines more = DailyFixtures(101);
    fixture.fixtures.insert(fixture.fixtures.end(), more.begin(), more.end());
  }
  add("a 101st fixture to come after a past one", fixture, 10 + 505, 9);
  fixture.fixtures = Fixture("End Fixtures ");
  add("a fixture terminator with a blank after it", fixture, 10, 13);

  Database lists;
  lists.trivia = Repeat(100, {"A fact"});
  add("a 100th fact before End Trivia", lists, 11 + 101, 9);
  lists.trivia = {"A fact"};
  lists.adverts = Repeat(100, {"An advert"});
  add("a 100th advert before End Ads", lists, 14 + 101, 9);

  Database longLine;
  longLine.trivia = {"A fact", std::string(util::TextReader::kLongestLine + 1, 'x')};
  add("a line over the length limit", longLine, 13, 62);

  const std::string whole = Database{}.Text();
  const auto cut = [&](const std::string& before) { return whole.substr(0, whole.find(before)); };
  all.push_back({"the file ends in the header", cut("Updated"), 4, 62});
  all.push_back({"the file ends before End special fixtures", cut("End special"), 7, 62});
  all.push_back({"the file ends before End Fixtures", cut("End Fixtures"), 9, 62});
  all.push_back({"the file ends before End Trivia", cut("End Trivia"), 12, 62});
  all.push_back({"the file ends before End Ads", cut("End Ads"), 15, 62});
  all.push_back({"an empty file", "", 1, 62});

  // The regional order decides what is a date.
  Database order;
  order.fixtures = Fixture("13/06/2027");
  all.push_back({"13/06/2027 in month-day-year order",
                 order.Text(),
                 10,
                 13,
                 {2026, 12, 8},
                 DateOrder::MonthDayYear});
  // The day decides what is read: the kick-off of a fixture that is not past.
  order.fixtures = Fixture("26 March 2027", "Tavoria vs Norway", "evening");
  all.push_back({"the kick-off of a fixture of the day", order.Text(), 13, 13, {2027, 3, 26}});
  return all;
}

struct TavdbCheckTest : TavdbTest {
  Diagnostics Check(const std::string& path, Date date, DateOrder order = DateOrder::DayMonthYear,
                    std::optional<int> previous = std::nullopt) {
    tavdb::CheckOptions options;
    options.moment = {date, 0};
    options.regional.dateOrder = order;
    options.previousNumber = previous;
    options.previousName = "previous.sdf";
    options.zoneRules = [&](const std::string& name) { return SystemZone(m.files, name); };
    return tavdb::CheckDatabase(platform::ReadFile(m.files, platform::SystemName(path)), options);
  }
};

const Diagnostic* FirstError(const Diagnostics& diagnostics) {
  for (const Diagnostic& d : diagnostics)
    if (d.severity == Severity::Error) return &d;
  return nullptr;
}

std::string Listing(const Diagnostics& diagnostics) {
  std::string all;
  for (const Diagnostic& d : diagnostics) all += tavdb::Format(d, "db") + "\n";
  return all;
}

TEST_F(TavdbCheckTest, EachFailureOfTheLoaderIsTheFirstErrorAtItsLineWithTheLoadersCode) {
  for (const Broken& broken : BrokenFiles()) {
    SCOPED_TRACE(broken.name);
    const std::string path = Write("broken.sdf", broken.text);
    const Diagnostics found = Check(path, broken.date, broken.order);
    const Diagnostic* first = FirstError(found);
    ASSERT_NE(first, nullptr) << Listing(found);
    EXPECT_EQ(first->line, broken.line) << Listing(found);
    if (broken.code == kTooNew) {
      EXPECT_TRUE(first->tooNew) << Listing(found);
    } else {
      EXPECT_EQ(first->code, broken.code) << Listing(found);
    }

    // The saver's own loader stops on the same failure.
    const database::LoadedDatabase saver = Saver(path, broken.date, broken.order);
    ASSERT_TRUE(saver.error);
    EXPECT_EQ(saver.error->line, broken.line);
    if (broken.code == kTooNew) {
      EXPECT_TRUE(saver.error->tooNew);
      EXPECT_EQ(saver.trivia, Lines{"The database requires a newer version of this screensaver."});
    } else if (broken.code == 62) {
      EXPECT_EQ(saver.trivia, Lines{"The database is corrupted."});
    } else {
      EXPECT_EQ(saver.error->code, broken.code);
    }
  }
}

TEST_F(TavdbCheckTest, TheCommandListsEveryErrorInOneRunAndExitsWith1) {
  Database db;
  db.line6 = "3";
  db.specials = {"vs Brazil", "x"};
  db.fixtures = Fixture("31/02/2027");
  const Lines kickOff = Fixture("26 March 2027", "Tavoria vs Norway", "25:00");
  db.fixtures.insert(db.fixtures.end(), kickOff.begin(), kickOff.end());
  db.trivia = Repeat(100, {"A fact"});
  const std::string path = Write("many.sdf", db.Text());

  const Outcome run = Tavdb({"check", path, "--date", "2026-12-08"});
  EXPECT_EQ(run.status, 1);
  const std::string prefix = path + ":";
  EXPECT_NE(run.err.find(prefix + "6: error: format version \"3\" is newer than this "
                                  "screensaver's \"2\": the saver shows \"The database requires "
                                  "a newer version of this screensaver.\" instead of its content"),
            std::string::npos)
      << run.err;
  for (const char* expected :
       {"8: error: \"vs\" stands at the start of the special fixture's match line \"vs Brazil\": "
        "the saver stops loading with its error report, code 5",
        "12: error: \"31/02/2027\" is no date in day-month-year order",
        "20: error: kick-off \"25:00\" is no time of day",
        "124: error: the trivia section runs "
        "past 100 lines"})
    EXPECT_NE(run.err.find(prefix + expected), std::string::npos) << expected << "\n" << run.err;
  // In the loader's order: the first error is the one the saver stops on.
  EXPECT_EQ(run.err.find(": error: "), run.err.find(prefix + "6: error: ") + prefix.size() + 1);
  EXPECT_NE(run.out.find("5 errors"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("the saver shows \"The database requires a newer version"),
            std::string::npos)
      << run.out;
}

TEST_F(TavdbCheckTest, ADatabaseOver1MiBIsAnErrorCheckReportsAndBuildNeverWrites) {
  const std::string says =
      "error: the file is larger than a team database can be (at most "
      "1048576 bytes, 1 MiB): Kelvane refuses it, and the saver reads it "
      "only that far";
  Database db;
  db.fixtures = Fixture("26 March 2027");
  const std::string text = db.Text();
  for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
    const std::string path = Write("big.sdf", text + std::string(size - text.size(), ' '));
    const Outcome run = Tavdb({"check", path, "--date", "2026-12-08"});
    EXPECT_EQ(run.status, size > (1u << 20) ? 1 : 0) << size;
    EXPECT_EQ(run.err.find(path + ": " + says) != std::string::npos, size > (1u << 20)) << run.err;
  }
  std::string facts;
  for (int n = 0; n < 20; ++n) facts += std::string(60000, 'f') + "\n";
  const Outcome run =
      Tavdb({"build",
             Write("f.csv",
                   "date,time,title,home,away\n2027-03-26,19:45,"
                   "Friendly,Tavoria,Norway\n"),
             "--facts", Write("facts.txt", facts), "--number", "18", "-o", Path("out.sdf")});
  EXPECT_EQ(run.status, 1);
  const auto at = run.err.find(Path("out.sdf") + ": " + says);
  EXPECT_NE(at, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(says, at + says.size()), std::string::npos) << "said once: " << run.err;
  EXPECT_EQ(m.ReadFile("out.sdf"), std::nullopt);
}

TEST_F(TavdbCheckTest, WhatTheLoaderNeverReadsIsNoError) {
  Database db;
  // A past fixture's kick-off is never read, nor is its match line split.
  db.fixtures = Fixture("1 June 2026", "vs Norway", "soon");
  const Lines future = Fixture("26 March 2027");
  db.fixtures.insert(db.fixtures.end(), future.begin(), future.end());
  db.line6 = "10";  // sorts before "2"
  const std::string path = Write("ok.sdf", db.Text() + "Nothing here is read\r\n");
  const Diagnostics found = Check(path, {2026, 12, 8});
  EXPECT_EQ(FirstError(found), nullptr) << Listing(found);
  EXPECT_TRUE(Saver(path, {2026, 12, 8}).error == std::nullopt);
  const Outcome run = Tavdb({"check", path, "--date", "2026-12-08"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("0 errors, 2 warnings on 2026-12-08 in dmy order; the saver loads it: 3 "
                         "fixture texts, 1 fact, 1 advert"),
            std::string::npos)
      << run.out;
}

struct Warned {
  std::string name;
  Database db;
  int line;
  std::string says;
  Date date{2026, 12, 8};
  std::optional<int> previous;
};

std::vector<Warned> Warnings() {
  std::vector<Warned> all;
  auto add = [&](std::string name, Database db, int line, std::string says) {
    all.push_back({std::move(name), std::move(db), line, std::move(says)});
  };
  Database db;
  db.fixtures = Fixture("1 June 2026");
  add("a past fixture", db, 10,
      "the fixture \"Tavoria vs Norway\" on \"1 June 2026\" is past on 2026-12-08: the saver "
      "leaves it out and asks users to upgrade");
  db.fixtures = Fixture("05/06/2027");
  add("a date that reads as another day in another order", db, 10,
      "\"05/06/2027\" reads as 5 June 2027 in day-month-year order, but as 6 May 2027 in "
      "month-day-year order and as no date in year-month-day order");
  db.fixtures = Fixture("13/06/2027");
  add("a date that is no date in another order", db, 10,
      "\"13/06/2027\" reads as 13 June 2027 in day-month-year order, but as no date in "
      "month-day-year order and as no date in year-month-day order");
  db.fixtures = Fixture("26 March 27");
  add("a two-digit year", db, 10, "\"26 March 27\" has a two-digit year");
  db.fixtures = {};
  db.trivia = {"A\tfact"};
  add("a tab", db, 12, "byte 0x09 at column 2 is no printable Windows-1252 character");
  db.trivia = {"Fact \x81"};
  add("a byte Windows-1252 leaves undefined", db, 12, "byte 0x81 at column 6");
  db.trivia = {
      "Cura\xC3\xA7"
      "ao are new"};
  add("UTF-8 text", db, 12,
      "the line looks like UTF-8: users see \"Cura\xC3\x83\xC2\xA7"
      "ao are new\"");
  db.trivia = {"End Trivia ", "A fact"};
  add("a terminator with a blank after it", db, 12,
      "\"End Trivia \" has blanks around \"End Trivia\": to the saver it is not the section's end");
  db.trivia = {"A fact"};
  db.lineEnd = "\n";
  add("bare line feeds", db, 1,
      "the line ends in a line feed alone, without a carriage return (so do 15 more lines)");
  db.lineEnd = "\r\n";
  db.specials = {"Tavoria vs Brazil", "The big one"};
  db.fixtures = Fixture("26 March 2027", "Tavoria vs Chile");
  add("a special fixture that matches no fixture", db, 8,
      "the special fixture \"Tavoria vs Brazil\" matches no fixture: its text \"The big one\" is "
      "never shown");
  db.specials = {"Tavoria vs Chile", "First", "Chile vs Tavoria", "Second"};
  add("a special fixture another one for the same teams hides", db, 8,
      "the special fixture \"Tavoria vs Chile\" is never shown: the one on line 10 for the same "
      "teams wins");
  db.specials = {};
  db.fixtures = {};
  db.line4 = "seventeen";
  add("no database number", db, 4, "the saver reads no database number here");
  db.line4 = "-3";
  add("a negative database number", db, 4,
      "database number -3 is negative: the upgrade check sends db=-3 as it stands");
  db.line4 = "17";
  all.push_back({"a number not higher than the previous one's",
                 db,
                 4,
                 "database number 17 is not higher than 17 of previous.sdf: the upgrade check "
                 "would not offer this database",
                 {2026, 12, 8},
                 17});
  db.fixtures = {};
  all.push_back({"text after End Ads", db, 0, "the saver reads nothing after \"End Ads\""});
  db.trivia = {
      "Cura\xE7"
      "ao are new"};
  add("letters beyond ASCII in a database that does not declare its text", db, 5,
      "the database does not say how its text is written");
  db.line5 = "Updated [text UTF-8]";
  add("bytes that are not UTF-8 in a UTF-8 database", db, 12,
      "byte 0xE7 at column 5 is no printable UTF-8 character");
  db.trivia = {"A fact"};
  db.fixturesHeading = "Fixtures (kick-off times are Europe/London time)";
  db.fixtures = {"26 March 2027", "Friendly", "Tavoria vs Norway", "19:45",
                 "Arvost [2027-03-26T18:45Z]"};
  add("an instant another time than its lines", db, 14,
      "the kick-off's instant 2027-03-26T18:45Z is 26 March 2027 at 18:45 in Europe/London, but "
      "its lines say 26 March 2027 at 19:45");
  db.devname = "\xEF\xBB\xBFtavoria";
  add("a byte-order mark", db, 1,
      "the first line is not a plain name: it starts with a byte-order mark, as a text editor "
      "writes when it saves the file as Unicode: Kelvane refuses it as an upgrade");
  db.devname = "COM1.db";
  add("a device's name", db, 1,
      "the first line \"COM1.db\" names no file in the Windows directory (NAME.sdf): Kelvane "
      "refuses it as an upgrade");
  return all;
}

TEST_F(TavdbCheckTest, WhatTheSaverAcceptsButUsersSeeWronglyIsAWarningAtItsLine) {
  for (const Warned& warned : Warnings()) {
    SCOPED_TRACE(warned.name);
    std::string text = warned.db.Text();
    int line = warned.line;
    if (line == 0) {  // after the file's end
      line = static_cast<int>(warned.db.AllLines().size()) + 2;
      text += "\r\nStray advert\r\n";
    }
    const std::string path = Write("warned.sdf", text);
    const Diagnostics found = Check(path, warned.date, DateOrder::DayMonthYear, warned.previous);
    EXPECT_EQ(FirstError(found), nullptr) << Listing(found);
    const auto it = std::find_if(found.begin(), found.end(), [&](const Diagnostic& d) {
      return d.severity == Severity::Warning && d.message.find(warned.says) != std::string::npos;
    });
    ASSERT_NE(it, found.end()) << warned.says << "\n" << Listing(found);
    EXPECT_EQ(it->line, line) << Listing(found);
    EXPECT_TRUE(Saver(path, warned.date).error == std::nullopt)
        << "a warning is never what the saver refuses";
  }
}

TEST_F(TavdbCheckTest, AHundredFixturesNeverOverflowTheListAndACleanFileHasNoWarning) {
  // A hundred to come, and the notices as the days pass: no day the saver stops on.
  Database db;
  db.fixtures = DailyFixtures(100);
  const std::string path = Write("full.sdf", db.Text());
  EXPECT_EQ(Listing(Check(path, {2026, 12, 8})), "");
  for (const calendar::Date day : {calendar::Date{2027, 1, 2}, {2027, 1, 3}, {2027, 3, 1}})
    EXPECT_TRUE(Saver(path, day).error == std::nullopt) << calendar::IsoDate(day);
}

TEST_F(TavdbCheckTest, TheDayDecidesWhichFixturesArePast) {
  Database db;
  db.fixtures = Fixture("26 March 2027");
  const std::string path = Write("day.sdf", db.Text());
  EXPECT_EQ(Listing(Check(path, {2027, 3, 26})), "") << "a fixture of the day is not past";
  const Diagnostics after = Check(path, {2027, 3, 27});
  ASSERT_EQ(after.size(), 1u) << Listing(after);
  EXPECT_NE(after[0].message.find("is past on 2027-03-27"), std::string::npos);
}

TEST_F(TavdbCheckTest, AFileThatCannotBeReadIsBadUsage) {
  const Outcome missing = Tavdb({"check", Path("missing.sdf")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("missing.sdf: error: cannot read the file: File not found (code 53)"),
            std::string::npos)
      << missing.err;
  const std::string path = Write("db.sdf", Database{}.Text());
  const Outcome previous = Tavdb({"check", path, "--previous", Path("gone.sdf")});
  EXPECT_EQ(previous.status, 2);
}

TEST_F(TavdbCheckTest, ThePreviousDatabaseIsReadAsTheSaverReadsItsNumber) {
  Database older, newer;
  older.line4 = "17";
  newer.line4 = "18";
  const std::string oldPath = Write("old.sdf", older.Text());
  const std::string newPath = Write("new.sdf", newer.Text());
  const Outcome higher = Tavdb({"check", newPath, "--previous", oldPath, "--date", "2026-12-08"});
  EXPECT_EQ(higher.status, 0);
  EXPECT_EQ(higher.err, "");
  const Outcome lower = Tavdb({"check", oldPath, "--previous", newPath, "--date", "2026-12-08"});
  EXPECT_EQ(lower.status, 0) << "a warning only";
  EXPECT_EQ(lower.err, oldPath + ":4: warning: database number 17 is not higher than 18 of " +
                           newPath + ": the upgrade check would not offer this database\n");
}

}  // namespace
