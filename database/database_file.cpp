#include "database/database_file.h"

#include "util/text.h"

namespace database {

namespace {

// The walk's reads and checks: a fault ends the walk unless the sections take it.
class Walk {
 public:
  Walk(util::TextReader& file, const DatabaseSections& sections)
      : file_(file), sections_(sections) {}

  std::string ReadLine() {
    if (!sections_.fault) return file_.ReadLine();
    try {
      return file_.ReadLine();
    } catch (const util::LineTooLong& failure) {
      sections_.fault(failure);
      return {};
    }
  }

  void Fault(const util::Failure& failure) {
    if (!sections_.fault) throw failure;
    sections_.fault(failure);
  }

  // A list that holds `count` entries takes one more, or is full.
  void Room(int count, int capacity) {
    // Past a fault the count runs on beyond the capacity: the fault is told once.
    if (count == capacity)
      Fault(util::Failure(util::codes::kSubscriptOutOfRange, "Subscript out of range"));
  }

  void Enters(DatabaseSection section) {
    if (sections_.enters) sections_.enters(section);
  }

  // Reads one terminated section of one line per entry; the terminator is handed over as its last.
  void Lines(const char* terminator, int capacity,
             const std::function<void(const std::string&)>& handle) {
    int count = 0;
    for (std::string line; line != terminator;) {
      line = ReadLine();
      Room(count, capacity);
      ++count;
      if (handle) handle(line);
    }
  }

 private:
  util::TextReader& file_;
  const DatabaseSections& sections_;
};

}  // namespace

void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam) {
  homeTeam.clear();
  awayTeam.clear();
  const auto at = matchLine.find("vs");
  if (at == std::string::npos) return;
  if (at == 0 || at + 2 == matchLine.size())
    throw util::Failure(util::codes::kInvalidCall, "Invalid procedure call or argument");
  // One character either side of "vs" (normally a space) is not part of the names.
  const std::string_view line = matchLine;
  homeTeam = text::Trim(line.substr(0, at - 1), " ");
  awayTeam = text::Trim(line.substr(at + 3), " ");
}

void WalkDatabase(util::TextReader& file, const DatabaseSections& sections) {
  Walk walk(file, sections);
  walk.Enters(DatabaseSection::Header);
  for (int n = 1; n <= 5; ++n) walk.ReadLine();  // devname, two free lines, number, free line
  const std::string formatVersion = walk.ReadLine();
  if (sections.formatVersion) sections.formatVersion(formatVersion);

  walk.Enters(DatabaseSection::SpecialFixtures);
  walk.ReadLine();  // line 7, the section's heading
  int specials = 0;
  for (std::string line = walk.ReadLine(); line != kEndSpecialFixtures; line = walk.ReadLine()) {
    SpecialFixture special;
    special.text = walk.ReadLine();
    try {
      SplitTeams(line, special.homeTeam, special.awayTeam);
    } catch (const util::Failure& failure) {
      walk.Fault(failure);
      continue;
    }
    walk.Room(specials, kSpecialCapacity);
    ++specials;
    if (sections.specialFixture) sections.specialFixture(special);
  }

  walk.Enters(DatabaseSection::Fixtures);
  walk.ReadLine();  // the section's heading
  for (std::string line = walk.ReadLine(); line != kEndFixtures; line = walk.ReadLine()) {
    FixtureRecord record;
    record.dateLine = std::move(line);
    record.captionLine = walk.ReadLine();
    record.matchLine = walk.ReadLine();
    record.kickOffLine = walk.ReadLine();
    record.fifthLine = walk.ReadLine();
    if (sections.fixture) sections.fixture(record);
  }
  if (sections.fixturesEnd) sections.fixturesEnd();

  walk.Enters(DatabaseSection::Trivia);
  walk.ReadLine();
  walk.Lines(kEndTrivia, kTriviaCapacity, sections.triviaLine);
  walk.Enters(DatabaseSection::Adverts);
  walk.ReadLine();
  walk.Lines(kEndAds, kAdvertCapacity, sections.advertLine);
}

void CheckDatabaseComplete(std::string_view bytes) {
  util::TextReader file(bytes);
  WalkDatabase(file, {});
}

}  // namespace database
