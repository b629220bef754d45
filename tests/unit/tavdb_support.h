// The makers' tool on the in-memory platform's files: databases written in their own layout, the
// tool's commands run as from a command line, and the saver's loader run on the same file.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"
#include "tavdb/commands.h"
#include "tavdb/saver_run.h"

namespace tavdb_test {

using Lines = std::vector<std::string>;

// A database in the file's own layout; each section gets its terminator. Line 8 is the first
// special fixture's match line; with S special fixtures the first fixture's date line is line
// 10 + 2 S.
struct Database {
  std::string line4 = "17";
  std::string line6 = "2";
  Lines specials;  // two lines a record
  Lines fixtures;  // five lines a record
  Lines trivia = {"Tavoria have never lost on a Tuesday."};
  Lines adverts = {"Buy the shirt!"};
  std::string lineEnd = "\r\n";

  Lines AllLines() const {
    Lines all = {"tavoria",
                 "Tavoria national team",
                 "Fenmoor Entertainment UK",
                 line4,
                 "Updated 8 December 2026",
                 line6,
                 "Special fixtures"};
    auto add = [&](const Lines& lines, const std::string& terminator, const char* next) {
      all.insert(all.end(), lines.begin(), lines.end());
      all.push_back(terminator);
      if (next) all.push_back(next);
    };
    add(specials, "End special fixtures", "Fixtures");
    add(fixtures, "End Fixtures", "Trivia");
    add(trivia, "End Trivia", "Adverts");
    add(adverts, "End Ads", nullptr);
    return all;
  }

  std::string Text() const {
    std::string text;
    for (const auto& line : AllLines()) text += line + lineEnd;
    return text;
  }

  // The number of the first line that is exactly `text`.
  int LineOf(const std::string& text) const {
    const Lines all = AllLines();
    for (std::size_t i = 0; i < all.size(); ++i)
      if (all[i] == text) return static_cast<int>(i) + 1;
    return 0;
  }
};

inline Lines Fixture(const std::string& date, const std::string& match = "Tavoria vs Norway",
                     const std::string& kickOff = "19:45") {
  return {date, "Friendly", match, kickOff, "National Stadium"};
}

inline Lines Repeat(int times, const Lines& lines) {
  Lines all;
  for (int n = 0; n < times; ++n) all.insert(all.end(), lines.begin(), lines.end());
  return all;
}

// Fixtures on consecutive days from 1 January 2027 (up to 28 of them a month).
inline Lines DailyFixtures(int count, int firstDay = 1) {
  Lines all;
  for (int n = 0; n < count; ++n) {
    const int day = firstDay + n;
    const int month = 1 + (day - 1) / 28;
    const int dayOfMonth = 1 + (day - 1) % 28;
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    const Lines one = Fixture(std::to_string(dayOfMonth) + " " + months[(month - 1) % 12] + " " +
                              std::to_string(2027 + (month - 1) / 12));
    all.insert(all.end(), one.begin(), one.end());
  }
  return all;
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

struct TavdbTest : ::testing::Test {
  platform::memory::MemoryPlatform m;
  platform::FixedClock now;  // the moment "now" for the commands: 8 December 2026, noon

  TavdbTest() {
    now.date = {2026, 12, 8};
    now.secondsOfDay = 12 * 3600;
  }

  std::string Path(const std::string& name) const { return m.PathOf(name); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    m.WriteFile(name, bytes);
    return Path(name);
  }

  Outcome Tavdb(const Lines& args) {
    std::ostringstream out, err;
    Outcome run;
    run.status = tavdb::RunTavdb(args, m.files, now, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  tavdb::SaverRun Saver(const std::string& path, platform::Date date,
                        platform::DateOrder order = platform::DateOrder::DayMonthYear,
                        int secondsOfDay = 0) {
    platform::FixedClock clock;
    clock.date = date;
    clock.secondsOfDay = secondsOfDay;
    clock.dateOrder = order;
    return tavdb::RunSaverLoader(m.files, path, clock);
  }
};

}  // namespace tavdb_test
