// The makers' tool on the in-memory platform's files: databases written in their own layout, the
// tool's commands run as from a command line, and the saver's loader run on the same file.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "database/loader.h"
#include "platform/memory/memory_platform.h"
#include "platform/whole_file.h"
#include "tavdb/commands.h"
#include "tests/unit/database_text.h"
#include "tz/time_zone.h"

namespace tavdb_test {

using Lines = std::vector<std::string>;

using database_text::Fixture;
using database_text::Repeat;

// A database with a fact and an advert of its own.
struct Database : database_text::Database {
  Database() {
    trivia = {"Tavoria have never lost on a Tuesday."};
    adverts = {"Buy the shirt!"};
  }
};

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

// Host files under Wine are on drive Z:.
#ifdef _WIN32
inline const std::string kHostRoot = "Z:";
#else
inline const std::string kHostRoot;
#endif
// The system's time zone rules (Debian's tzdata package), and a file of the tests' data folder.
inline std::string SystemZoneInfo() {
  return kHostRoot + "/usr/share/zoneinfo";
}
// A zone's rules from the system's zone files, for the in-memory computer's clock.
inline tz::TimeZone SystemZone(platform::Files& files, const std::string& name) {
  return tz::TimeZone::FromTzif(platform::ReadFile(
      files, platform::SystemName(SystemZoneInfo() + "/" + tz::ZoneFilePath(name).value())));
}
inline std::string TestData(const std::string& name) {
  return kHostRoot + TAVORIA_TEST_DATA + "/" + name;
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

struct TavdbTest : ::testing::Test {
  platform::memory::MemoryPlatform m;
  calendar::Moment now{{2026, 12, 8}, 12 * 3600};  // the moment "now" for the commands
  std::string zoneInfo = SystemZoneInfo();         // the time zone rules --zone reads

  std::string Path(const std::string& name) const { return m.PathOf(name); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    m.WriteFile(name, bytes);
    return Path(name);
  }

  Outcome Tavdb(const Lines& args) {
    std::ostringstream out, err;
    Outcome run;
    run.status = tavdb::RunTavdb(args, m.files, now, zoneInfo, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // What the saver's loader makes of the file on a day, from its start.
  database::LoadedDatabase Saver(const std::string& path, calendar::Date date,
                                 calendar::DateOrder order = calendar::DateOrder::DayMonthYear,
                                 int secondsOfDay = 0) {
    return database::Load(platform::ReadFile(m.files, platform::SystemName(path)),
                          {date, secondsOfDay}, {order, 2049});
  }
};

}  // namespace tavdb_test
