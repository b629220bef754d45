// tavdb check on any file, day and regional order: it never crashes, and its verdict is the
// loader's. No error exactly when the saver's LoadDatabase loads with no report and no message in
// place of the content; otherwise its first error is the failure the loader stops on.
// The input: one byte for the regional order and the kind of file, two for the day (from 1 January
// 2026), one for the hour, then the file: its bytes as they are, or (to reach deep into the
// sections quickly) one byte a piece of database from a set of lines and records, good and bad,
// each repeated up to 99 times.
#include <string>
#include <string_view>

#include "database/loader.h"
#include "tavdb/check.h"
#include "tests/fuzz/fuzz_input.h"
#include "util/calendar.h"

namespace {

using fuzz::Require;

// Pieces of databases: each byte picks one (its low five bits) and how often it comes (its high
// three).
const char* const kPieces[32] = {
    "2",
    "3",
    "10",
    "Section heading",
    "End special fixtures",
    "End Fixtures",
    "End Trivia",
    "End Ads",
    "End Fixtures ",
    "Tavoria vs Norway\r\nThe Fjord Derby",
    "vs Norway\r\nA bad special",
    "Norway vs Tavoria\r\nThe other way round",
    "26 March 2027\r\nFriendly\r\nTavoria vs Norway\r\n19:45\r\nGround",
    "1 January 2026\r\nFriendly\r\nvs Norway\r\nsoon\r\nGround",
    "05/06/2027\r\nQualifier\r\nScotland vs Tavoria\r\n7pm\r\nGround",
    "13/06/2027\r\nQualifier\r\nTavoria vs\r\n20:00\r\nGround",
    "31/02/2027\r\nFriendly\r\nTavoria vs Chile\r\n19:45\r\nGround",
    "2026-12-24\r\nCup\r\nChile vs Tavoria\r\n25:00\r\nGround",
    "11 Jun 26\r\nCup\r\nTavoria vs Norway\r\n12:00 PM\r\nGround",
    "26 March 2027",
    "Tavoria vs Norway",
    "19:45",
    "",
    "A fact",
    "An advert",
    ("Cura\xE7"
     "ao\tand \x81"),
    "Tavoria vs Norway\nLF only",
    "2027-01-02\r\nFriendly\r\nTavoria vs Brazil\r\n15:00\r\nGround",
    "2027-01-01\r\nFriendly\r\nTavoria vs Brazil\r\n15:00\r\nGround",
    "LONG",
    "1/2/03",
    "vs",
};
constexpr int kRepeats[8] = {1, 1, 1, 2, 9, 10, 98, 99};

std::string Pieced(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kLargest = 256 * 1024;  // a few over-long lines, or hundreds of records
  std::string file = "tavoria\r\nTavoria\r\nFenmoor\r\n17\r\nfree\r\n";
  for (std::size_t i = 0; i < size; ++i) {
    const char* piece = kPieces[data[i] & 31];
    const std::string line = std::string(piece) == "LONG" ? std::string(70000, 'x') : piece;
    for (int n = 0; n < kRepeats[data[i] >> 5]; ++n) {
      if (file.size() + line.size() > kLargest) return file;
      file += line + "\r\n";
    }
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  tavdb::CheckOptions options;
  options.regional.dateOrder = static_cast<calendar::DateOrder>(data[0] % 3);
  options.moment = {calendar::AddDays({2026, 1, 1}, (data[1] << 8 | data[2]) % 1500),
                    data[3] % 24 * 3600};
  const std::string file =
      data[0] & 0x80 ? Pieced(data + 4, size - 4) : std::string(fuzz::Bytes(data + 4, size - 4));

  const tavdb::Diagnostics found = tavdb::CheckDatabase(file, options);
  const database::LoadedDatabase saver = database::Load(file, options.moment, options.regional);

  const tavdb::Diagnostic* first = nullptr;
  for (const auto& d : found) {
    Require(d.line >= 1);
    if (d.severity == tavdb::Severity::Error && !first) first = &d;
  }
  if (!first) {
    Require(!saver.error);
  } else {
    Require(saver.error && saver.error->line == first->line);
    if (first->tooNew)
      Require(saver.error->tooNew);
    else
      Require(saver.error->code == first->code);
  }
  return 0;
}
