// tavdb build on any input list: it never crashes, and whatever it accepts is a database that
// checks clean in every regional order, with no fixture past, and that the saver's loader loads
// with no report and no message in place of its content.
// The input: one byte choosing which list the rest is (fixtures as CSV or JSON, special fixtures,
// facts or adverts, the others kept small and valid), then that list's text.
#include <string>

#include "database/loader.h"
#include "tavdb/build.h"
#include "tavdb/check.h"
#include "tests/fuzz/fuzz_input.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string text(fuzz::Bytes(data + 1, size - 1));
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

  const tavdb::BuildResult built = tavdb::BuildDatabase(options);
  Require(built.database.empty() == (tavdb::ErrorCount(built.diagnostics) > 0));
  if (built.database.empty()) return 0;

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
