#include "saver/data/fixtures.h"

#include "platform/platform.h"

namespace tavoria {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
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
  homeTeam = Trimmed(matchLine.substr(0, at - 1));
  awayTeam = Trimmed(matchLine.substr(at + 3));
}

std::string FindSpecialText(GeneralCode&, const std::string&) {
  return "";
}
std::string DayNameOf(GeneralCode&, const std::string&) {
  return "";
}
void ProcessFixtureRecord(GeneralCode&, const FixtureRecord&, FixtureFlags&) {}
void AddOutOfDateNotices(GeneralCode&, const FixtureFlags&) {}

}  // namespace tavoria
