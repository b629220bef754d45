#include "saver/data/database.h"

#include "saver/identity.h"

namespace tavoria {

namespace {

[[noreturn]] void ListIsFull() {
  throw platform::Failure(platform::codes::kSubscriptOutOfRange, "Subscript out of range");
}

// Reads one terminated section of one line per entry; the terminator is handed over as its last.
void WalkLines(platform::TextReader& file, const char* terminator, int capacity,
               const std::function<void(const std::string&)>& handle) {
  int count = 0;
  for (std::string line; line != terminator;) {
    line = file.ReadLine();
    if (count == capacity) ListIsFull();
    ++count;
    if (handle) handle(line);
  }
}

}  // namespace

void WalkDatabase(platform::TextReader& file, const DatabaseSections& sections) {
  for (int n = 1; n <= 5; ++n) file.ReadLine();  // devname, two free lines, number, free line
  const std::string formatVersion = file.ReadLine();
  if (sections.formatVersion) sections.formatVersion(formatVersion);
  file.ReadLine();

  int specials = 0;
  for (std::string line = file.ReadLine(); line != "End special fixtures"; line = file.ReadLine()) {
    SpecialFixture special;
    special.text = file.ReadLine();
    SplitTeams(line, special.homeTeam, special.awayTeam);
    if (specials == kSpecialCapacity) ListIsFull();
    ++specials;
    if (sections.specialFixture) sections.specialFixture(special);
  }

  file.ReadLine();
  for (std::string line = file.ReadLine(); line != "End Fixtures"; line = file.ReadLine()) {
    FixtureRecord record;
    record.dateLine = std::move(line);
    record.captionLine = file.ReadLine();
    record.matchLine = file.ReadLine();
    record.kickOffLine = file.ReadLine();
    record.fifthLine = file.ReadLine();
    if (sections.fixture) sections.fixture(record);
  }
  if (sections.fixturesEnd) sections.fixturesEnd();

  file.ReadLine();
  WalkLines(file, "End Trivia", kTriviaCapacity, sections.triviaLine);
  file.ReadLine();
  WalkLines(file, "End Ads", kAdvertCapacity, sections.advertLine);
}

void CheckDatabaseComplete(platform::Files& files, const std::string& path) {
  platform::TextReader file(files, path);
  WalkDatabase(file, {});
}

void LoadDatabase(GeneralCode&) {}
std::int16_t GetDatabaseNumber(GeneralCode&) {
  return -1;
}
void AddBuiltInAdverts(GeneralCode&) {}
platform::MessageBoxRequest GeneralErrorReport(const platform::Failure& failure) {
  return {"", failure.description(), platform::Icon::Information, platform::Buttons::Ok};
}

}  // namespace tavoria
