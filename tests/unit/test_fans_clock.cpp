// A fixture that carries its kick-off's instant, shown on the clock of the computer the saver runs
// on: its day, date and kick-off, the marker and whether it is past, by that zone's own rules for
// the date, whatever zone its lines were written in.
#include <gtest/gtest.h>

#include "database/loader.h"
#include "saver/data/database.h"
#include "tavdb_support.h"

namespace {

using database_text::Database;
using database_text::Lines;

TEST(FansClock, EachFixtureShowsOnTheComputersOwnClock) {
  const struct {
    const char* zone;
    const char *instant, *dateLine, *kickOffLine;  // the record's lines, in London
    calendar::Moment now;                          // on the computer's clock
    const char* shown;                             // none: past
  } cases[] = {
      // Haiti vs Scotland, 21:00 UTC-4 on Saturday 13 June 2026, across midnight both ways.
      {"America/New_York",
       "2026-06-14T01:00Z",
       "14 June 2026",
       "02:00",
       {{2026, 6, 13}, 20 * 3600},
       "Saturday, 13 June 2026 | K/O: 21:00 **TODAY!**"},
      {"Europe/London",
       "2026-06-14T01:00Z",
       "14 June 2026",
       "02:00",
       {{2026, 6, 14}, 3600},
       "Sunday, 14 June 2026 | K/O: 02:00 **TODAY!**"},
      {"Asia/Kolkata",
       "2026-06-14T01:00Z",
       "14 June 2026",
       "02:00",
       {{2026, 6, 14}, 7 * 3600},
       "Sunday, 14 June 2026 | K/O: 06:30"},
      {"Asia/Kolkata",
       "2026-06-13T20:00Z",
       "13 June 2026",
       "21:00",
       {{2026, 6, 13}, 12 * 3600},
       "Sunday, 14 June 2026 | K/O: 01:30"},
      {"Australia/Sydney",
       "2026-06-14T01:00Z",
       "14 June 2026",
       "02:00",
       {{2026, 6, 1}, 0},
       "Sunday, 14 June 2026 | K/O: 11:00"},  // its southern winter: UT + 10
      // Past by the fan's own date: 13 June in New York, though the lines say 14 June.
      {"America/New_York",
       "2026-06-14T01:00Z",
       "14 June 2026",
       "02:00",
       {{2026, 6, 14}, 8 * 3600},
       nullptr},
      // Past by its lines, 13 June in New York, but to come on London's 14 June.
      {"Europe/London",
       "2026-06-14T01:00Z",
       "13 June 2026",
       "21:00",
       {{2026, 6, 14}, 3600},
       "Sunday, 14 June 2026 | K/O: 02:00 **TODAY!**"},
      // London's clocks go forward on 28 March 2027 and back on 25 October 2026.
      {"Europe/London",
       "2027-03-28T00:30Z",
       "28 March 2027",
       "00:30",
       {{2027, 3, 1}, 0},
       "Sunday, 28 March 2027 | K/O: 00:30"},
      {"Europe/London",
       "2027-03-28T01:30Z",
       "28 March 2027",
       "02:30",
       {{2027, 3, 1}, 0},
       "Sunday, 28 March 2027 | K/O: 02:30"},
      {"Europe/London",
       "2026-10-25T00:30Z",
       "25 October 2026",
       "01:30",
       {{2026, 10, 1}, 0},
       "Sunday, 25 October 2026 | K/O: 01:30"},
      {"Europe/London",
       "2026-10-25T01:30Z",
       "25 October 2026",
       "01:30",
       {{2026, 10, 1}, 0},
       "Sunday, 25 October 2026 | K/O: 01:30"},
      // Mexico kept daylight saving time until October 2022: UT - 5 that summer, UT - 6 since.
      {"America/Mexico_City",
       "2022-06-15T18:00Z",
       "15 June 2022",
       "19:00",
       {{2022, 6, 1}, 0},
       "Wednesday, 15 June 2022 | K/O: 13:00"},
      {"America/Mexico_City",
       "2026-06-11T19:00Z",
       "11 June 2026",
       "20:00",
       {{2026, 6, 1}, 0},
       "Thursday, 11 June 2026 | K/O: 13:00"},
  };
  platform::memory::MemoryPlatform m;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " " + c.instant);
    m.clock.zone = tavdb_test::SystemZone(m.files, c.zone);
    m.clock.Set(c.now.date, c.now.secondsOfDay / 3600, c.now.secondsOfDay / 60 % 60, 0);
    Database db;
    db.fixtures = {c.dateLine, "Friendly", "Haiti vs Scotland", c.kickOffLine,
                   std::string("Boston [") + c.instant + "]"};
    m.WriteFile("tavoria.sdf", db.Text());
    tavoria::SaverState saver{m.platform};
    tavoria::LoadDatabase(saver);
    const Lines& texts = saver.database.fixtures.texts;
    ASSERT_FALSE(saver.database.error);
    if (!c.shown) {
      EXPECT_EQ(texts, Lines{"All your fixtures are out of date. Please upgrade using the "
                             "screensaver control panel."});
      continue;
    }
    ASSERT_EQ(texts.size(), 1u);
    std::string shown(c.shown);
    shown.replace(shown.find(" | "), 3, "\r\nHaiti vs Scotland - ");
    EXPECT_EQ(texts[0], "Friendly - " + shown);
  }
}

}  // namespace
