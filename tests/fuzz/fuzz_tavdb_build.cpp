// tavdb build on any input list: it never crashes, and whatever it accepts is a database that
// checks clean in every regional order, with no fixture past, and that the saver's loader loads
// with no report and no message in place of its content.
// The input: one byte choosing which list the rest is (fixtures as CSV or JSON, special fixtures,
// facts or adverts, the others kept small and valid), then that list's text. For a fixture list a
// second byte chooses its options: 1 one team's matches, 2 and 4 what to do without a kick-off
// time, 8 the kick-offs in London time, 16 bare times on New York's clock, 32 a second team.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "database/loader.h"
#include "tavdb/build.h"
#include "tavdb/check.h"
#include "tests/fuzz/fuzz_input.h"

using fuzz::Require;

namespace {

// A zone of the system's rules; none when the system has none.
std::optional<tavdb::NamedZone> SystemZone(const std::string& name) {
  std::ifstream file("/usr/share/zoneinfo/" + name, std::ios::binary);
  if (!file) return std::nullopt;
  return tavdb::NamedZone{
      name, tz::TimeZone::FromTzif(std::string(std::istreambuf_iterator<char>(file), {}))};
}

void FixtureOptions(std::uint8_t choice, tavdb::BuildOptions& options) {
  if (choice & 1) options.teams.push_back("Tavoria");
  if (choice & 32) options.teams.push_back(" norway");
  options.skipWithoutTime = choice & 2;
  if (choice & 4) options.timeWithoutTime = 12 * 3600;
  static const auto london = SystemZone("Europe/London"), newYork = SystemZone("America/New_York");
  if (choice & 8) options.fansZone = london;
  if (choice & 16) options.sourceZone = newYork;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool fixtures = data[0] % 5 < 2;
  if (fixtures && size < 2) return 0;
  const std::size_t skipped = fixtures ? 2 : 1;
  const std::string text(fuzz::Bytes(data + skipped, size - skipped));
  tavdb::BuildOptions options;
  options.number = 18;
  options.fixtures = {"fixtures.csv",
                      "date,time,title,home,away\n2027-03-26,19:45,Friendly,Tavoria,Norway\n"};
  switch (data[0] % 5) {
    case 0:
      options.fixtures = {"fixtures.csv", text};
      break;
    case 1:
      options.fixtures = {"fixtures.json", text};
      break;
    case 2:
      options.specials = tavdb::BuildInput{"specials.csv", text};
      break;
    case 3:
      options.facts = tavdb::BuildInput{"facts.txt", text};
      break;
    default:
      options.adverts = tavdb::BuildInput{"adverts.txt", text};
  }
  if (data[0] & 0x80) options.limit = data[0] & 0x7F;
  if (fixtures) FixtureOptions(data[1], options);

  const tavdb::BuildResult built = tavdb::BuildDatabase(options);
  Require(built.database.empty() ==
          (tavdb::ErrorCount(built.diagnostics) > 0 || built.usageProblem.has_value()));
  if (built.database.empty()) return 0;
  // Kick-offs moved onto a zone's clock say so in the heading of the fixtures.
  Require(!options.fansZone ||
          built.database.find("(kick-off times are Europe/London time)") != std::string::npos);

  for (auto order : {calendar::DateOrder::DayMonthYear, calendar::DateOrder::MonthDayYear,
                     calendar::DateOrder::YearMonthDay}) {
    tavdb::CheckOptions check;
    check.moment = {built.firstDate.value_or(calendar::Date{2026, 1, 1}), 0};
    check.regional.dateOrder = order;
    for (const auto& d : tavdb::CheckDatabase(built.database, check))
      Require(d.severity == tavdb::Severity::Warning);
    Require(!database::Load(built.database, check.moment, check.regional).error);
  }
  return 0;
}
