#include "database/fixture_text.h"

#include <array>

#include "database/dates.h"
#include "util/text.h"

namespace database {

FixtureText ComposeFixture(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                           const calendar::Moment& now,
                           const calendar::RegionalSettings& regional) {
  FixtureText shown;
  const calendar::Date date = ParseDate(record.dateLine, regional);
  if (date < now.date) {
    shown.past = true;  // the kick-off line of a past record is never read
    return shown;
  }
  shown.kickOff = ParseTimeOfDay(record.kickOffLine);
  // A fixture of today whose kick-off has been reached is shown without the marker, not as past.
  shown.dueToday = date == now.date && now.secondsOfDay < shown.kickOff;
  shown.text = FindSpecialText(specials, record.matchLine);
  shown.text += record.captionLine;
  shown.text += " - ";
  shown.text += DayNameOf(record.dateLine, regional);
  shown.text += ", ";
  shown.text += record.dateLine;
  shown.text += text::kCrLf;
  shown.text += record.matchLine;
  shown.text += " - K/O: ";
  shown.text += record.kickOffLine;
  if (shown.dueToday) shown.text += kTodayMarker;
  return shown;
}

std::string FindSpecialText(const std::vector<SpecialFixture>& specials,
                            const std::string& matchLine) {
  std::string homeTeam, awayTeam;
  SplitTeams(matchLine, homeTeam, awayTeam);
  std::string result;
  for (const SpecialFixture& special : specials) {
    if ((homeTeam == special.homeTeam && awayTeam == special.awayTeam) ||
        (awayTeam == special.homeTeam && homeTeam == special.awayTeam))
      result = special.text + text::kCrLf;
  }
  return result;
}

std::string DayNameOf(const std::string& dateText, const calendar::RegionalSettings& regional) {
  static constexpr std::array<const char*, 7> kDayNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return kDayNames[static_cast<std::size_t>(calendar::WeekdayOf(ParseDate(dateText, regional)) -
                                            1)];
}

std::vector<std::string> OutOfDateNotices(const FixtureFlags& flags) {
  if (!flags.pastSeen) return {};
  const std::string ending = "upgrade using the screensaver control panel.";
  if (flags.currentStored) {
    const std::string some = "Some of your fixtures are out of date. Please " + ending;
    return {some, some};
  }
  return {"All your fixtures are out of date. Please " + ending};
}

}  // namespace database
