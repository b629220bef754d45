// The team database: loading, its failures, the database number and the built-in adverts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "database/database_file.h"
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

  // Each list holds exactly as many entries as its count says.
  void ExpectCountsMatch() const {
    EXPECT_EQ(saver.specialFixtures.size(), static_cast<std::size_t>(saver.specialCount));
    EXPECT_EQ(saver.fixtures.size(), static_cast<std::size_t>(saver.fixtureCount));
    EXPECT_EQ(saver.trivia.size(), static_cast<std::size_t>(saver.triviaCount));
    EXPECT_EQ(saver.adverts.size(), static_cast<std::size_t>(saver.advertCount));
  }
  void ExpectShownInstead(const std::string& message) const {
    EXPECT_EQ(saver.fixtures, Lines{message});
    EXPECT_EQ(saver.trivia, Lines{message});
    EXPECT_EQ(saver.fixtureCount, 1);
    EXPECT_EQ(saver.triviaCount, 1);
    EXPECT_TRUE(m.desktop.messages.empty()) << "no message box for " << message;
    ExpectCountsMatch();
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
  ASSERT_EQ(saver.specialCount, 1);
  EXPECT_EQ(saver.specialFixtures[0].text, "The Fjord Derby");
  EXPECT_EQ(saver.specialFixtures[0].homeTeam, "Tavoria");
  EXPECT_EQ(saver.specialFixtures[0].awayTeam, "Norway");
  EXPECT_EQ(saver.fixtures, Lines{"The Fjord Derby\r\nFriendly - Friday, 2027-03-26\r\n"
                                  "Tavoria vs Norway - K/O: 19:45"});
  EXPECT_EQ(saver.triviaCount, 4) << "three facts and the terminator";
  EXPECT_EQ(saver.trivia, (Lines{"Fact one", "Fact two", "Fact three", "End Trivia"}));
  EXPECT_EQ(saver.advertCount, 3);
  EXPECT_EQ(saver.adverts, (Lines{"Advert one", "Advert two", "End Ads"}));
  ExpectCountsMatch();
}

TEST_F(DatabaseTest, TheTextIsReadInTheSystemsCodePageAndMeasuredByCharacters) {
  for (const auto& [codePage, advert, shown] :
       {std::tuple{codepage::Encoding::Windows1252, "\2439.99 \212orvan \347", "£9.99 Šorvan ç"},
        std::tuple{codepage::Encoding::Windows1251, "\xD0\xEE\xF1\xF1\xE8\xFF \x80", "Россия Ђ"}}) {
    m.desktop.systemCodePage = codePage;
    Database db = Complete();
    db.adverts = {advert};
    Load(db);
    EXPECT_EQ(saver.adverts.at(0), shown);
    EXPECT_EQ(m.ui.MeasureText({"Verdana", 10}, shown).width,
              m.ui.MeasureText({"Verdana", 10}, advert).width);
  }
}

TEST_F(DatabaseTest, BareLineFeedsEndLinesToo) {
  Database db = Complete();
  db.lineEnd = "\n";
  Load(db);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.triviaCount, 4);
  EXPECT_EQ(saver.advertCount, 3);
  EXPECT_EQ(saver.fixtureCount, 1);
}

TEST_F(DatabaseTest, NothingAfterEndAdsIsRead) {
  Load(Complete().Text() + "More\r\nText without a line end");
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.adverts.back(), "End Ads");
}

TEST_F(DatabaseTest, AMissingFileShowsItsTextAsTheOnlyFixtureAndFactWithoutAMessageBox) {
  tavoria::LoadDatabase(saver);
  ExpectShownInstead(kNotFound);
  EXPECT_EQ(saver.specialCount, 0);
  EXPECT_EQ(saver.advertCount, 0);
}

TEST_F(DatabaseTest, AMissingDirectoryOrABadNameCannotBeAccessed) {
  m.process.programDirectory += "\\gone";
  tavoria::LoadDatabase(saver);
  ExpectShownInstead(kNoAccess);

  SaverState other{m.platform};
  m.process.programDirectory = "C:\\bad?name";
  tavoria::LoadDatabase(other);
  EXPECT_EQ(other.fixtures, Lines{kNoAccess});
  EXPECT_EQ(other.trivia, Lines{kNoAccess});
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(DatabaseTest, AFileThatEndsEarlyIsCorruptedAndKeepsWhatWasRead) {
  const std::string text = Complete().Text();
  Load(text.substr(0, text.find("End Ads")));
  ExpectShownInstead(kCorrupted);
  ASSERT_EQ(saver.specialCount, 1) << "special fixtures read before the end stay";
  EXPECT_EQ(saver.specialFixtures[0].text, "The Fjord Derby");
  EXPECT_EQ(saver.adverts, (Lines{"Advert one", "Advert two"}))
      << "adverts read before the end stay";
  EXPECT_EQ(saver.advertCount, 2);

  // Every section's end is needed.
  for (const char* cut : {"Special fixtures", "End special fixtures", "Friendly", "End Fixtures",
                          "Fact two", "End Trivia"}) {
    SaverState other{m.platform};
    m.WriteFile("tavoria.sdf", text.substr(0, text.find(cut)));
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.fixtures, Lines{kCorrupted}) << "cut before " << cut;
    EXPECT_EQ(other.trivia, Lines{kCorrupted}) << "cut before " << cut;
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
  EXPECT_EQ(other.triviaCount, 4) << "a line of exactly 64 KiB is still read";
}

TEST_F(DatabaseTest, TheFormatVersionIsComparedByCharacterCodes) {
  for (const char* tooNew : {"3", "2.1", "2 ", "a"}) {
    SaverState other{m.platform};
    Database db = Complete();
    db.line6 = tooNew;
    m.WriteFile("tavoria.sdf", db.Text());
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.fixtures, Lines{kTooNew}) << "line 6 " << tooNew;
    EXPECT_EQ(other.trivia, Lines{kTooNew}) << "line 6 " << tooNew;
    EXPECT_EQ(other.specialCount, 0);
  }
  for (const char* accepted : {"2", "1", "10", "", "1.9"}) {
    SaverState other{m.platform};
    Database db = Complete();
    db.line6 = accepted;
    m.WriteFile("tavoria.sdf", db.Text());
    tavoria::LoadDatabase(other);
    EXPECT_EQ(other.triviaCount, 4) << "line 6 " << accepted;
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
  EXPECT_TRUE(saver.fixtures.empty());
  EXPECT_TRUE(saver.trivia.empty());
  ExpectCountsMatch();
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
  EXPECT_EQ(saver.specialCount, 10);
  EXPECT_EQ(saver.specialFixtures.back().text, "10");
  EXPECT_EQ(saver.fixtureCount, 0);
  ExpectCountsMatch();

  SaverState ten{m.platform};
  db.specials.resize(20);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(ten);
  EXPECT_EQ(ten.specialCount, 10) << "ten fit";
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
  EXPECT_EQ(saver.fixtureCount, 102);
  EXPECT_EQ(saver.fixtures.back(),
            "Some of your fixtures are out of date. Please upgrade using the screensaver control "
            "panel.");
  EXPECT_EQ(saver.triviaCount, 4);
  ExpectCountsMatch();

  SaverState over{m.platform};
  db.fixtures = Repeat(101, Fixture("2027-06-01"));
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(over);
  EXPECT_EQ(over.fixtureCount, 100);
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
    EXPECT_EQ(loaded.triviaCount, 4) << "read to its end";
  }
}

TEST_F(DatabaseTest, AHundredthTriviaOrAdvertLineBeforeItsTerminatorOverflows) {
  Database db = Complete();
  db.trivia = Numbered("Fact", 100);
  Load(db);
  EXPECT_EQ(ReportedCode(), 9);
  EXPECT_EQ(saver.triviaCount, 100);
  EXPECT_EQ(saver.trivia.back(), "Fact 100");
  EXPECT_EQ(saver.advertCount, 0);
  EXPECT_EQ(saver.fixtureCount, 1);
  ExpectCountsMatch();

  SaverState adverts{m.platform};
  db.trivia = Numbered("Fact", 99);
  db.adverts = Numbered("Advert", 100);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(adverts);
  ASSERT_EQ(m.desktop.messages.size(), 2u);
  EXPECT_NE(m.desktop.messages[1].text.find("Error code: 9\r\n"), std::string::npos);
  EXPECT_EQ(adverts.triviaCount, 100) << "99 facts and the terminator fit";
  EXPECT_EQ(adverts.trivia.back(), "End Trivia");
  EXPECT_EQ(adverts.advertCount, 100);
  EXPECT_EQ(adverts.adverts.back(), "Advert 100");

  SaverState fits{m.platform};
  db.adverts = Numbered("Advert", 99);
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(fits);
  EXPECT_EQ(fits.advertCount, 100);
  EXPECT_EQ(m.desktop.messages.size(), 2u);
}

TEST_F(DatabaseTest, TerminatorsMatchWholeLinesExactly) {
  Database db = Complete();
  db.fixtures.push_back("End Fixtures ");
  db.fixtures.insert(db.fixtures.end(), {"x", "x", "x", "x"});
  Load(db);
  EXPECT_EQ(ReportedCode(), 13) << "taken as a date line";
  EXPECT_EQ(saver.fixtureCount, 1) << "the fixture before it stays";

  SaverState trivia{m.platform};
  db = Complete();
  db.trivia = {"end trivia", "End Trivia ", " End Trivia"};
  m.WriteFile("tavoria.sdf", db.Text());
  tavoria::LoadDatabase(trivia);
  EXPECT_EQ(trivia.triviaCount, 4);
  EXPECT_EQ(trivia.advertCount, 3);
}

TEST_F(DatabaseTest, AFixtureSectionWithOnlyItsTerminatorAddsNoNotice) {
  Database db = Complete();
  db.fixtures.clear();
  Load(db);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.fixtureCount, 0);
  EXPECT_TRUE(saver.fixtures.empty());
  EXPECT_EQ(saver.triviaCount, 4);
}

TEST_F(DatabaseTest, EmptyTriviaAndAdvertSectionsHoldTheirTerminatorOnly) {
  Database db = Complete();
  db.trivia.clear();
  db.adverts.clear();
  Load(db);
  EXPECT_EQ(saver.trivia, Lines{"End Trivia"});
  EXPECT_EQ(saver.adverts, Lines{"End Ads"});
}

// ----- the completeness check ----------------------------------------------------------------

struct CheckTest : DatabaseTest {
  int CheckCode(const std::string& bytes) {
    try {
      database::CheckDatabaseComplete(bytes);
    } catch (const Failure& f) {
      return f.code();
    }
    return 0;
  }
};

TEST_F(CheckTest, ACompleteDatabasePassesWhateverItsDates) {
  EXPECT_EQ(CheckCode(Complete().Text()), 0);
  Database db = Complete();
  db.fixtures = Repeat(150, Fixture("not a date", "vs", "never"));
  db.line6 = "9";
  EXPECT_EQ(CheckCode(db.Text()), 0) << "fixture records depend on the day and the region";
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

TEST_F(DatabaseTest, AddBuiltInAdvertsAppendsThreeTextsAfterTheCountedOnes) {
  Load(Complete());
  tavoria::AddBuiltInAdverts(saver);
  EXPECT_EQ(saver.advertCount, 3);
  EXPECT_EQ(saver.adverts,
            (Lines{"Advert one", "Advert two", "End Ads", "fenmoor.example/football",
                   "Check out Tavoria Screensaver site at\r\nhttp://www.fenmoor.example/football/ "
                   "now!",
                   "Get free upgrades for Tavoria Screensaver at \r\n"
                   "http://www.fenmoor.example/football/\r\n"
                   "(Also check out the screensaver setup screen)"}));

  SaverState missing{m.platform};
  missing.advertCount = 0;
  tavoria::AddBuiltInAdverts(missing);
  EXPECT_EQ(missing.adverts.size(), 3u);
  EXPECT_EQ(missing.advertCount, 0);
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
  EXPECT_NO_THROW(database::CheckDatabaseComplete(text));

  for (auto order : {DateOrder::DayMonthYear, DateOrder::MonthDayYear, DateOrder::YearMonthDay}) {
    SaverState loaded{m.platform};
    m.clock.regional.dateOrder = order;
    m.clock.Set({2026, 12, 8}, 9, 0, 0);
    tavoria::LoadDatabase(loaded);
    EXPECT_TRUE(m.desktop.messages.empty()) << m.desktop.messages.front().text;
    ASSERT_GE(loaded.fixtureCount, 20);
    for (const auto& fixture : loaded.fixtures) {
      EXPECT_EQ(fixture.find("out of date"), std::string::npos) << fixture;
      EXPECT_NE(fixture.find(" - K/O: "), std::string::npos) << fixture;
    }
    EXPECT_GE(loaded.specialCount, 2);
    EXPECT_GE(loaded.triviaCount - 1, 30) << "facts, besides the terminator";
    EXPECT_GE(loaded.advertCount - 1, 12) << "adverts, besides the terminator";
    EXPECT_EQ(loaded.trivia.back(), "End Trivia");
    EXPECT_EQ(loaded.adverts.back(), "End Ads");
  }
}

}  // namespace
