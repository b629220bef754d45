// Fixture records: which are shown, their display texts, special fixtures and the notices.
#include <gtest/gtest.h>

#include "database/fixture_text.h"
#include "platform/memory/memory_platform.h"
#include "saver/data/database.h"
#include "saver/data/fixtures.h"

namespace {

using calendar::DateOrder;
using platform::memory::MemoryPlatform;
using tavoria::SaverState;
using util::Failure;
using Lines = std::vector<std::string>;

const std::string kSomePast =
    "Some of your fixtures are out of date. Please upgrade using the screensaver control panel.";
const std::string kAllPast =
    "All your fixtures are out of date. Please upgrade using the screensaver control panel.";

struct FixtureTest : ::testing::Test {
  MemoryPlatform m;
  SaverState saver{m.platform};
  Lines specials;  // two lines a record
  Lines fixtures;  // five lines a record

  FixtureTest() { m.clock.Set({2026, 12, 8}, 15, 0, 0); }  // Tuesday 8 December 2026, 3 pm

  void Special(const std::string& match, const std::string& text) {
    specials.insert(specials.end(), {match, text});
  }
  void Fixture(const std::string& date, const std::string& match = "Tavoria vs Norway",
               const std::string& kickOff = "19:45", const std::string& caption = "Friendly") {
    fixtures.insert(fixtures.end(), {date, caption, match, kickOff, "Marvaine"});
  }
  void Load() {
    Lines all = {"tavoria", "Tavoria", "Fenmoor", "17", "x", "2", "x"};
    all.insert(all.end(), specials.begin(), specials.end());
    all.insert(all.end(), {"End special fixtures", "x"});
    all.insert(all.end(), fixtures.begin(), fixtures.end());
    all.insert(all.end(),
               {"End Fixtures", "x", "A fact", "End Trivia", "x", "An advert", "End Ads"});
    std::string text;
    for (const auto& line : all) text += line + "\r\n";
    m.WriteFile("tavoria.sdf", text);
    tavoria::LoadDatabase(saver);
  }
  int ReportedCode() const {
    if (m.desktop.messages.size() != 1) return 0;
    const std::string& text = m.desktop.messages[0].text;
    return std::stoi(text.substr(text.find("Error code: ") + 12));
  }
};

// ----- display texts -------------------------------------------------------------------------

TEST_F(FixtureTest, AFixtureIsComposedFromItsLinesInOrder) {
  Special("Tavoria vs Norway", "** The Fjord Derby **");
  Fixture("26 March 2027", "Tavoria vs Norway", "7:45 PM", "Euro 2028 qualifier");
  Fixture("2027-03-29", "Iceland vs Tavoria", "17:00");
  Load();
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.fixtures.texts,
            (Lines{"** The Fjord Derby **\r\n"
                   "Euro 2028 qualifier - Friday, 26 March 2027\r\n"
                   "Tavoria vs Norway - K/O: 7:45 PM",
                   "Friendly - Monday, 2027-03-29\r\nIceland vs Tavoria - K/O: 17:00"}));
  EXPECT_EQ(saver.database.fixtures.texts.size(), 2u);
}

TEST_F(FixtureTest, TheDateAndKickOffLinesAreShownUnchanged) {
  m.clock.regional.dateOrder = DateOrder::MonthDayYear;
  Fixture(" 12/25/2026", "Tavoria vs Norway", "  19:45 ");
  Load();
  ASSERT_EQ(saver.database.fixtures.texts.size(), 1u);
  EXPECT_EQ(saver.database.fixtures.texts[0],
            "Friendly - Friday,  12/25/2026\r\nTavoria vs Norway - K/O:   19:45 ");
}

TEST_F(FixtureTest, TodayIsMarkedOnlyWhileKickOffIsStillAhead) {
  Fixture("2026-12-08", "Tavoria vs Norway", "16:00");       // an hour from now
  Fixture("2026-12-08", "Tavoria vs Norway", "14:59");       // a minute ago
  Fixture("08/12/2026", "Tavoria vs Norway", "15:00");       // exactly now
  Fixture("8 Dec 2026", "Tavoria vs Norway", "3:00:01 pm");  // a second from now
  Fixture("2026-12-09", "Tavoria vs Norway", "09:00");       // tomorrow, earlier in the day
  Load();
  ASSERT_EQ(saver.database.fixtures.texts.size(), 5u)
      << "a fixture of today whose kick-off has passed is not past";
  EXPECT_EQ(saver.database.fixtures.texts[0],
            "Friendly - Tuesday, 2026-12-08\r\nTavoria vs Norway - K/O: 16:00 **TODAY!**");
  EXPECT_EQ(saver.database.fixtures.texts[1],
            "Friendly - Tuesday, 2026-12-08\r\nTavoria vs Norway - K/O: 14:59");
  EXPECT_EQ(saver.database.fixtures.texts[2],
            "Friendly - Tuesday, 08/12/2026\r\nTavoria vs Norway - K/O: 15:00");
  EXPECT_EQ(saver.database.fixtures.texts[3],
            "Friendly - Tuesday, 8 Dec 2026\r\nTavoria vs Norway - K/O: 3:00:01 pm **TODAY!**");
  EXPECT_EQ(saver.database.fixtures.texts[4],
            "Friendly - Wednesday, 2026-12-09\r\nTavoria vs Norway - K/O: 09:00");
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(FixtureTest, TwoDigitYearsAreReadByTheUsersCalendarSetting) {
  Fixture("01/06/30");
  m.clock.regional.twoDigitYearMax = 2029;  // 30 is 1930: past
  Load();
  EXPECT_EQ(saver.database.fixtures.texts, Lines{kAllPast});
  m.clock.regional.twoDigitYearMax = 2049;  // 30 is 2030
  Load();
  EXPECT_EQ(saver.database.fixtures.texts,
            Lines{"Friendly - Saturday, 01/06/30\r\nTavoria vs Norway - K/O: 19:45"});
}

// ----- past fixtures and the notices ---------------------------------------------------------

TEST_F(FixtureTest, APastFixtureAmongCurrentOnesIsDroppedAndNoticedTwice) {
  Fixture("2027-01-10");
  Fixture("2026-12-07", "Tavoria vs Iceland");
  Fixture("2027-01-12", "Tavoria vs Wales");
  Load();
  ASSERT_EQ(saver.database.fixtures.texts.size(), 4u);
  EXPECT_NE(saver.database.fixtures.texts[0].find("Tavoria vs Norway"), std::string::npos);
  EXPECT_NE(saver.database.fixtures.texts[1].find("Tavoria vs Wales"), std::string::npos);
  EXPECT_EQ(saver.database.fixtures.texts[2], kSomePast);
  EXPECT_EQ(saver.database.fixtures.texts[3], kSomePast);
}

TEST_F(FixtureTest, OnlyPastFixturesLeaveTheOneNotice) {
  Fixture("2026-12-07");
  Fixture("31 December 2025");
  Load();
  EXPECT_EQ(saver.database.fixtures.texts, Lines{kAllPast});
  EXPECT_EQ(saver.database.fixtures.texts.size(), 1u);
  EXPECT_TRUE(m.desktop.messages.empty());
}

TEST_F(FixtureTest, APastFixtureIsNotReadFurther) {
  Fixture("2026-12-07", "vs Norway", "kick-off to be confirmed");
  Fixture("2027-01-10");
  Load();
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.fixtures.texts.size(), 3u);
}

TEST_F(FixtureTest, AnUnreadableDateOrKickOffOfAShownFixtureStopsTheLoad) {
  Fixture("2027-01-10");
  Fixture("31/02/2027");
  Fixture("2027-01-12");
  Load();
  EXPECT_EQ(ReportedCode(), 13);
  EXPECT_EQ(saver.database.fixtures.texts.size(), 1u) << "what was stored stays";
  EXPECT_TRUE(saver.database.trivia.empty());

  fixtures.clear();
  Fixture("2027-01-10", "Tavoria vs Norway", "25:00");
  Load();
  EXPECT_EQ(m.desktop.messages.size(), 2u);
  EXPECT_NE(m.desktop.messages[1].text.find("Error code: 13\r\n"), std::string::npos);
}

// ----- special fixtures ----------------------------------------------------------------------

TEST_F(FixtureTest, SpecialFixturesMatchEitherOrderButOnlyTheSameLetterCase) {
  Special("Tavoria vs Norway", "The Fjord Derby");
  Special("Tavoria vs Iceland", "First meeting");
  Special("Tavoria vs Iceland", "The Reykjavik rematch");
  Fixture("2027-01-10", "Norway vs Tavoria");
  Fixture("2027-01-11", "tavoria vs norway");
  Fixture("2027-01-12", "  Iceland   vs  Tavoria ");
  Fixture("2027-01-13", "Tavoria v Norway");
  Load();
  ASSERT_EQ(saver.database.fixtures.texts.size(), 4u);
  EXPECT_EQ(saver.database.fixtures.texts[0].substr(0, 17), "The Fjord Derby\r\n");
  EXPECT_EQ(saver.database.fixtures.texts[1].substr(0, 10), "Friendly -") << "other letter case";
  EXPECT_EQ(saver.database.fixtures.texts[2].substr(0, 23), "The Reykjavik rematch\r\n")
      << "the later one wins";
  EXPECT_EQ(saver.database.fixtures.texts[3].substr(0, 10), "Friendly -") << "no vs";
}

TEST_F(FixtureTest, MatchLinesWithoutVsMatchASpecialWithoutVs) {
  Special("Tavoria against Norway", "Two empty names");
  Fixture("2027-01-10", "Tavoria v Norway");
  Fixture("2027-01-11", "Tavoria vs Norway");
  Load();
  ASSERT_EQ(saver.database.fixtures.texts.size(), 2u);
  EXPECT_EQ(saver.database.fixtures.texts[0].substr(0, 17), "Two empty names\r\n");
  EXPECT_EQ(saver.database.fixtures.texts[1].substr(0, 10), "Friendly -");
}

TEST_F(FixtureTest, SplitTeamsCutsAtTheFirstVs) {
  std::string home = "x", away = "y";
  database::SplitTeams("Tavoria vs Norway", home, away);
  EXPECT_EQ(home, "Tavoria");
  EXPECT_EQ(away, "Norway");
  database::SplitTeams("Elvsborg vs Tavoria", home, away);
  EXPECT_EQ(home, "E") << "a name that holds vs splits there";
  EXPECT_EQ(away, "org vs Tavoria");
  database::SplitTeams("Tavoria-vs-Norway", home, away);
  EXPECT_EQ(home, "Tavoria");
  EXPECT_EQ(away, "Norway");
  database::SplitTeams("Tavoria vs ", home, away);
  EXPECT_EQ(away, "") << "one character after vs";
  database::SplitTeams("Avs Norway", home, away);
  EXPECT_EQ(home, "");
  database::SplitTeams("Tavoria VS Norway", home, away);
  EXPECT_EQ(home, "") << "case-sensitive";
  EXPECT_EQ(away, "");
  for (const char* invalid : {"vs Norway", "Tavoria vs", "vs"}) {
    try {
      database::SplitTeams(invalid, home, away);
      ADD_FAILURE() << invalid;
    } catch (const Failure& f) {
      EXPECT_EQ(f.code(), 5) << invalid;
    }
  }
}

TEST_F(FixtureTest, VsAtEitherEndOfAMatchLineStopsTheLoad) {
  Special("Tavoria vs Norway", "Derby");
  Special("Tavoria vs", "Broken");
  Load();
  EXPECT_EQ(ReportedCode(), 5);
  EXPECT_EQ(saver.database.specialFixtures.size(), 1u);

  specials.clear();
  Fixture("2027-01-10");
  Fixture("2027-01-11", "vs Norway");
  Load();
  ASSERT_EQ(m.desktop.messages.size(), 2u);
  EXPECT_NE(m.desktop.messages[1].text.find("Error code: 5\r\n"), std::string::npos);
}

TEST(DayNameOf, CountsFromSundayInTheRegionalOrder) {
  calendar::RegionalSettings clock;
  EXPECT_EQ(database::DayNameOf("2026-12-06", clock), "Sunday");
  EXPECT_EQ(database::DayNameOf("7 Dec 2026", clock), "Monday");
  EXPECT_EQ(database::DayNameOf("08/12/2026", clock), "Tuesday");
  EXPECT_EQ(database::DayNameOf("2024-02-29", clock), "Thursday");
  EXPECT_EQ(database::DayNameOf("1 January 2000", clock), "Saturday");
  EXPECT_EQ(database::DayNameOf("12/12/26", clock), "Saturday");
  clock.dateOrder = DateOrder::MonthDayYear;
  EXPECT_EQ(database::DayNameOf("12/08/2026", clock), "Tuesday");
}

}  // namespace
