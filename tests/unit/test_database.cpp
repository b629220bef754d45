// The team database: loading, its failures, the database number and the built-in adverts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "database/database_file.h"
#include "database/walk.h"
#include "platform/memory/memory_platform.h"
#include "saver/data/database.h"
#include "saver/failures.h"
#include "tests/unit/database_text.h"

namespace {

using calendar::DateOrder;
using platform::memory::MemoryPlatform;
using tavoria::SaverState;
using util::Failure;
using Lines = std::vector<std::string>;

const std::string kNotFound = "The Tavoria team information database could not be found.";
const std::string kNoAccess = "Could not access database.";
const std::string kCorrupted = "The database is corrupted.";
const std::string kTooNew = "The database requires a newer version of this screensaver.";

using database_text::Database;
using database_text::Fixture;
using database_text::Numbered;
using database_text::Repeat;

struct DatabaseTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};

  void Load(const std::string& bytes) {
    m.WriteFile("tavoria.sdf", bytes);
    tavoria::LoadDatabase(saver);
  }
  void Load(const Database& db) { Load(db.Text()); }

  void ExpectShownInstead(const std::string& message) const {
    EXPECT_EQ(saver.database.fixtures.texts, Lines{message});
    EXPECT_EQ(saver.database.trivia, Lines{message});
    EXPECT_TRUE(m.desktop.messages.empty()) << "no message box for " << message;
  }
  // The code in the one general error report shown, or 0.
  int ReportedCode() const {
    if (m.desktop.messages.size() != 1) return 0;
    const std::string& text = m.desktop.messages[0].text;
    const auto at = text.find("Error code: ");
    if (at == std::string::npos) return 0;
    return std::stoi(text.substr(at + 12));
  }
};

Database Complete() {
  Database db;
  db.specials = {"Tavoria vs Norway", "The Fjord Derby"};
  db.fixtures = Fixture("2027-03-26");
  db.trivia = {"Fact one", "Fact two", "Fact three"};
  db.adverts = {"Advert one", "Advert two"};
  return db;
}

// ----- loading -------------------------------------------------------------------------------

TEST_F(DatabaseTest, ACompleteDatabaseFillsEveryListWithItsTerminatorsCounted) {
  Load(Complete());
  EXPECT_TRUE(m.desktop.messages.empty());
  ASSERT_EQ(saver.database.specialFixtures.size(), 1u);
  EXPECT_EQ(saver.database.specialFixtures[0].text, "The Fjord Derby");
  EXPECT_EQ(saver.database.specialFixtures[0].homeTeam, "Tavoria");
  EXPECT_EQ(saver.database.specialFixtures[0].awayTeam, "Norway");
  EXPECT_EQ(saver.database.fixtures.texts,
            Lines{"The Fjord Derby\r\nFriendly - Friday, 2027-03-26\r\n"
                  "Tavoria vs Norway - K/O: 19:45"});
  EXPECT_EQ(saver.database.trivia.size(), 4u) << "three facts and the terminator";
  EXPECT_EQ(saver.database.trivia, (Lines{"Fact one", "Fact two", "Fact three", "End Trivia"}));
  EXPECT_EQ(saver.database.adverts.size(), 3u);
  EXPECT_EQ(saver.database.adverts, (Lines{"Advert one", "Advert two", "End Ads"}));
}

TEST_F(DatabaseTest, BareLineFeedsEndLinesToo) {
  Database db = Complete();
  db.lineEnd = "\n";
  Load(db);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.trivia.size(), 4u);
  EXPECT_EQ(saver.database.adverts.size(), 3u);
  EXPECT_EQ(saver.database.fixtures.texts.size(), 1u);
}

TEST_F(DatabaseTest, NothingAfterEndAdsIsRead) {
  Load(Complete().Text() + "More\r\nText without a line end");
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.adverts.back(), "End Ads");
}

TEST_F(DatabaseTest, AMissingFileShowsItsTextAsTheOnlyFixtureAndFactWithoutAMessageBox) {
  tavoria::LoadDatabase(saver);
  ExpectShownInstead(kNotFound);
  EXPECT_EQ(saver.database.specialFixtures.size(), 0u);
  EXPECT_EQ(saver.database.adverts.size(), 0u);
}

TEST_F(DatabaseTest, AMissingDirectoryOrABadNameCannotBeAccessed) {
  m.process.programDirectory += "\\gone";
  tavoria::LoadDatabase(saver);
  ExpectShownInstead(kNoAccess);

  SaverState other{m.platform};
  m.process.programDirectory = "C:\\bad?name";
  tavoria::LoadDatabase(other);
  EXPECT_EQ(other.database.fixtures.texts, Lines{kNoAccess});
  EXPECT_EQ(other.database.trivia, Lines{kNoAccess});
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(DatabaseTest, AFileThatEndsEarlyIsCorruptedAndKeepsWhatWasRead) {
  const std::string text = Complete().Text();
  Load(text.substr(0, text.find("End Ads")));
  ExpectShownInstead(kCorrupted);
  ASSERT_EQ(saver.database.specialFixtures.size(), 1u)
      << "special fixtures read before the end stay";
  EXPECT_EQ(saver.database.specialFixtures[0].text, "The Fjord Derby");
  EXPECT_EQ(saver.database.adverts, (Lines{"Advert one", "Advert two"}))
      << "adverts read before the end stay";
  EXPECT_EQ(saver.database.adverts.size(), 2u);

  // Every section's end is needed.
  for (const char* cut : {"Special fixtures", "End special fixtures", "Friendly", "End Fixtures",
                          "Fact two", "End Trivia"}) {
    SaverState other{m.platform};
    m.WriteFile("tavoria.sdf", text.substr(0, text.find(cut)));
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.database.fixtures.texts, Lines{kCorrupted}) << "cut before " << cut;
    EXPECT_EQ(other.database.trivia, Lines{kCorrupted}) << "cut before " << cut;
  }
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(DatabaseTest, ALineOfMoreThan64KiBMakesTheDatabaseCorrupted) {
  Database db = Complete();
  db.trivia[1] = std::string(64 * 1024 + 1, 'x');
  Load(db);
  ExpectShownInstead(kCorrupted);

  SaverState other{m.platform};
  db.trivia[1] = std::string(64 * 1024, 'x');
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(other);
  EXPECT_EQ(other.database.trivia.size(), 4u) << "a line of exactly 64 KiB is still read";
}

TEST_F(DatabaseTest, TheFormatVersionIsComparedByCharacterCodes) {
  for (const char* tooNew : {"3", "2.1", "2 ", "a"}) {
    SaverState other{m.platform};
    Database db = Complete();
    db.line6 = tooNew;
    m.WriteFile("tavoria.sdf", db.Text());
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.database.fixtures.texts, Lines{kTooNew}) << "line 6 " << tooNew;
    EXPECT_EQ(other.database.trivia, Lines{kTooNew}) << "line 6 " << tooNew;
    EXPECT_EQ(other.database.specialFixtures.size(), 0u);
  }
  for (const char* accepted : {"2", "1", "10", "", "1.9"}) {
    SaverState other{m.platform};
    Database db = Complete();
    db.line6 = accepted;
    m.WriteFile("tavoria.sdf", db.Text());
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.database.trivia.size(), 4u) << "line 6 " << accepted;
  }
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(DatabaseTest, AnyOtherFailureShowsTheGeneralErrorReportWithThePlatformsCode) {
  std::filesystem::create_directory(m.PathOf("tavoria.sdf"));  // a folder where the file should be
  tavoria::LoadDatabase(saver);
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_EQ(ReportedCode(), 75);
  EXPECT_NE(m.desktop.messages[0].text.find("Error description: Path/File access error\r\n"),
            std::string::npos);
  EXPECT_TRUE(saver.database.fixtures.texts.empty());
  EXPECT_TRUE(saver.database.trivia.empty());
}

TEST_F(DatabaseTest, TheGeneralErrorReportReadsWordForWord) {
  const auto report = tavoria::GeneralErrorReport(Failure(13, "Type mismatch", "Tavoria"));
  EXPECT_EQ(report.title, "An error occurred - contact Fenmoor Entertainment UK tech support");
  EXPECT_EQ(report.text,
            "There was an error, but the Tavoria Screensaver does not know what to do. Please "
            "e-mail the information below to us and tell us what you were doing at the time (or "
            "anything that may have caused the error).\r\n"
            "Error code: 13\r\n"
            "Error description: Type mismatch\r\n"
            "Error source: Tavoria\r\n"
            "\r\n"
            "Web site: http://www.fenmoor.example/football/\r\n"
            "E-mail: support@fenmoor.example");
  EXPECT_EQ(report.icon, platform::Icon::Information);
  EXPECT_EQ(report.buttons, platform::Buttons::Ok);
}

TEST_F(DatabaseTest, AnEleventhSpecialFixtureOverflowsItsList) {
  Database db = Complete();
  db.specials.clear();
  for (int n = 1; n <= 11; ++n)
    db.specials.insert(db.specials.end(), {"A vs B", std::to_string(n)});
  Load(db);
  EXPECT_EQ(ReportedCode(), 9);
  EXPECT_EQ(saver.database.specialFixtures.size(), 10u);
  EXPECT_EQ(saver.database.specialFixtures.back().text, "10");
  EXPECT_EQ(saver.database.fixtures.texts.size(), 0u);

  SaverState ten{m.platform};
  db.specials.resize(20);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(ten);
  EXPECT_EQ(ten.database.specialFixtures.size(), 10u) << "ten fit";
  EXPECT_EQ(m.desktop.messages.size(), 1u);
}

TEST_F(DatabaseTest, AHundredAndFirstFixtureToComeOverflowsAndTheNoticesAlwaysFit) {
  // A hundred fixtures to come and one past: the list holds them and the two notices.
  Database db = Complete();
  db.fixtures = Repeat(100, Fixture("2027-06-01"));
  auto past = Fixture("2026-12-07");
  db.fixtures.insert(db.fixtures.end(), past.begin(), past.end());
  Load(db);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.fixtures.texts.size(), 102u);
  EXPECT_EQ(saver.database.fixtures.texts.back(),
            "Some of your fixtures are out of date. Please upgrade using the screensaver control "
            "panel.");
  EXPECT_EQ(saver.database.trivia.size(), 4u);

  SaverState over{m.platform};
  db.fixtures = Repeat(101, Fixture("2027-06-01"));
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(over);
  EXPECT_EQ(over.database.fixtures.texts.size(), 100u);
  ASSERT_EQ(m.desktop.messages.size(), 1u);
  EXPECT_NE(m.desktop.messages[0].text.find("Error code: 9\r\n"), std::string::npos);
}

TEST_F(DatabaseTest, AFullListThatLoadsOnItsFirstMatchDayLoadsOnTheDaysAfter) {
  // A hundred fixtures, the first on a day of its own: from the day after it, one is past.
  Database db = Complete();
  db.fixtures.clear();
  for (int day = 1; day <= 100; ++day) {
    const auto one = Fixture("2027-01-01");
    db.fixtures.insert(db.fixtures.end(), one.begin(), one.end());
    db.fixtures.end()[-5] = calendar::IsoDate(calendar::AddDays({2027, 1, 1}, day - 1));
  }
  m.WriteFile("tavoria.sdf", db.Text());
  for (const calendar::Date day : {calendar::Date{2027, 1, 1}, {2027, 1, 2}, {2027, 2, 15}}) {
    SCOPED_TRACE(calendar::IsoDate(day));
    m.desktop.messages.clear();
    m.clock.Set(day, 12, 0, 0);
    SaverState loaded{m.platform};
    tavoria::LoadDatabase(loaded);
    EXPECT_TRUE(m.desktop.messages.empty());
    EXPECT_EQ(loaded.database.trivia.size(), 4u) << "read to its end";
  }
}

TEST_F(DatabaseTest, AHundredthTriviaOrAdvertLineBeforeItsTerminatorOverflows) {
  Database db = Complete();
  db.trivia = Numbered("Fact", 100);
  Load(db);
  EXPECT_EQ(ReportedCode(), 9);
  EXPECT_EQ(saver.database.trivia.size(), 100u);
  EXPECT_EQ(saver.database.trivia.back(), "Fact 100");
  EXPECT_EQ(saver.database.adverts.size(), 0u);
  EXPECT_EQ(saver.database.fixtures.texts.size(), 1u);

  SaverState adverts{m.platform};
  db.trivia = Numbered("Fact", 99);
  db.adverts = Numbered("Advert", 100);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(adverts);
  ASSERT_EQ(m.desktop.messages.size(), 2u);
  EXPECT_NE(m.desktop.messages[1].text.find("Error code: 9\r\n"), std::string::npos);
  EXPECT_EQ(adverts.database.trivia.size(), 100u) << "99 facts and the terminator fit";
  EXPECT_EQ(adverts.database.trivia.back(), "End Trivia");
  EXPECT_EQ(adverts.database.adverts.size(), 100u);
  EXPECT_EQ(adverts.database.adverts.back(), "Advert 100");

  SaverState fits{m.platform};
  db.adverts = Numbered("Advert", 99);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(fits);
  EXPECT_EQ(fits.database.adverts.size(), 100u);
  EXPECT_EQ(m.desktop.messages.size(), 2u);
}

TEST_F(DatabaseTest, TerminatorsMatchWholeLinesExactly) {
  Database db = Complete();
  db.fixtures.push_back("End Fixtures ");
  db.fixtures.insert(db.fixtures.end(), {"x", "x", "x", "x"});
  Load(db);
  EXPECT_EQ(ReportedCode(), 13) << "taken as a date line";
  EXPECT_EQ(saver.database.fixtures.texts.size(), 1u) << "the fixture before it stays";

  SaverState trivia{m.platform};
  db = Complete();
  db.trivia = {"end trivia", "End Trivia ", " End Trivia"};
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(trivia);
  EXPECT_EQ(trivia.database.trivia.size(), 4u);
  EXPECT_EQ(trivia.database.adverts.size(), 3u);
}

TEST_F(DatabaseTest, AFixtureSectionWithOnlyItsTerminatorAddsNoNotice) {
  Database db = Complete();
  db.fixtures.clear();
  Load(db);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.fixtures.texts.size(), 0u);
  EXPECT_TRUE(saver.database.fixtures.texts.empty());
  EXPECT_EQ(saver.database.trivia.size(), 4u);
}

TEST_F(DatabaseTest, EmptyTriviaAndAdvertSectionsHoldTheirTerminatorOnly) {
  Database db = Complete();
  db.trivia.clear();
  db.adverts.clear();
  Load(db);
  EXPECT_EQ(saver.database.trivia, Lines{"End Trivia"});
  EXPECT_EQ(saver.database.adverts, Lines{"End Ads"});
}

// ----- where reading stops -------------------------------------------------------------------

struct CheckTest : DatabaseTest {
  // The code the loader stops with on 8 December 2026; 0 when it loads, -1 for a format too new.
  int CheckCode(const std::string& bytes) {
    const auto loaded = database::Load(bytes, {{2026, 12, 8}, 0}, {});
    if (!loaded.error) return 0;
    return loaded.error->tooNew ? -1 : loaded.error->code;
  }
};

TEST_F(CheckTest, FixtureRecordsAreReadForTheDayAfterTheFileIsFoundWhole) {
  EXPECT_EQ(CheckCode(Complete().Text()), 0);
  Database db = Complete();
  db.fixtures = Repeat(150, Fixture("1 June 2026", "vs", "never"));
  EXPECT_EQ(CheckCode(db.Text()), 0) << "past records: neither kick-off nor match line is read";
  db.fixtures = Repeat(150, Fixture("not a date", "vs", "never"));
  EXPECT_EQ(CheckCode(db.Text()), 13);
  db.line6 = "9";
  EXPECT_EQ(CheckCode(db.Text()), -1) << "line 6 comes first";
}

// Every stop the walk tells, going on after each: line, problem, section and the text concerned.
TEST_F(CheckTest, TheWalkTellsEachStopOnceAsAValueInFileOrder) {
  using database::DatabaseSection;
  using database::Problem;
  Database db;
  db.line6 = "3";                                                    // line 6
  db.specials = {"vs Brazil", "x"};                                  // line 8
  db.fixtures = Fixture("31/02/2027");                               // line 12
  const Lines bad = Fixture("26 March 2027", "Tavoria vs", "soon");  // lines 17 to 21
  db.fixtures.insert(db.fixtures.end(), bad.begin(), bad.end());
  db.trivia = {std::string(64 * 1024 + 1, 'x')};  // line 24
  struct Told {
    int line;
    Problem problem;
    DatabaseSection section;
    std::string text;
    int code;
    bool operator==(const Told&) const = default;
  };
  const std::vector<Told> expected = {
      {6, Problem::TooNew, DatabaseSection::Header, "3", 0},
      {8, Problem::VsAtStart, DatabaseSection::SpecialFixtures, "vs Brazil", 5},
      {12, Problem::NotADate, DatabaseSection::Fixtures, "31/02/2027", 13},
      {20, Problem::NotATimeOfDay, DatabaseSection::Fixtures, "soon", 13},
      {19, Problem::VsAtEnd, DatabaseSection::Fixtures, "Tavoria vs", 5},
      {24, Problem::LineTooLong, DatabaseSection::Trivia, "", 62},
  };
  for (const bool goOn : {true, false}) {
    std::vector<Told> told;
    const auto end = database::WalkDatabase(
        db.Text(), {.computer = {{{2026, 12, 8}, 0}},
                    .stop =
                        [&](const database::Stop& s) {
                          told.push_back({s.line, s.problem, s.section, s.text, s.code});
                        },
                    .goOn = goOn});
    if (goOn) {
      EXPECT_TRUE(told == expected);
      EXPECT_TRUE(end.complete) << "the long line is taken as empty";
    } else {
      EXPECT_TRUE(told == std::vector<Told>{expected.front()}) << "the first ends the walk";
      EXPECT_FALSE(end.complete);
      EXPECT_EQ(end.lastLine, 6);
    }
  }
}

TEST_F(CheckTest, AnIncompleteDatabaseFailsAsTheLoaderWould) {
  const std::string text = Complete().Text();
  EXPECT_EQ(CheckCode(text.substr(0, text.find("End Ads"))), 62);
  EXPECT_EQ(CheckCode(text.substr(0, text.size() - 2)), 0) << "the last line end is optional";
  EXPECT_EQ(CheckCode(""), 62);
  Database db = Complete();
  db.adverts[0] = std::string(64 * 1024 + 1, 'x');
  EXPECT_EQ(CheckCode(db.Text()), 62);
  db = Complete();
  db.trivia = Numbered("Fact", 100);
  EXPECT_EQ(CheckCode(db.Text()), 9);
  db = Complete();
  db.specials = {"vs Norway", "A derby"};
  EXPECT_EQ(CheckCode(db.Text()), 5);
}

TEST_F(CheckTest, SectionsOutOfOrderFail) {
  // The fixtures written before the special fixtures: the special-fixture section runs on into
  // the fixture lines.
  const Lines header = {"tavoria", "x", "x", "17", "x", "2", "x"};
  const Lines tail = {"x", "Fact", "End Trivia", "x", "Advert", "End Ads"};
  auto text = [&](const Lines& middle) {
    std::string all;
    for (const Lines* part : {&header, &middle, &tail})
      for (const auto& line : *part) all += line + "\r\n";
    return all;
  };
  const Lines fixture = Fixture("2027-03-26", "Tavoria vs Norway");
  Lines swapped = fixture;
  swapped.insert(swapped.end(),
                 {"End Fixtures", "x", "Tavoria vs Norway", "Derby", "End special fixtures", "x"});
  EXPECT_NE(CheckCode(text(swapped)), 0);

  Lines evenSwapped = Repeat(2, fixture);
  evenSwapped.insert(evenSwapped.end(), {"End Fixtures", "x", "End special fixtures", "x"});
  EXPECT_NE(CheckCode(text(evenSwapped)), 0);

  Lines longRun = Repeat(5, fixture);
  longRun.insert(longRun.end(), {"End Fixtures", "x", "End special fixtures", "x"});
  EXPECT_EQ(CheckCode(text(longRun)), 9) << "more than ten special-fixture records";

  Lines inOrder = {"Tavoria vs Norway", "Derby", "End special fixtures", "x"};
  inOrder.insert(inOrder.end(), fixture.begin(), fixture.end());
  inOrder.push_back("End Fixtures");
  EXPECT_EQ(CheckCode(text(inOrder)), 0);
}

// ----- the database number -------------------------------------------------------------------

// The number read, as text: "none" when there is none.
std::string Number(const std::optional<std::int16_t>& number) {
  return number ? std::to_string(*number) : "none";
}

TEST_F(DatabaseTest, GetDatabaseNumberReadsTheFourthField) {
  EXPECT_EQ(Number(tavoria::GetDatabaseNumber(saver)), "none") << "no file";
  auto number = [&](const std::string& line4) {
    m.WriteFile("tavoria.sdf", "tavoria\r\nTavoria\r\nFenmoor\r\n" + line4 + "\r\nx\r\n2\r\n");
    return Number(tavoria::GetDatabaseNumber(saver));
  };
  EXPECT_EQ(number("17"), "17");
  EXPECT_EQ(number("  17  "), "17");
  EXPECT_EQ(number("17,5"), "17") << "up to the first comma";
  EXPECT_EQ(number("\"18\""), "18");
  EXPECT_EQ(number("-3"), "-3");
  EXPECT_EQ(number("32767"), "32767");
  EXPECT_EQ(number("-32768"), "-32768");
  EXPECT_EQ(number("32768"), "none");
  EXPECT_EQ(number("-32769"), "none");
  EXPECT_EQ(number("99999999999999999999"), "none");
  EXPECT_EQ(number("seventeen"), "none");
  EXPECT_EQ(number("17a"), "none");
  EXPECT_EQ(number(""), "none");
  EXPECT_EQ(number("."), "none");
  EXPECT_EQ(number("16.5"), "16") << "halves go to the even neighbour";
  EXPECT_EQ(number("17.5"), "18");
  EXPECT_EQ(number("0.5"), "0");
  EXPECT_EQ(number("-2.5"), "-2");
  EXPECT_EQ(number("-3.5"), "-4");
  EXPECT_EQ(number("16.51"), "17");
  EXPECT_EQ(number("16.4999"), "16");
  EXPECT_EQ(number("32767.4"), "32767");
  EXPECT_EQ(number("32767.5"), "none");

  m.WriteFile("tavoria.sdf", "tavoria\r\nTavoria\r\nFenmoor\r\n");
  EXPECT_EQ(Number(tavoria::GetDatabaseNumber(saver)), "none") << "ends before the fourth field";
  m.WriteFile("tavoria.sdf", "tavoria,x,y,21\r\n");
  EXPECT_EQ(Number(tavoria::GetDatabaseNumber(saver)), "21") << "fields, not lines";
}

// ----- the built-in adverts ------------------------------------------------------------------

TEST_F(DatabaseTest, AddBuiltInAdvertsAddsThreeTextsAfterTheFilesAdverts) {
  Load(Complete());
  tavoria::AddBuiltInAdverts(saver);
  EXPECT_EQ(saver.database.adverts, (Lines{"Advert one", "Advert two", "End Ads"}))
      << "the file's adverts keep their terminator";
  EXPECT_EQ(saver.builtInAdverts,
            (Lines{"fenmoor.example/football",
                   "Check out Tavoria Screensaver site at\r\nhttp://www.fenmoor.example/football/ "
                   "now!",
                   "Get free upgrades for Tavoria Screensaver at \r\n"
                   "http://www.fenmoor.example/football/\r\n"
                   "(Also check out the screensaver setup screen)"}));

  SaverState missing{m.platform};
  tavoria::AddBuiltInAdverts(missing);
  EXPECT_TRUE(missing.database.adverts.empty());
  EXPECT_EQ(missing.builtInAdverts.size(), 3u);
}

// ----- the shipped database ------------------------------------------------------------------

std::string ShippedDatabase() {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                    "assets" / "tavoria.sdf";
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(DatabaseTest, TheShippedDatabaseLoadsCleanlyTodayInEveryRegionalOrder) {
  const std::string text = ShippedDatabase();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.substr(0, 9), "tavoria\r\n");
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    ASSERT_EQ(text[at - 1], '\r') << "every line ends in CR LF";
  m.WriteFile("tavoria.sdf", text);
  EXPECT_EQ(Number(tavoria::GetDatabaseNumber(saver)), "17");

  for (auto order : {DateOrder::DayMonthYear, DateOrder::MonthDayYear, DateOrder::YearMonthDay}) {
    SaverState loaded{m.platform};
    m.clock.regional.dateOrder = order;
    m.clock.Set({2026, 12, 8}, 9, 0, 0);
    tavoria::LoadDatabase(loaded);
    EXPECT_TRUE(m.desktop.messages.empty()) << m.desktop.messages.front().text;
    ASSERT_GE(loaded.database.fixtures.texts.size(), 20u);
    for (const auto& fixture : loaded.database.fixtures.texts) {
      EXPECT_EQ(fixture.find("out of date"), std::string::npos) << fixture;
      EXPECT_NE(fixture.find(" - K/O: "), std::string::npos) << fixture;
    }
    EXPECT_GE(loaded.database.specialFixtures.size(), 2u);
    EXPECT_GE(loaded.database.Facts().size(), 30u) << "facts, besides the terminator";
    EXPECT_GE(loaded.database.Adverts().size(), 12u) << "adverts, besides the terminator";
    EXPECT_EQ(loaded.database.trivia.back(), "End Trivia");
    EXPECT_EQ(loaded.database.adverts.back(), "End Ads");
  }
}

}  // namespace
