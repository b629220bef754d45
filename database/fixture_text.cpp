#include "database/fixture_text.h"

#include <array>

#include "database/dates.h"
#include "util/text.h"

namespace database {

namespace {

const char* DayName(const calendar::Date& date) {
  static constexpr std::array<const char*, 7> kDayNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return kDayNames[static_cast<std::size_t>(calendar::WeekdayOf(date) - 1)];
}

}  // namespace

Composition Compose(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                    const Computer& computer) {
  const calendar::Moment& now = computer.now;
  Composition composed;
  try {
    composed.date = ParseDate(record.dateLine, computer.regional);
  } catch (const util::Failure& failure) {
    composed.faults.push_back({RecordLine::Date, failure});
    return composed;
  }
  composed.pastByItsLines = *composed.date < now.date;
  // On the computer's own clock, when the record carries its instant and the clock shows it.
  const std::optional<calendar::Moment> local = record.kickOffInstant && computer.localMomentOf
                                                    ? computer.localMomentOf(*record.kickOffInstant)
                                                    : std::nullopt;
  const calendar::Date date = local ? local->date : *composed.date;
  FixtureText shown;
  if (composed.pastByItsLines) {
    // The kick-off and match lines of a record past by its date line are never read.
    if (!local || date < now.date) {
      shown.past = true;
      composed.shown = std::move(shown);
      return composed;
    }
  } else {
    try {
      shown.kickOff = ParseTimeOfDay(record.kickOffLine);
    } catch (const util::Failure& failure) {
      composed.faults.push_back({RecordLine::KickOff, failure});
    }
  }
  std::string specialText;
  try {
    specialText = FindSpecialText(specials, record.matchLine);
  } catch (const util::Failure& failure) {
    // Unread by the saver where the record is past by its date line: no special text there.
    if (!composed.pastByItsLines) composed.faults.push_back({RecordLine::Match, failure});
  }
  if (!composed.faults.empty()) return composed;
  if (local && date < now.date) {
    shown.past = true;
    composed.shown = std::move(shown);
    return composed;
  }

  if (local) shown.kickOff = local->secondsOfDay;
  // A fixture of today whose kick-off has been reached is shown without the marker, not as past.
  shown.dueToday = date == now.date && now.secondsOfDay < shown.kickOff;
  shown.text = std::move(specialText);
  shown.text += record.captionLine;
  shown.text += " - ";
  shown.text += DayName(date);
  shown.text += ", ";
  shown.text += local ? calendar::EnglishDate(date) : record.dateLine;
  shown.text += text::kCrLf;
  shown.text += record.matchLine;
  shown.text += " - K/O: ";
  shown.text += local ? calendar::ClockText(shown.kickOff) : record.kickOffLine;
  if (shown.dueToday) shown.text += kTodayMarker;
  composed.shown = std::move(shown);
  return composed;
}

FixtureText ComposeFixture(const FixtureRecord& record, const std::vector<SpecialFixture>& specials,
                           const calendar::Moment& now,
                           const calendar::RegionalSettings& regional) {
  Composition composed = Compose(record, specials, {now, regional});
  if (!composed.faults.empty()) throw composed.faults.front().failure;
  return std::move(*composed.shown);
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
  return DayName(ParseDate(dateText, regional));
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
