#include "saver/data/fixture_text.h"

#include <array>

#include "platform/text.h"
#include "saver/data/dates.h"

namespace tavoria {

FixtureText ComposeFixture(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                           const FixtureClock& clock) {
  FixtureText shown;
  const platform::Date date = ParseDate(record.dateLine, clock.order, clock.twoDigitYearMax);
  if (date < clock.today) {
    shown.past = true;  // the kick-off line of a past record is never read
    return shown;
  }
  shown.kickOff = ParseTimeOfDay(record.kickOffLine);
  // A fixture of today whose kick-off has been reached is shown without the marker, not as past.
  shown.dueToday = date == clock.today && clock.secondsOfDay < shown.kickOff;
  shown.text = FindSpecialText(specials, record.matchLine);
  shown.text += record.captionLine;
  shown.text += " - ";
  shown.text += DayNameOf(record.dateLine, clock);
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

std::string DayNameOf(const std::string& dateText, const FixtureClock& clock) {
  static constexpr std::array<const char*, 7> kDayNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return kDayNames[WeekdayOf(ParseDate(dateText, clock.order, clock.twoDigitYearMax)) - 1];
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

}  // namespace tavoria
