#include "saver/data/fixtures.h"

#include <array>

#include "platform/platform.h"
#include "saver/data/dates.h"
#include "saver/identity.h"

namespace tavoria {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void StoreFixture(GeneralCode& g, std::string text) {
  if (g.fixtureCount == kFixtureCapacity)
    throw platform::Failure(platform::codes::kSubscriptOutOfRange, "Subscript out of range");
  g.fixtures.push_back(std::move(text));
  ++g.fixtureCount;
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

std::string FindSpecialText(GeneralCode& g, const std::string& matchLine) {
  std::string homeTeam, awayTeam;
  SplitTeams(matchLine, homeTeam, awayTeam);
  std::string result;
  for (int n = 1; n <= g.specialCount; ++n) {
    const SpecialFixture& special = g.specialFixtures[n - 1];
    if ((homeTeam == special.homeTeam && awayTeam == special.awayTeam) ||
        (awayTeam == special.homeTeam && homeTeam == special.awayTeam))
      result = special.text + CRLF;
  }
  return result;
}

std::string DayNameOf(GeneralCode& g, const std::string& dateText) {
  static constexpr std::array<const char*, 7> kDayNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return kDayNames[WeekdayOf(ParseDate(dateText, g.sys.clock.RegionalDateOrder())) - 1];
}

void ProcessFixtureRecord(GeneralCode& g, const FixtureRecord& record, FixtureFlags& flags) {
  const platform::Date date = ParseDate(record.dateLine, g.sys.clock.RegionalDateOrder());
  const platform::Date today = g.sys.clock.Today();
  if (date < today) {
    flags.pastSeen = true;
    return;
  }
  const int now = g.sys.clock.SecondsOfDay();
  const int kickOff = ParseTimeOfDay(record.kickOffLine);
  const bool dueToday = date == today && now < kickOff;
  flags.currentStored = true;
  std::string text = FindSpecialText(g, record.matchLine);
  text += record.captionLine;
  text += " - ";
  text += DayNameOf(g, record.dateLine);
  text += ", ";
  text += record.dateLine;
  text += CRLF;
  text += record.matchLine;
  text += " - K/O: ";
  text += record.kickOffLine;
  if (dueToday) text += " **TODAY!**";
  StoreFixture(g, std::move(text));
}

void AddOutOfDateNotices(GeneralCode& g, const FixtureFlags& flags) {
  if (!flags.pastSeen) return;
  if (flags.currentStored) {
    const std::string notice = std::string("Some of your fixtures are out of date. Please ") +
                               "upgrade using the screensaver control panel.";
    StoreFixture(g, notice);
    StoreFixture(g, notice);
  } else {
    StoreFixture(g, std::string("All your fixtures are out of date. Please ") +
                        "upgrade using the screensaver control panel.");
  }
}

}  // namespace tavoria
