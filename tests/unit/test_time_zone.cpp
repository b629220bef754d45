// Time zones from the system's zone files: kick-offs shown in other zones, the clock changes'
// gaps and overlaps, the footer's rule past the last transition, bad files and zone names.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tz/time_zone.h"

namespace {

using namespace std::chrono;
using tz::LocalTimeKind;
using tz::TimeZone;

std::string ZoneInfo(const std::string& name) {
#ifdef _WIN32
  std::ifstream file("Z:/usr/share/zoneinfo/" + name, std::ios::binary);  // under Wine
#else
  std::ifstream file("/usr/share/zoneinfo/" + name, std::ios::binary);
#endif
  EXPECT_TRUE(file) << name << " is missing (Debian's tzdata package installs it)";
  return {std::istreambuf_iterator<char>(file), {}};
}

TimeZone Zone(const std::string& name) {
  return TimeZone::FromTzif(ZoneInfo(tz::ZoneFilePath(name).value()));
}

// "2026-06-13 21:00" since 1970 (on a clock that never changes).
seconds Clock(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  EXPECT_EQ(std::sscanf(text.c_str(), "%d-%d-%d %d:%d", &y, &mo, &d, &h, &mi), 5) << text;
  return sys_days{year{y} / mo / d}.time_since_epoch() + hours{h} + minutes{mi};
}

TEST(TimeZone, KickOffsShowInTheFansZone) {
  const struct {
    const char *from, *local, *to, *shown, *abbreviation;
  } cases[] = {
      {"Etc/GMT+4", "2026-06-13 21:00", "Europe/London", "2026-06-14 02:00", "BST"},
      {"Etc/GMT+7", "2026-06-12 20:00", "Europe/Berlin", "2026-06-13 05:00", "CEST"},
      {"Europe/Berlin", "2024-06-14 21:00", "America/New_York", "2024-06-14 15:00", "EDT"},
      {"Europe/Berlin", "2026-06-15 01:00", "America/Los_Angeles", "2026-06-14 16:00", "PDT"},
      {"UTC", "2026-03-29 01:00", "Europe/London", "2026-03-29 02:00", "BST"},
      {"UTC", "2026-10-25 01:00", "Europe/Berlin", "2026-10-25 02:00", "CET"},
      {"UTC", "2026-03-08 07:00", "America/New_York", "2026-03-08 03:00", "EDT"},
      {"UTC", "2026-04-04 16:00", "Australia/Sydney", "2026-04-05 02:00", "AEST"},
      // Past the files' last transitions (2037), where their footers rule.
      {"UTC", "2090-03-26 01:00", "Europe/London", "2090-03-26 02:00", "BST"},
      {"UTC", "2090-10-29 01:00", "Europe/Berlin", "2090-10-29 02:00", "CET"},
      {"UTC", "2090-11-05 06:00", "America/New_York", "2090-11-05 01:00", "EST"},
      {"UTC", "2090-04-01 16:00", "Australia/Sydney", "2090-04-02 02:00", "AEST"},
      {"UTC", "2090-01-15 12:00", "Europe/Dublin", "2090-01-15 12:00", "GMT"},
      {"UTC", "2090-07-15 12:00", "America/Argentina/Buenos_Aires", "2090-07-15 09:00", "-03"},
      {"UTC", "2090-03-26 01:00", "America/Nuuk", "2090-03-26 00:00", "-01"},    // at -1:00
      {"UTC", "2090-03-24 00:00", "Asia/Jerusalem", "2090-03-24 03:00", "IDT"},  // at 26:00
  };
  for (const auto& c : cases) {
    const auto kickOff = Zone(c.from).ToUtc(local_seconds{Clock(c.local)});
    ASSERT_EQ(kickOff.kind, LocalTimeKind::Unique) << c.from << " " << c.local;
    const TimeZone fans = Zone(c.to);
    EXPECT_EQ(fans.ToLocal(*kickOff.instant).time_since_epoch().count(), Clock(c.shown).count())
        << c.to << " " << c.local;
    EXPECT_EQ(fans.TypeAt(*kickOff.instant).abbreviation, c.abbreviation) << c.to << " " << c.local;
  }
  // Ireland's winter time is its daylight saving time, behind its standard time.
  EXPECT_TRUE(Zone("Europe/Dublin").TypeAt(sys_seconds{Clock("2090-01-15 12:00")}).isDst);
  EXPECT_THROW(Zone("UTC").ToLocal(sys_days{year{10000} / 1 / 1}), std::out_of_range);
}

TEST(TimeZone, LocalTimesInTheClockChangesAreSkippedOrRepeated) {
  constexpr auto kOnce = LocalTimeKind::Unique, kNever = LocalTimeKind::Skipped,
                 kTwice = LocalTimeKind::Repeated;
  const struct {
    const char *zone, *local, *utc;  // the first instant
    LocalTimeKind kind;
  } cases[] = {
      {"Europe/Berlin", "2026-03-29 02:00", "", kNever},
      {"Europe/Berlin", "2026-03-29 03:00", "2026-03-29 01:00", kOnce},
      {"Europe/Berlin", "2026-10-25 02:00", "2026-10-25 00:00", kTwice},
      {"Europe/Berlin", "2026-10-25 03:00", "2026-10-25 02:00", kOnce},
      {"America/New_York", "2026-03-08 02:30", "", kNever},
      {"America/New_York", "2026-11-01 01:30", "2026-11-01 05:30", kTwice},
      {"Australia/Sydney", "2026-04-05 02:30", "2026-04-04 15:30", kTwice},
      {"Australia/Sydney", "2026-10-04 02:30", "", kNever},
      {"Europe/Dublin", "2090-03-26 01:30", "", kNever},
      {"Europe/Dublin", "2090-10-29 01:30", "2090-10-29 00:30", kTwice},
      {"America/Nuuk", "2090-03-25 23:30", "", kNever},
      {"America/Nuuk", "2090-10-28 23:30", "2090-10-29 00:30", kTwice},
  };
  for (const auto& c : cases) {
    const auto found = Zone(c.zone).ToUtc(local_seconds{Clock(c.local)});
    EXPECT_EQ(found.kind, c.kind) << c.zone << " " << c.local;
    const auto first = *c.utc ? std::optional{sys_seconds{Clock(c.utc)}} : std::nullopt;
    EXPECT_EQ(found.instant, first) << c.zone << " " << c.local;
  }
}

std::string BigEndian(std::int64_t value, int size) {
  std::string bytes;
  for (int n = size - 1; n >= 0; --n) bytes += static_cast<char>(value >> (8 * n));
  return bytes;
}

// A zone file with transitions at 00:00 and 01:00 UT on 1 January 1970 into "+01" (an hour east,
// daylight saving time) and back to "UTC", and the footer's rule after them.
std::string Tzif(char version, const std::string& footer) {
  const int timeSize = version == '\0' ? 4 : 8;
  const auto header = [&](int times, int types, int chars) {
    return "TZif" + std::string(1, version) + std::string(27, '\0') + BigEndian(times, 4) +
           BigEndian(types, 4) + BigEndian(chars, 4);
  };
  const std::string block = header(2, 2, 8) + BigEndian(0, timeSize) + BigEndian(3600, timeSize) +
                            "\x01" + std::string(7, '\0') + BigEndian(3600, 4) + "\x01\x04" +
                            std::string("UTC\0+01\0", 8);
  return version == '\0' ? block : header(0, 0, 0) + block + "\n" + footer + "\n";
}

TEST(TimeZone, FootersInEveryFormRuleAfterTheLastTransition) {
  const struct {
    char version;
    const char *footer, *utc, *local;
  } cases[] = {
      {'\0', "", "1969-12-31 23:00", "1969-12-31 23:00"},
      {'\0', "", "1970-01-01 00:30", "1970-01-01 01:30"},
      {'\0', "", "2090-07-01 12:00", "2090-07-01 12:00"},
      {'2', "", "2090-07-01 12:00", "2090-07-01 12:00"},
      {'2', "<+0530>-5:30", "2090-07-01 12:00", "2090-07-01 17:30"},
      {'2', "AAA0BBB,J60/0,J300/0", "2028-02-29 23:59", "2028-02-29 23:59"},  // 1 March
      {'2', "AAA0BBB,J60/0,J300/0", "2028-03-01 00:00", "2028-03-01 01:00"},
      {'3', "AAA0BBB,59/0,300/0", "2028-02-29 00:00", "2028-02-29 01:00"},   // 29 February
      {'4', "EST5EDT,0/0,J365/25", "2091-01-01 05:00", "2091-01-01 01:00"},  // all year
  };
  for (const auto& c : cases) {
    const TimeZone zone = TimeZone::FromTzif(Tzif(c.version, c.footer));
    EXPECT_EQ(zone.ToLocal(sys_seconds{Clock(c.utc)}).time_since_epoch().count(),
              Clock(c.local).count())
        << c.footer << " " << c.utc;
  }
}

std::string Put(std::string bytes, std::size_t at, const std::string& part) {
  return bytes.replace(at, part.size(), part);
}

TEST(TimeZone, BadFilesAreRejectedWithTheirFault) {
  const std::string good = Tzif('2', "UTC0");
  const struct {
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"", "not a TZif file"},
      {good.substr(0, 30), "truncated: the header needs 44 bytes, 30 are left"},
      {Put(good, 4, "5"), "unknown TZif version (byte 53)"},
      {Put(good, 76, "\xff\xff\xff\xff"), "truncated: the data block needs 38654705675 bytes"},
      {Put(good, 83, std::string(1, '\0')), "no local time types"},
      {Put(good, 75, "\x01").insert(126, 12, '\0'), "leap seconds"},
      {Put(good, 67, "\x01"), "the indicators do not match the local time types in number"},
      {Put(good, 105, "\x02"), "transition 1 names local time type 2 of 2"},
      {Put(good, 102, std::string(2, '\0')), "transition 1 is not later than the one before it"},
      {Put(good, 112, "\x7f"), "local time type 1 is 2130710032 seconds from UT"},
      {Put(good, 116, "\x02"), "local time type 1 has a daylight-saving flag of 2"},
      {Put(good, 117, "\x08"), "local time type 1's abbreviation lies outside"},
      {good.substr(0, good.size() - 1), "the footer does not end with a newline"},
      {good + "x", "bytes after the end of the zone's data"},
      {Tzif('2', "UTC"), "bad footer \"UTC\": expected hours from 0 to 24"},
      {Tzif('2', "AB0"), "an abbreviation of fewer than three characters"},
      {Tzif('2', "<-0\x01>3"), "bad footer \"<-0?>3\": an abbreviation holds other"},
      {Tzif('2', "EST5EDT"), "daylight saving time has no rule"},
      {Tzif('2', "EST5EDT,M3.2.0/168,M11.1.0"), "expected hours from 0 to 167"},
      {Tzif('2', "EST5EDT,M3.2.0,M11.1.0x"), "unexpected \"x\""},
  };
  for (const auto& c : cases) {
    try {
      TimeZone::FromTzif(c.bytes);
      ADD_FAILURE() << "accepted: " << c.reason;
    } catch (const tz::ZoneFileError& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

TEST(TimeZone, ZoneNamesAreSafePathsAndTzdataNamesItsVersion) {
  for (const char* name : {"Europe/London", "America/Argentina/Buenos_Aires", "Etc/GMT+5",
                           "Etc/GMT-14", "UTC", "America/Port-au-Prince"})
    EXPECT_EQ(tz::ZoneFilePath(name), name);
  for (const std::string& name : std::initializer_list<std::string>{
           "", "/etc/passwd", "../etc/passwd", "Europe/../../etc", "Europe/./London",
           "Europe//London", "Europe/London/", "Europe\\London", "C:London", "Europe/Lon don",
           "NUL", "Etc/com1", std::string("UTC\0x", 5)})
    EXPECT_EQ(tz::ZoneFilePath(name), std::nullopt) << name;

  EXPECT_EQ(tz::TzdataVersion("# version 2025b\n# ddeps backzone\n"), "2025b");
  EXPECT_EQ(tz::TzdataVersion("# version 2025b\r\n"), "2025b");
  for (const char* text :
       {"", "# version \n", "version 2025b\n", "# version 2025b; x\n", "\n# version 2025b\n"})
    EXPECT_EQ(tz::TzdataVersion(text), std::nullopt) << text;
  EXPECT_TRUE(tz::TzdataVersion(ZoneInfo("tzdata.zi")).has_value());
}

}  // namespace
