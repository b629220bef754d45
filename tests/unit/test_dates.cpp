// Dates and times of day by the user's regional settings.
#include <gtest/gtest.h>

#include "database/dates.h"

namespace {

using calendar::Date;
using calendar::DateOrder;
using database::ParseTimeOfDay;
using util::Failure;

// Dates as current Windows reads them: two-digit years up to 2049.
Date ParseDate(const std::string& text, DateOrder order) {
  return database::ParseDate(text, {order, 2049});
}

constexpr DateOrder kDmy = DateOrder::DayMonthYear;
constexpr DateOrder kMdy = DateOrder::MonthDayYear;
constexpr DateOrder kYmd = DateOrder::YearMonthDay;
constexpr DateOrder kEveryOrder[] = {kDmy, kMdy, kYmd};

bool IsDate(const std::string& text, DateOrder order) {
  try {
    ParseDate(text, order);
    return true;
  } catch (const Failure& f) {
    EXPECT_EQ(f.code(), 13) << text;
    return false;
  }
}

bool IsTime(const std::string& text) {
  try {
    ParseTimeOfDay(text);
    return true;
  } catch (const Failure& f) {
    EXPECT_EQ(f.code(), 13) << text;
    return false;
  }
}

TEST(Dates, NumericDatesFollowTheRegionalOrder) {
  const Date june11{2026, 6, 11};
  for (const char* text : {"11/06/2026", "11-06-2026", "11.06.2026", "11/6/2026", "11/06/26"})
    EXPECT_EQ(ParseDate(text, kDmy), june11) << text;
  for (const char* text : {"06/11/2026", "6-11-2026", "6.11.26"})
    EXPECT_EQ(ParseDate(text, kMdy), june11) << text;
  for (const char* text : {"2026/06/11", "2026.6.11", "26-06-11", "26/6/11"})
    EXPECT_EQ(ParseDate(text, kYmd), june11) << text;
  EXPECT_EQ(ParseDate("03/04/2027", kDmy), (Date{2027, 4, 3}));
  EXPECT_EQ(ParseDate("03/04/2027", kMdy), (Date{2027, 3, 4}));
  EXPECT_EQ(ParseDate("03/04/27", kYmd), (Date{2003, 4, 27}));
}

TEST(Dates, IsoDatesAndMonthNamesReadTheSameInEveryOrder) {
  for (auto order : kEveryOrder) {
    for (const char* text :
         {"2026-06-11", "2026/06/11", "2026-6-11", "11 June 2026", "June 11, 2026", "11-Jun-2026",
          "Jun 11 2026", "11 JUNE 2026", "  11 june 2026\t", "2026 June 11", "11 Jun. 2026",
          "June 11 26", "11-jun-26"})
      EXPECT_EQ(ParseDate(text, order), (Date{2026, 6, 11})) << text;
    EXPECT_EQ(ParseDate("1 Sept 2027", order), (Date{2027, 9, 1}));
    EXPECT_EQ(ParseDate("30 september 2027", order), (Date{2027, 9, 30}));
  }
}

TEST(Dates, TwoDigitYearsLieInTheHundredYearsEndingAtTheUsersSetting) {
  struct Case {
    int yearMax;
    const char* text;
    int year;
  };
  for (const Case& c :
       {Case{2029, "1/1/00", 2000}, Case{2029, "1/1/29", 2029}, Case{2029, "1/1/30", 1930},
        Case{2029, "1/1/99", 1999}, Case{2049, "1/1/29", 2029}, Case{2049, "1/1/30", 2030},
        Case{2049, "1/1/49", 2049}, Case{2049, "1/1/50", 1950}, Case{2049, "1 Jan 50", 1950},
        Case{2099, "1/1/00", 2000}, Case{2099, "1/1/50", 2050}, Case{2099, "1/1/99", 2099},
        Case{2099, "Jan 1 99", 2099}, Case{1999, "1/1/00", 1900}, Case{1999, "1/1/99", 1999},
        Case{2049, "1/1/0029", 29}}) {
    EXPECT_EQ(database::ParseDate(c.text, {kDmy, c.yearMax}).year, c.year)
        << c.text << " with the setting at " << c.yearMax;
  }
}

TEST(Dates, OnlyRealCalendarDatesAreAccepted) {
  for (auto order : kEveryOrder) {
    for (const char* text : {"",
                             " ",
                             "2026",
                             "11/06",
                             "11/06/2026/1",
                             "31/02/2026",
                             "02/31/2026",
                             "2026-02-31",
                             "11/13/2026x",
                             "11/06-2026",
                             "11//2026",
                             "0/06/2026",
                             "2026-00-10",
                             "2026-13-01",
                             "2026-12-32",
                             "11 Juneteenth 2026",
                             "11 June",
                             "June 2026",
                             "11 June 2026 extra",
                             "11 Ju 2026",
                             "111/06/2026",
                             "11/06/2026.",
                             "11/06/226",
                             "11/06/20266",
                             "0000-01-01",
                             "11/06/+2026",
                             "11 06 2026",
                             "End Fixtures",
                             "2026-06-11 12:00",
                             "Jun 11 June",
                             "June 2026 11",
                             "32 Jun 2026",
                             "Feb 30 2027",
                             "\xA3"
                             "11 June 2026"}) {
      EXPECT_FALSE(IsDate(text, order)) << text;
    }
    EXPECT_FALSE(IsDate("13/13/2026", order));
  }
  EXPECT_FALSE(IsDate("12/31/2026", kDmy)) << "month 31";
  EXPECT_FALSE(IsDate("31/12/2026", kMdy)) << "month 31";
  EXPECT_FALSE(IsDate("27/02/31", kYmd)) << "2027, February 31";
}

TEST(Dates, LeapYearsFollowTheGregorianRules) {
  for (auto order : kEveryOrder) {
    EXPECT_TRUE(IsDate("2024-02-29", order));
    EXPECT_TRUE(IsDate("2000-02-29", order));
    EXPECT_TRUE(IsDate("29 Feb 2028", order));
    EXPECT_FALSE(IsDate("2026-02-29", order));
    EXPECT_FALSE(IsDate("1900-02-29", order));
    EXPECT_FALSE(IsDate("2100-02-29", order));
    EXPECT_FALSE(IsDate("2024-02-30", order));
  }
  EXPECT_TRUE(IsDate("29/02/28", kDmy));
  EXPECT_FALSE(IsDate("29/02/27", kDmy));
}

TEST(Dates, WeekdaysCountFromSunday) {
  EXPECT_EQ(calendar::WeekdayOf({2026, 12, 6}), 1);
  EXPECT_EQ(calendar::WeekdayOf({2026, 12, 8}), 3);
  EXPECT_EQ(calendar::WeekdayOf({2026, 12, 12}), 7);
  EXPECT_EQ(calendar::WeekdayOf({2024, 2, 29}), 5);
  EXPECT_EQ(calendar::WeekdayOf({2028, 3, 1}), 4);
  EXPECT_EQ(calendar::WeekdayOf({1900, 1, 1}), 2);
  EXPECT_EQ(calendar::WeekdayOf({1, 1, 1}), 2);
  EXPECT_EQ(calendar::WeekdayOf({9999, 12, 31}), 6);
}

TEST(Times, TwentyFourHourAndTwelveHourClocks) {
  EXPECT_EQ(ParseTimeOfDay("19:45"), 19 * 3600 + 45 * 60);
  EXPECT_EQ(ParseTimeOfDay("7:05"), 7 * 3600 + 5 * 60);
  EXPECT_EQ(ParseTimeOfDay("07:05:09"), 7 * 3600 + 5 * 60 + 9);
  EXPECT_EQ(ParseTimeOfDay("0:00"), 0);
  EXPECT_EQ(ParseTimeOfDay("23:59:59"), 86399);
  EXPECT_EQ(ParseTimeOfDay(" 20:00 "), 20 * 3600);
  EXPECT_EQ(ParseTimeOfDay("7:45 PM"), 19 * 3600 + 45 * 60);
  EXPECT_EQ(ParseTimeOfDay("7:45pm"), 19 * 3600 + 45 * 60);
  EXPECT_EQ(ParseTimeOfDay("7:45:30 am"), 7 * 3600 + 45 * 60 + 30);
  EXPECT_EQ(ParseTimeOfDay("12:30 AM"), 30 * 60);
  EXPECT_EQ(ParseTimeOfDay("12:30 PM"), 12 * 3600 + 30 * 60);
  EXPECT_EQ(ParseTimeOfDay("8 PM"), 20 * 3600);
  EXPECT_EQ(ParseTimeOfDay("11:59:59 PM"), 86399);
}

TEST(Times, AnythingElseIsNotATimeOfDay) {
  for (const char* text :
       {"",        "PM",     "19",      "25:00", "24:00", "23:60",       "23:59:60",
        "19:5",    "19:455", "19:45:",  ":45",   "19.45", "19:45:00:00", "13:00 PM",
        "0:30 AM", "19h45",  "7:45 XM", "TBC",   "-1:00", "19:45 P M",   "123:00"})
    EXPECT_FALSE(IsTime(text)) << text;
}

}  // namespace
