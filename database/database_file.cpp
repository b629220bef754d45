#include "database/database_file.h"

#include "util/text.h"

namespace database {

bool IsNewerFormat(std::string_view line6) {
  return line6 > std::string_view(kFormatVersion);
}

const char* TerminatorOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
    case DatabaseSection::SpecialFixtures:
      return kEndSpecialFixtures;
    case DatabaseSection::Fixtures:
      return kEndFixtures;
    case DatabaseSection::Trivia:
      return kEndTrivia;
    case DatabaseSection::Adverts:
      return kEndAds;
  }
  return kEndAds;
}

int CapacityOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
      return 0;
    case DatabaseSection::SpecialFixtures:
      return kSpecialCapacity;
    case DatabaseSection::Fixtures:
      return kFixtureCapacity;
    case DatabaseSection::Trivia:
      return kTriviaCapacity;
    case DatabaseSection::Adverts:
      return kAdvertCapacity;
  }
  return 0;
}

DatabaseHeader HeaderOf(HeaderLines lines) {
  return {std::move(lines[0]), std::move(lines[1]), std::move(lines[2]),
          std::move(lines[3]), std::move(lines[4]), std::move(lines[5])};
}

HeaderLines LinesOf(const DatabaseHeader& header) {
  return {header.devname, header.title, header.publisher,
          header.number,  header.about, header.formatVersion};
}

FixtureRecord RecordOf(RecordLines lines) {
  return {std::move(lines[0]), std::move(lines[1]), std::move(lines[2]), std::move(lines[3]),
          std::move(lines[4])};
}

RecordLines LinesOf(const FixtureRecord& record) {
  return {record.dateLine, record.captionLine, record.matchLine, record.kickOffLine,
          record.fifthLine};
}

std::string MatchLine(const std::string& homeTeam, const std::string& awayTeam) {
  return homeTeam + " vs " + awayTeam;
}

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

bool VsOpens(std::string_view matchLine) {
  return matchLine.substr(0, 2) == "vs";
}

}  // namespace database
