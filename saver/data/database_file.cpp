#include "saver/data/database_file.h"

#include "platform/text.h"

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

void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam) {
  homeTeam.clear();
  awayTeam.clear();
  const auto at = matchLine.find("vs");
  if (at == std::string::npos) return;
  if (at == 0 || at + 2 == matchLine.size())
    throw platform::Failure(platform::codes::kInvalidCall, "Invalid procedure call or argument");
  // One character either side of "vs" (normally a space) is not part of the names.
  const std::string_view line = matchLine;
  homeTeam = text::Trim(line.substr(0, at - 1), " ");
  awayTeam = text::Trim(line.substr(at + 3), " ");
}

void WalkDatabase(platform::TextReader& file, const DatabaseSections& sections) {
  for (int n = 1; n <= 5; ++n) file.ReadLine();  // devname, two free lines, number, free line
  const std::string formatVersion = file.ReadLine();
  if (sections.formatVersion) sections.formatVersion(formatVersion);
  file.ReadLine();

  int specials = 0;
  for (std::string line = file.ReadLine(); line != kEndSpecialFixtures; line = file.ReadLine()) {
    SpecialFixture special;
    special.text = file.ReadLine();
    SplitTeams(line, special.homeTeam, special.awayTeam);
    if (specials == kSpecialCapacity) ListIsFull();
    ++specials;
    if (sections.specialFixture) sections.specialFixture(special);
  }

  file.ReadLine();
  for (std::string line = file.ReadLine(); line != kEndFixtures; line = file.ReadLine()) {
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
  WalkLines(file, kEndTrivia, kTriviaCapacity, sections.triviaLine);
  file.ReadLine();
  WalkLines(file, kEndAds, kAdvertCapacity, sections.advertLine);
}

void CheckDatabaseComplete(platform::Files& files, const std::string& path) {
  platform::TextReader file(files, path);
  WalkDatabase(file, {});
}

}  // namespace tavoria
