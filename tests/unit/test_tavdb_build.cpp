// tavdb build: complete databases in the saver's format from the makers' UTF-8 lists, every input
// that does not fit named by its line, the World Cup round trip, and the output replaced in one
// step.
#include <gtest/gtest.h>

#include "saver/data/database.h"
#include "tavdb_support.h"
#include "util/text.h"

namespace {

using namespace tavdb_test;

std::string CrLf(const Lines& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

const char* const kFixturesCsv =
    "home,away,date,time,title,ground\n"
    "Tavoria,Cura\xC3\xA7"
    "ao,2027-03-29,19:45,\"Friendly, at home\",Arvost Stadium\n"
    "\n"
    "\"Scotland\",\"Tavoria\",2027-03-26,20:00,Euro 2028 Qualifier,\"Hampden Park, "
    "\"\"Glasgow\"\"\"\n";

TEST_F(TavdbTest, BuildWritesTheSaversFormatInWindows1252WithCrLfAndMonthNames) {
  const std::string fixtures = Write("fixtures.csv", kFixturesCsv);
  const std::string facts = Write("facts.txt", "Fact one\n\n  Fact two  \n");
  const std::string adverts = Write("adverts.txt", "Buy the \xE2\x80\x9Cshirt\xE2\x80\x9D!\r\n");
  const std::string specials =
      Write("specials.csv",
            "\xEF\xBB\xBFhome,away,text\r\nTavoria,Scotland,*** HILLS v HIGHLANDS ***\r\n");
  const std::string out = Path("tavoria.sdf");

  const Outcome run = Tavdb({"build", fixtures, "--facts", facts, "--adverts", adverts,
                             "--specials", specials, "--number", "18", "-o", out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, out +
                         ": 1 special fixture, 2 fixtures, 2 facts, 1 advert, database number "
                         "18, 535 bytes of Windows-1252 text\n");
  EXPECT_EQ(m.ReadFile("tavoria.sdf"),
            CrLf({"tavoria",
                  "Tavoria national football team",
                  "Fenmoor Entertainment UK",
                  "18",
                  "Database 18 - fixtures from 26 March 2027 to 29 March 2027 [text Windows-1252]",
                  "2",
                  "Special fixtures",
                  "Tavoria vs Scotland",
                  "*** HILLS v HIGHLANDS ***",
                  "End special fixtures",
                  "Fixtures (kick-off times are local)",
                  "26 March 2027",
                  "Euro 2028 Qualifier",
                  "Scotland vs Tavoria",
                  "20:00",
                  "Hampden Park, \"Glasgow\"",
                  "29 March 2027",
                  "Friendly, at home",
                  "Tavoria vs Cura\xE7"
                  "ao",
                  "19:45",
                  "Arvost Stadium",
                  "End Fixtures",
                  "Trivia",
                  "Fact one",
                  "Fact two",
                  "End Trivia",
                  "Adverts",
                  "Buy the \x93shirt\x94!",
                  "End Ads"}));
  EXPECT_EQ(m.Listing(),
            (Lines{"adverts.txt", "facts.txt", "fixtures.csv", "specials.csv", "tavoria.sdf"}))
      << "no temporary file is left";

  // It checks clean, and the saver loads it with no report in every regional order.
  const Outcome check = Tavdb({"check", out, "--date", "2027-01-01"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.err, "");
  for (auto order : {calendar::DateOrder::DayMonthYear, calendar::DateOrder::MonthDayYear,
                     calendar::DateOrder::YearMonthDay}) {
    const database::LoadedDatabase saver = Saver(out, {2027, 3, 26}, order);
    EXPECT_FALSE(saver.error);
    ASSERT_EQ(saver.fixtures.texts.size(), 2u);
    EXPECT_EQ(saver.fixtures.texts[0],
              "*** HILLS v HIGHLANDS ***\r\nEuro 2028 Qualifier - Friday, 26 March 2027\r\n"
              "Scotland vs Tavoria - K/O: 20:00 **TODAY!**");
  }
}

TEST_F(TavdbTest, WhatDoesNotFitIsAnErrorNamingItsInputLineAndNothingIsWritten) {
  struct Case {
    std::string name;
    std::string fixtures;
    std::string facts, adverts, specials;  // none when empty
    std::string says;                      // "FILE:LINE: error: ..." without the folder
  };
  const std::string header = "date,time,title,home,away\n";
  std::string manyFacts, hundredOne = header;
  for (int n = 1; n <= 100; ++n) manyFacts += "Fact " + std::to_string(n) + "\n";
  for (int n = 0; n < 101; ++n)
    hundredOne += "2027-0" + std::to_string(1 + n / 28) + "-" + (n % 28 < 9 ? "0" : "") +
                  std::to_string(1 + n % 28) + ",19:45,Friendly,Tavoria,Team " +
                  std::to_string(n + 1) + "\n";
  std::string elevenSpecials = "home,away,text\n";
  for (int n = 1; n <= 11; ++n) elevenSpecials += "Tavoria,Team " + std::to_string(n) + ",Big\n";
  const std::string one = header + "2027-03-26,19:45,Friendly,Tavoria,Norway\n";
  const Case cases[] = {
      {"a character the code page named lacks",
       header + "2027-03-26,19:45,Friendly,Tavoria,\xC5\x81\xC3\xB3"
                "d\xC5\xBA\n",
       "", "", "",
       "f.csv:2: error: the away team: \"\xC5\x81\" (U+0141) is not a Windows-1252 "
       "character"},
      {"bytes that are not UTF-8",
       header + "2027-03-26,19:45,Friendly,Cura\xE7"
                "ao,Tavoria\n",
       "", "", "", "f.csv:2: error: the home team: byte 0xE7 at column 5 is not UTF-8"},
      {"a team name with vs in it", header + "2027-03-26,19:45,Friendly,Tavoria,Lovsk\n", "", "",
       "",
       "f.csv:2: error: the away team \"Lovsk\" holds \"vs\": the saver splits the match line "
       "at the first \"vs\""},
      {"an empty team name", header + "2027-03-26,19:45,Friendly, ,Norway\n", "", "", "",
       "f.csv:2: error: the home team is empty"},
      {"a date in another form", header + "26/03/2027,19:45,Friendly,Tavoria,Norway\n", "", "", "",
       "f.csv:2: error: the date \"26/03/2027\" is not a date YYYY-MM-DD"},
      {"a date not on the calendar", header + "2027-02-29,19:45,Friendly,Tavoria,Norway\n", "", "",
       "", "f.csv:2: error: the date \"2027-02-29\" is not a date YYYY-MM-DD"},
      {"a kick-off in another form", header + "2027-03-26,7.45pm,Friendly,Tavoria,Norway\n", "", "",
       "", "f.csv:2: error: the kick-off \"7.45pm\" is not a time HH:MM"},
      {"a line break in a quoted title",
       header + "2027-03-26,19:45,\"Friendly\nmatch\",Tavoria,Norway\n", "", "", "",
       "f.csv:2: error: the title holds a line break: a database entry is one line of printable "
       "text"},
      {"a tab in a title", header + "2027-03-26,19:45,Friendly\tmatch,Tavoria,Norway\n", "", "", "",
       "f.csv:2: error: the title holds a control character (\\x09): a database entry is one line "
       "of printable text"},
      {"a quote left open", header + "2027-03-26,19:45,\"Friendly,Tavoria,Norway\n", "", "", "",
       "f.csv:2: error: a quoted field is not closed by a double quote"},
      {"a missing column", "date,time,title,home\n2027-03-26,19:45,Friendly,Tavoria\n", "", "", "",
       "f.csv:1: error: no column \"away\" in the header line"},
      {"an unknown column", "date,time,title,home,away,venue\n", "", "", "",
       "f.csv:1: error: unknown column \"venue\" in the header line"},
      {"a row with a field too many", header + "2027-03-26,19:45,Friendly,Tavoria,Norway,x\n", "",
       "", "", "f.csv:2: error: 6 fields where the header names 5"},
      {"a 101st fixture", hundredOne, "", "", "",
       "f.csv:102: error: the fixture \"Tavoria vs Team 101\" on 2027-04-17 does not fit: the "
       "saver's fixture list holds 100 entries, in kick-off order this is the 101st (1 fixture too "
       "many; --limit 100 keeps the earliest)"},
      {"a 100th fact", one, manyFacts, "", "",
       "facts.txt:100: error: the 100th fact does not fit: the saver's list holds 100 entries, "
       "\"End Trivia\" included (1 fact too many)"},
      {"a fact that would end the section", one, "Fact\nEnd Trivia\n", "", "",
       "facts.txt:2: error: \"End Trivia\" would end the section for the saver"},
      {"an advert that would end the section", one, "", "End Ads\n", "",
       "adverts.txt:1: error: \"End Ads\" would end the section for the saver"},
      {"an 11th special fixture", one, "", "", elevenSpecials,
       "specials.csv:12: error: the 11th special fixture does not fit: the saver's list holds 10"},
      {"special fixtures without their text", one, "", "", "home,away\nTavoria,Norway\n",
       "specials.csv:1: error: no column \"text\" in the header line"},
      {"JSON that is not JSON", "{\"matches\": [\n{\"date\": \"2027-03-26\",,}]}", "", "", "",
       "f.csv:2: error: a member name in quotes expected"},
      {"a JSON fixture without its second team",
       "{\"matches\": [\n {\"date\": \"2027-03-26\", \"time\": \"19:45 UTC+1\", \"team1\": "
       "\"Tavoria\"}]}",
       "", "", "", "f.csv:2: error: the fixture's \"team2\" is missing"},
      {"a JSON kick-off without a time",
       "[{\"date\": \"2027-03-26\", \"time\": \"TBD\", "
       "\"team1\": \"Tavoria\", \"team2\": \"Norway\"}]",
       "", "", "", "f.csv:1: error: the kick-off \"TBD\" is not a time HH:MM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lines args = {"build",       Write("f.csv", c.fixtures),
                  "--number",    "18",
                  "-o",          Path("out.sdf"),
                  "--code-page", "Windows-1252"};
    if (!c.facts.empty()) args.insert(args.end(), {"--facts", Write("facts.txt", c.facts)});
    if (!c.adverts.empty()) args.insert(args.end(), {"--adverts", Write("adverts.txt", c.adverts)});
    if (!c.specials.empty())
      args.insert(args.end(), {"--specials", Write("specials.csv", c.specials)});
    const Outcome run = Tavdb(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(Path("") + c.says + "\n"), std::string::npos) << run.err;
    EXPECT_FALSE(m.ReadFile("out.sdf")) << "nothing is written";
  }
}

TEST_F(TavdbTest, TheWorldCupIsTooBigForOneDatabaseAndItsEarliest100CheckCleanAndLoad) {
  const std::string worldCup = TestData("worldcup-2026.json");
  const std::string out = Path("worldcup.sdf");
  const Outcome whole = Tavdb({"build", worldCup, "--number", "18", "-o", out});
  EXPECT_EQ(whole.status, 1);
  const std::string venuesTime =
      worldCup +
      ":3: warning: the kick-offs carry UTC offsets and are written in each venue's local time "
      "(\"13:00 UTC-6\" as 13:00); --zone AREA/CITY writes them in the fans' own time\n";
  // The 101st in date order is the first semi-final, the entry that begins on line 1210.
  EXPECT_EQ(whole.err,
            venuesTime + worldCup +
                ":1210: error: the fixture \"France vs Spain\" on 2026-07-14 does not "
                "fit: the saver's fixture list holds 100 entries, in kick-off order this is "
                "the 101st (4 fixtures too many; --limit 100 keeps the earliest)\n");
  EXPECT_FALSE(m.ReadFile("worldcup.sdf"));

  const Outcome earliest =
      Tavdb({"build", worldCup, "--number", "18", "--limit", "100", "-o", out});
  EXPECT_EQ(earliest.status, 0) << earliest.err;
  EXPECT_EQ(earliest.err, venuesTime) << "two fixtures on the first day: the notices always fit";
  const auto bytes = m.ReadFile("worldcup.sdf");
  ASSERT_TRUE(bytes);
  EXPECT_NE(
      bytes->find("\r\nMexico vs South Africa\r\n13:00\r\nMexico City [2026-06-11T19:00Z]\r\n"),
      std::string::npos);
  EXPECT_NE(bytes->find("\r\nCura\xE7"
                        "ao vs "),
            std::string::npos)
      << "Curaçao in Windows-1252";
  EXPECT_EQ(bytes->find("\r\n14 July 2026\r\n"), std::string::npos) << "the semi-finals are left";

  const Outcome check = Tavdb({"check", out, "--date", "2026-06-01"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.err, "");
  EXPECT_EQ(check.out, out +
                           ": 0 errors, 0 warnings on 2026-06-01 in dmy order; the saver loads "
                           "it: 100 fixture texts, 0 facts, 0 adverts\n");

  // The saver itself, started on the tournament's first morning in Mexico City with the file as
  // its database.
  m.WriteFile("tavoria.sdf", *bytes);
  m.clock.zone = SystemZone(m.files, "America/Mexico_City");
  m.clock.Set({2026, 6, 11}, 9, 0, 0);
  tavoria::SaverState saver{m.platform};
  tavoria::LoadDatabase(saver);
  EXPECT_TRUE(m.desktop.messages.empty());
  EXPECT_EQ(saver.database.fixtures.texts.size(), 100u);
  EXPECT_EQ(saver.database.fixtures.texts[0],
            "World Cup 2026, Group A - Thursday, 11 June 2026\r\nMexico vs South Africa - K/O: "
            "13:00 **TODAY!**");
}

TEST_F(TavdbTest, BuildReplacesItsOutputInOneStepOrNotAtAll) {
  const std::string fixtures = Write("f.csv", kFixturesCsv);
  const std::string out = Write("tavoria.sdf", "the old database\r\n");
  const Lines args = {"build", fixtures, "--number", "18", "-o", out};

  m.files.failMove = true;
  const Outcome move = Tavdb(args);
  EXPECT_EQ(move.status, 2);
  EXPECT_EQ(move.err, out + ": error: cannot write the database: Permission denied (code 70)\n");
  EXPECT_EQ(m.ReadFile("tavoria.sdf"), "the old database\r\n");
  EXPECT_EQ(m.Listing(), (Lines{"f.csv", "tavoria.sdf"}));

  m.files.failWriteAfter = 10;
  EXPECT_EQ(Tavdb(args).status, 2);
  EXPECT_EQ(m.ReadFile("tavoria.sdf"), "the old database\r\n");
  EXPECT_EQ(m.Listing(), (Lines{"f.csv", "tavoria.sdf"}));

  // Written, but not to be read back for its check: said as what it is.
  m.files.unreadable = {out + ".tavdb-new"};
  const Outcome unread = Tavdb(args);
  EXPECT_EQ(unread.status, 2);
  EXPECT_EQ(unread.err, out + ": error: cannot read back the database written beside it as " + out +
                            ".tavdb-new: Permission denied (code 70); nothing was written\n");
  EXPECT_EQ(m.Listing(), (Lines{"f.csv", "tavoria.sdf"}));
  m.files.unreadable.clear();

  EXPECT_EQ(Tavdb(args).status, 0);
  EXPECT_EQ(m.ReadFile("tavoria.sdf")->substr(0, 9), "tavoria\r\n");
  EXPECT_EQ(m.Events(), (Lines{"file replaced <program>/tavoria.sdf"}));
}

TEST_F(TavdbTest, BuildWritesEveryYearWithFourDigitsAsTheSaverReadsNoOtherLength) {
  const std::string fixtures =
      Write("f.csv", "date,time,title,home,away\n0506-05-05,17:00,Old,Tavoria,Norway\n");
  const Outcome run = Tavdb({"build", fixtures, "--number", "1", "-o", Path("old.sdf")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(m.ReadFile("old.sdf").value_or("").find("\r\n5 May 0506\r\n"), std::string::npos);
  EXPECT_FALSE(Saver(Path("old.sdf"), {506, 5, 5}).error);
}

}  // namespace
