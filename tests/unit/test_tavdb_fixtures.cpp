// tavdb build on the public fixture lists as they are: every layout, one team's matches, and the
// kick-offs moved onto the fans' own clock by the zone rules.
#include <gtest/gtest.h>

#include <filesystem>

#include "tavdb_support.h"
#include "tz/time_zone.h"
#include "util/text.h"

namespace {

using namespace tavdb_test;

// Each fixture record of a built database as "date | caption | match | kick-off".
Lines Records(const std::optional<std::string>& database) {
  const Lines lines = text::SplitLines(database.value_or(""));
  const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.starts_with("Fixtures (");
  });
  Lines records;
  for (auto at = first + 1; first != lines.end() && at + 4 < lines.end() && *at != "End Fixtures";
       at += 5)
    records.push_back(*at + " | " + at[1] + " | " + at[2] + " | " + at[3]);
  return records;
}

struct TavdbFixtures : TavdbTest {
  // Builds out.sdf from a fixture list; `said` must each be a whole line of the output.
  Outcome Build(const std::string& name, const std::string& list, Lines args,
                const Lines& said = {}) {
    args.insert(args.begin(),
                {"build", Write(name, list), "--number", "19", "-o", Path("out.sdf")});
    const Outcome run = Tavdb(args);
    for (const std::string& line : said)
      EXPECT_NE(("\n" + run.out + run.err).find("\n" + Path("") + line + "\n"), std::string::npos)
          << line << "\n"
          << run.out << run.err;
    return run;
  }
};

TEST_F(TavdbFixtures, EveryLayoutOfTheFixtureListsIsRead) {
  const std::string zone = "--zone", london = "Europe/London";
  const struct {
    const char* name;
    std::string list;
    Lines args;
    int status;
    Lines records, said;
  } cases[] = {
      {"one list of matches, each with its round; teams as names; times with an offset",
       R"({"name": "Cup", "matches": [
           {"round": "Matchday 3", "date": "2026-06-13", "time": "21:00 UTC-4", "team1": "Haiti",
            "team2": "Scotland", "group": "Group C", "ground": "Boston", "score": {"ft": [0, 1]}},
           {"round": "Final", "date": "2026-07-19", "time": "15:00 UTC-4", "team1": "Spain",
            "team2": "Argentina", "score1": 1, "score2": 0, "num": 104}]})",
       {},
       0,
       {"13 June 2026 | Cup, Group C | Haiti vs Scotland | 21:00",
        "19 July 2026 | Cup, Final | Spain vs Argentina | 15:00"},
       {"f.json:2: warning: the kick-offs carry UTC offsets and are written in each venue's local "
        "time (\"21:00 UTC-4\" as 21:00); --zone AREA/CITY writes them in the fans' own time"}},
      {"matches grouped in rounds; teams as objects; times without an offset; stadium and city",
       R"({"name": "Euro", "rounds": [{"name": "Matchday 1", "matches": [
           {"date": "2021-06-11", "time": "21:00", "team1": {"name": "Turkey", "code": "TUR"},
            "team2": {"key": "ita", "name": "Italy"}, "score": {"ft": [0, 3], "ht": [0, 0]}}]},
           {"name": "Final", "matches": [{"date": "2021-07-11", "time": "21:00",
            "team1": {"name": "Italy"}, "team2": {"name": "England"},
            "stadium": {"key": "wembley", "name": "Wembley"}, "city": "London"}]}]})",
       {zone, london, "--source-zone", "Europe/Rome"},
       0,
       {"11 June 2021 | Euro, Matchday 1 | Turkey vs Italy | 20:00",
        "11 July 2021 | Euro, Final | Italy vs England | 20:00"},
       {"out.sdf: 0 special fixtures, 2 fixtures, 0 facts, 0 adverts, database number 19, 460 "
        "bytes of Windows-1252 text, times in Europe/London (tzdata " +
        tz::TzdataVersion(
            platform::ReadFile(m.files, platform::SystemName(zoneInfo + "/tzdata.zi")))
            .value() +
        ")"}},
      {"the older layout's own timezone field, offsets with minutes and none",
       R"({"rounds": [{"name": "Matchday 1", "matches": [
           {"date": "2014-06-12", "time": "17:00", "team1": {"name": "Brazil"},
            "team2": {"name": "Croatia"}, "score1": 3, "score2": 1, "timezone": "UTC-3"},
           {"date": "2026-01-10", "time": "19:30 UTC+5:30", "team1": "India", "team2": "Oman"},
           {"date": "2026-01-11", "time": "12:00 UTC", "team1": "Fiji", "team2": "Samoa"}]}]})",
       {zone, london},
       0,
       {"12 June 2014 | Matchday 1 | Brazil vs Croatia | 21:00",
        "10 January 2026 | Matchday 1 | India vs Oman | 14:00",
        "11 January 2026 | Matchday 1 | Fiji vs Samoa | 12:00"}},
      {"postponed, cancelled and awarded matches",
       R"([{"date": "2027-03-26", "time": "19:45", "team1": "Tavoria", "team2": "Norway"},
           {"date": "2027-03-27", "team1": "Tavoria", "team2": "Wales", "status": "Postponed"},
           {"date": "2027-03-28", "team1": "Tavoria", "team2": "Malta", "status": "cancelled"},
           {"date": "2027-03-29", "team1": "Tavoria", "team2": "Italy", "status": "awarded"}])",
       {},
       0,
       {"26 March 2027 |  | Tavoria vs Norway | 19:45"},
       {"out.sdf: 0 special fixtures, 1 fixture, 0 facts, 0 adverts, database number 19, 328 "
        "bytes of Windows-1252 text; left out: 1 postponed, 1 cancelled, 1 awarded"}},
      {"a match without its kick-off time",
       "date,time,title,home,away\n2027-03-26,,Friendly,Tavoria,Norway\n",
       {},
       1,
       {},
       {"f.csv:2: error: the fixture \"Tavoria vs Norway\" on 2027-03-26 has no kick-off time: "
        "--without-time skip leaves such fixtures out, --without-time HH:MM gives them that time"}},
      {"left out when told",
       R"([{"date": "2027-03-26", "team1": "Tavoria", "team2": "Norway"},
           {"date": "2027-03-27", "time": "16:00", "team1": "Tavoria", "team2": "Wales"}])",
       {"--without-time", "skip"},
       0,
       {"27 March 2027 |  | Tavoria vs Wales | 16:00"},
       {"out.sdf: 0 special fixtures, 1 fixture, 0 facts, 0 adverts, database number 19, 327 "
        "bytes of Windows-1252 text; left out: 1 without a kick-off time"}},
      {"given a time on the fans' clock when told",
       "date,time,title,home,away\n2027-03-26,,Friendly,Tavoria,Norway\n"
       "2027-03-27,16:00 UTC+1,Friendly,Tavoria,Wales\n",
       {"--without-time", "15:00", zone, london},
       0,
       {"26 March 2027 | Friendly | Tavoria vs Norway | 15:00",
        "27 March 2027 | Friendly | Tavoria vs Wales | 15:00"}},
      {"teams not known yet",
       R"([{"date": "2026-07-04", "time": "18:00", "team1": "W73", "team2": "1A"},
           {"date": "2026-07-05", "time": "18:00", "team1": "3A/B/C/D/F", "team2": "Norway"},
           {"date": "2026-07-06", "time": "18:00", "team1": "Norway", "team2": "Tavoria"},
           {"date": "2026-07-07", "time": "18:00", "team1": "UEFA Path A winner",
            "team2": "L101"}])",
       {},
       0,
       {"4 July 2026 |  | W73 vs 1A | 18:00", "5 July 2026 |  | 3A/B/C/D/F vs Norway | 18:00",
        "6 July 2026 |  | Norway vs Tavoria | 18:00",
        "7 July 2026 |  | UEFA Path A winner vs L101 | 18:00"},
       {"f.json:1: warning: the fixture \"W73 vs 1A\" on 2026-07-04 names a team not known yet "
        "(\"W73\", \"1A\"): it is written as it stands, and an upgrade will be due once the team "
        "is known"}},
      {"one team's matches, and those that may become theirs",
       R"([{"date": "2026-07-04", "time": "18:00", "team1": "W73", "team2": "1A"},
           {"date": "2026-07-06", "time": "18:00", "team1": "Norway", "team2": "Tavoria"},
           {"date": "2026-07-07", "time": "18:00", "team1": "UEFA Path A winner",
            "team2": "Wales"}])",
       {"--team", " TAVORIA "},
       0,
       {"6 July 2026 |  | Norway vs Tavoria | 18:00"},
       {"out.sdf: 0 special fixtures, 1 fixture, 0 facts, 0 adverts, database number 19, 322 "
        "bytes of Windows-1252 text; 2 other matches have teams not known yet and may become "
        "Tavoria's"}},
      {"a team that plays no match",
       R"([{"date": "2026-07-06", "time": "18:00", "team1": "Norway", "team2": "Tavoria"},
           {"date": "2026-07-07", "time": "18:00", "team1": "W73", "team2": "Tavira"}])",
       {"--team", "Tavoria", "--team", "Tavorai"},
       1,
       {},
       {"f.json: error: no fixture has the team \"Tavorai\": did you mean \"Tavoria\", \"Tavira\" "
        "or \"Norway\"?"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    m.files.Remove(platform::SystemName(Path("out.sdf")));
    const std::string file = c.list[0] == 'd' ? "f.csv" : "f.json";
    const Outcome run = Build(file, c.list, c.args, c.said);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(Records(m.ReadFile("out.sdf")), c.records);
  }
}

TEST_F(TavdbFixtures, KickOffsMoveOntoTheFansClockByTheRulesOfTheirDay) {
  const struct {
    const char *date, *time, *fans, *source, *shown;  // shown: "date | kick-off", or the error
  } cases[] = {
      // Europe's clocks go forward at 01:00 UT on the last Sunday of March, and back in October.
      {"2026-03-29", "00:30 UTC", "Europe/London", "", "29 March 2026 | 00:30"},
      {"2026-03-29", "01:30 UTC", "Europe/London", "", "29 March 2026 | 02:30"},
      {"2026-10-25", "00:30 UTC", "Europe/Berlin", "", "25 October 2026 | 02:30"},
      {"2026-10-25", "01:30 UTC", "Europe/Berlin", "", "25 October 2026 | 02:30"},
      // North America's at 02:00 local on the second Sunday of March and the first of November.
      {"2026-03-08", "06:30 UTC", "America/New_York", "", "8 March 2026 | 01:30"},
      {"2026-03-08", "07:30 UTC", "America/New_York", "", "8 March 2026 | 03:30"},
      {"2026-11-01", "05:30 UTC", "America/Chicago", "", "1 November 2026 | 00:30"},
      {"2026-11-01", "07:30 UTC", "America/Chicago", "", "1 November 2026 | 01:30"},
      // Across midnight, both ways.
      {"2026-06-12", "20:00 UTC-7", "Europe/Berlin", "", "13 June 2026 | 05:00"},
      {"2026-06-15", "01:00 UTC+2", "America/Los_Angeles", "", "14 June 2026 | 16:00"},
      // Times without an offset, on the source zone's clock.
      {"2024-06-14", "21:00", "America/New_York", "Europe/Berlin", "14 June 2024 | 15:00"},
      {"2026-10-25", "02:30", "UTC", "Europe/Berlin", "25 October 2026 | 00:30"},  // the first
      {"2026-03-29", "02:30", "UTC", "Europe/Berlin",
       "f.csv:2: error: the kick-off 2026-03-29 02:30 does not exist in Europe/Berlin: the clocks "
       "go forward over it"},
      {"2026-06-12", "20:00", "UTC", "",
       "f.csv:2: error: the kick-off \"20:00\" carries no UTC offset: --source-zone AREA/CITY "
       "names the zone of such times"},
      {"9999-12-31", "23:00 UTC-5", "Europe/London", "",
       "f.csv:2: error: the kick-off 9999-12-31 23:00 falls outside the years 1 to 9999 in "
       "Europe/London"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.time + " in " + c.fans);
    m.files.Remove(platform::SystemName(Path("out.sdf")));
    Lines args = {"--zone", c.fans};
    if (*c.source) args.insert(args.end(), {"--source-zone", c.source});
    const std::string list = "date,time,title,home,away\n" + std::string(c.date) + "," + c.time +
                             ",Cup,Tavoria,Norway\n2026-06-12,20:00 UTC,Cup,Tavoria,Wales\n";
    const bool fails = std::string(c.shown).starts_with("f.csv");
    const Outcome run = Build("f.csv", list, args, fails ? Lines{c.shown} : Lines{});
    EXPECT_EQ(run.status, fails ? 1 : 0) << run.err;
    if (fails) continue;
    Lines shown;  // the Norway fixture's date and kick-off
    for (const std::string& record : Records(m.ReadFile("out.sdf"))) {
      const auto parts = text::Split(record, '|');
      if (record.find("Norway") != std::string::npos)
        shown.push_back(std::string(parts[0]) + "|" + std::string(parts[3]));
    }
    EXPECT_EQ(shown, Lines{c.shown}) << run.err;
  }
}

TEST_F(TavdbFixtures, OneTeamInTheFansZoneAndTheSaverMarksTheNightKickOffOnItsDay) {
  const std::string out = Path("tavoria-upgrade-19.tup");
  const Outcome run = Tavdb({"build", TestData("worldcup-2026.json"), "--team", " scotland ",
                             "--zone", "Europe/London", "--number", "19", "-o", out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto database = m.ReadFile("tavoria-upgrade-19.tup");
  EXPECT_NE(database.value_or("").find("\r\nFixtures (kick-off times are Europe/London time)\r\n"),
            std::string::npos);
  // 21:00 UTC-4 on Saturday 13 June is 02:00 on Sunday in London; 18:00 UTC-4 is 23:00.
  EXPECT_EQ(Records(database),
            (Lines{"14 June 2026 | World Cup 2026, Group C | Haiti vs Scotland | 02:00",
                   "19 June 2026 | World Cup 2026, Group C | Scotland vs Morocco | 23:00",
                   "24 June 2026 | World Cup 2026, Group C | Scotland vs Brazil | 23:00"}));
  const std::string haiti =
      "World Cup 2026, Group C - Sunday, 14 June 2026\r\nHaiti vs Scotland - K/O: 02:00";
  const calendar::DateOrder dmy = calendar::DateOrder::DayMonthYear;
  EXPECT_EQ(Saver(out, {2026, 6, 13}, dmy, 23 * 3600).fixtures.texts.at(0), haiti);
  EXPECT_EQ(Saver(out, {2026, 6, 14}, dmy, 0).fixtures.texts.at(0), haiti + " **TODAY!**");
  EXPECT_EQ(Saver(out, {2026, 6, 14}, dmy, 7199).fixtures.texts.at(0), haiti + " **TODAY!**");
  EXPECT_EQ(Saver(out, {2026, 6, 14}, dmy, 7200).fixtures.texts.at(0), haiti);
}

TEST_F(TavdbFixtures, EveryRealFixtureListBuildsAndBareTimesOfManyZonesAreNotConverted) {
  int built = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TestData(""))) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".md")) continue;
    m.files.Remove(platform::SystemName(Path("out.sdf")));
    const Outcome run = Tavdb({"build", TestData(name), "--without-time", "skip", "--limit", "100",
                               "--number", "19", "-o", Path("out.sdf")});
    EXPECT_EQ(run.status, 0) << name << "\n" << run.err;
    built += run.status == 0;
  }
  EXPECT_GE(built, 3);

  const Outcome euro = Tavdb({"build", TestData("euro-2020.json"), "--zone", "Europe/London",
                              "--number", "19", "-o", Path("out.sdf")});
  EXPECT_EQ(euro.status, 2);
  EXPECT_TRUE(euro.err.starts_with("tavdb: the kick-offs in " + TestData("euro-2020.json") +
                                   " carry no UTC offset: --source-zone AREA/CITY names the zone "
                                   "they are written in (a list whose times belong to several "
                                   "zones cannot be converted)\n"))
      << euro.err;
  // Four matches of 2014 lack their "timezone": they were played in Natal.
  const Outcome brazil =
      Tavdb({"build", TestData("worldcup-2014-older-layout.json"), "--zone", "Europe/London",
             "--source-zone", "America/Fortaleza", "--number", "19", "-o", Path("out.sdf")});
  EXPECT_EQ(brazil.status, 0) << brazil.err;
  EXPECT_EQ(Records(m.ReadFile("out.sdf")).at(1),
            "13 June 2014 | World Cup 2014, Group A | Mexico vs Cameroon | 17:00");
}

TEST_F(TavdbFixtures, AZoneNameThatIsNotThereIsSaidPlainly) {
  const std::string list =
      Write("f.csv", "date,time,title,home,away\n2026-06-12,20:00 UTC,C,A,B\n");
  auto build = [&](const std::string& zone) {
    return Tavdb({"build", list, "--number", "1", "-o", Path("out.sdf"), "--zone", zone});
  };
  Outcome run = build("Europe/Lodnon");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "tavdb: --zone Europe/Lodnon: no such time zone in " + zoneInfo +
                         " (did you mean \"Europe/London\", \"Europe/Lisbon\" or "
                         "\"Europe/Moscow\"?)\n");
  EXPECT_TRUE(build("../etc/passwd")
                  .err.starts_with("tavdb: --zone needs a time zone name such as Europe/London\n"));
  EXPECT_FALSE(m.ReadFile("out.sdf"));
}

}  // namespace
