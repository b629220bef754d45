// tavdb build on any input list: it never crashes, and whatever it accepts is a database that
// checks clean in every regional order, with no fixture past, and that the saver's loader loads
// with no report and no message in place of its content.
// The input: one byte choosing which list the rest is (fixtures as CSV or JSON, special fixtures,
// facts or adverts, the others kept small and valid), then that list's text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/memory/memory_platform.h"
#include "tavdb/build.h"
#include "tavdb/check.h"
#include "tavdb/saver_run.h"

namespace {

platform::memory::MemoryPlatform& Platform() {
  static platform::memory::MemoryPlatform m;
  return m;
}

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
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

  auto& m = Platform();
  m.WriteFile("built.sdf", built.database);
  const std::string path = m.PathOf("built.sdf");
  for (auto order : {platform::DateOrder::DayMonthYear, platform::DateOrder::MonthDayYear,
                     platform::DateOrder::YearMonthDay}) {
    tavdb::CheckOptions check;
    check.clock.date = built.firstDate.value_or(platform::Date{2026, 1, 1});
    check.clock.dateOrder = order;
    for (const auto& d : tavdb::CheckDatabase(m.files, path, check))
      Require(d.severity == tavdb::Severity::Warning);
    Require(tavdb::RunSaverLoader(m.files, path, check.clock).Clean());
  }
  return 0;
}
