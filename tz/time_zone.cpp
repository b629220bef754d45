#include "tz/time_zone.h"

#include <algorithm>
#include <cstdint>

#include "util/text.h"

namespace tz {

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::sys_seconds;
using std::chrono::year;

// Local time stays within a day and two hours of UT.
constexpr seconds kWidestOffset = hours{26};
constexpr sys_seconds kEarliest = sys_days{year{-9999} / std::chrono::January / 1};
constexpr sys_seconds kLatest = sys_days{year{10000} / std::chrono::January / 1} - seconds{1};

[[noreturn]] void Fail(const std::string& reason) {
  throw ZoneFileError(reason);
}

void RequireSupported(sys_seconds instant) {
  if (instant < kEarliest || instant > kLatest)
    throw std::out_of_range("the time lies outside the years -9999 to 9999");
}

bool IsLetterOrDigit(char c) {
  return text::IsLetter(c) || text::IsDigit(c);
}

// The bytes' printable ASCII characters, others as '?'.
std::string Printable(std::string_view bytes) {
  std::string shown(bytes);
  for (char& c : shown)
    if (c < 0x20 || c > 0x7E) c = '?';
  return shown;
}

// ---- The file's binary parts.

std::string_view Take(std::string_view& rest, std::uint64_t count, const std::string& what) {
  if (count > rest.size())
    Fail("truncated: " + what + " needs " + std::to_string(count) + " bytes, " +
         std::to_string(rest.size()) + " are left");
  const std::string_view taken = rest.substr(0, count);
  rest.remove_prefix(count);
  return taken;
}

std::uint64_t BigEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (const char c : bytes) value = value << 8 | static_cast<unsigned char>(c);
  return value;
}

std::int64_t SignedBigEndian(std::string_view bytes) {
  const std::uint64_t value = BigEndian(bytes);
  if (bytes.size() == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return static_cast<std::int64_t>(value);
}

struct Header {
  char version = 0;
  std::uint64_t isUtCount = 0, isStdCount = 0, leapCount = 0, timeCount = 0, typeCount = 0,
                charCount = 0;

  std::uint64_t DataSize(std::uint64_t timeSize) const {
    return timeCount * (timeSize + 1) + typeCount * 6 + charCount + leapCount * (timeSize + 4) +
           isStdCount + isUtCount;
  }
};

Header ReadHeader(std::string_view& rest) {
  if (!rest.starts_with("TZif")) Fail("not a TZif file: it does not begin with \"TZif\"");
  const std::string_view bytes = Take(rest, 44, "the header");
  const auto count = [&](int n) { return BigEndian(bytes.substr(20 + 4 * n, 4)); };
  const Header header{bytes[4], count(0), count(1), count(2), count(3), count(4), count(5)};
  if (header.version != '\0' && (header.version < '2' || header.version > '4'))
    Fail("unknown TZif version (byte " +
         std::to_string(static_cast<unsigned char>(header.version)) + ")");
  return header;
}

// One data block's local time types and transitions, checked against each other.
void ReadData(std::string_view& rest, const Header& header, std::uint64_t timeSize,
              std::vector<Transition>& transitions, std::vector<LocalTimeType>& types) {
  std::string_view data = Take(rest, header.DataSize(timeSize), "the data block");
  if (header.typeCount == 0) Fail("the zone has no local time types");
  if ((header.isStdCount != 0 && header.isStdCount != header.typeCount) ||
      (header.isUtCount != 0 && header.isUtCount != header.typeCount))
    Fail("the indicators do not match the local time types in number");
  if (header.leapCount != 0) Fail("the zone counts leap seconds (a \"right/\" zone file)");
  const std::string_view times = Take(data, header.timeCount * timeSize, "times");
  const std::string_view typeNumbers = Take(data, header.timeCount, "type numbers");
  const std::string_view typeEntries = Take(data, header.typeCount * 6, "types");
  const std::string_view abbreviations = Take(data, header.charCount, "abbreviations");

  for (std::size_t n = 0; n < header.typeCount; ++n) {
    const std::string_view entry = typeEntries.substr(n * 6, 6);
    const std::string number = "local time type " + std::to_string(n);
    const std::int64_t offset = SignedBigEndian(entry.substr(0, 4));
    if (offset <= -kWidestOffset.count() || offset >= kWidestOffset.count())
      Fail(number + " is " + std::to_string(offset) + " seconds from UT, 26 hours or more");
    const auto isDst = static_cast<unsigned char>(entry[4]);
    if (isDst > 1) Fail(number + " has a daylight-saving flag of " + std::to_string(isDst));
    const auto start = static_cast<unsigned char>(entry[5]);
    const std::size_t end = abbreviations.find('\0', start);
    if (start >= abbreviations.size() || end == std::string_view::npos)
      Fail(number + "'s abbreviation lies outside the abbreviations");
    types.push_back(
        {seconds{offset}, isDst == 1, std::string(abbreviations.substr(start, end - start))});
  }
  for (std::size_t n = 0; n < header.timeCount; ++n) {
    const sys_seconds at{seconds{SignedBigEndian(times.substr(n * timeSize, timeSize))}};
    const auto type = static_cast<unsigned char>(typeNumbers[n]);
    if (type >= types.size())
      Fail("transition " + std::to_string(n) + " names local time type " + std::to_string(type) +
           " of " + std::to_string(types.size()));
    if (!transitions.empty() && at <= transitions.back().at)
      Fail("transition " + std::to_string(n) + " is not later than the one before it");
    transitions.push_back({at, type});
  }
}

// ---- The footer: a POSIX TZ string, with hours from -167 to 167 in the rule's times.

class FooterParser {
 public:
  explicit FooterParser(std::string_view footer) : footer_(footer), rest_(footer) {}

  FooterRule Parse() {
    FooterRule rule;
    rule.standard.abbreviation = Abbreviation();
    rule.standard.utOffset = -Clock(24);
    if (!rest_.empty()) {
      FooterRule::Daylight daylight;
      daylight.type = {rule.standard.utOffset + hours{1}, true, Abbreviation()};
      if (!rest_.empty() && rest_[0] != ',') daylight.type.utOffset = -Clock(24);
      if (!Skip(',')) Bad("daylight saving time has no rule");
      daylight.start = Day();
      if (!Skip(',')) Bad("daylight saving time has no end");
      daylight.end = Day();
      rule.daylight = daylight;
    }
    if (!rest_.empty()) Bad("unexpected \"" + Printable(rest_) + "\"");
    return rule;
  }

 private:
  [[noreturn]] void Bad(const std::string& what) const {
    Fail("bad footer \"" + Printable(footer_) + "\": " + what);
  }

  bool Skip(char c) {
    if (!rest_.starts_with(c)) return false;
    rest_.remove_prefix(1);
    return true;
  }

  // "CET", or "<-03>" with digits and signs.
  std::string Abbreviation() {
    std::string_view name;
    if (Skip('<')) {
      const std::size_t close = rest_.find('>');
      if (close == std::string_view::npos) Bad("'<' without '>'");
      name = rest_.substr(0, close);
      rest_.remove_prefix(close + 1);
      if (!std::all_of(name.begin(), name.end(),
                       [](char c) { return IsLetterOrDigit(c) || c == '+' || c == '-'; }))
        Bad("an abbreviation holds other than letters, digits and signs");
    } else {
      const auto letters = std::find_if_not(rest_.begin(), rest_.end(), text::IsLetter);
      name = rest_.substr(0, static_cast<std::size_t>(letters - rest_.begin()));
      rest_.remove_prefix(name.size());
    }
    if (name.size() < 3) Bad("an abbreviation of fewer than three characters");
    return std::string(name);
  }

  int Number(int maxDigits, int least, int most, const std::string& what) {
    int digits = 0;
    int value = 0;
    for (; digits < maxDigits && digits < static_cast<int>(rest_.size()) &&
           text::IsDigit(rest_[digits]);
         ++digits)
      value = value * 10 + (rest_[digits] - '0');
    if (digits == 0 || value < least || value > most)
      Bad("expected " + what + " from " + std::to_string(least) + " to " + std::to_string(most));
    rest_.remove_prefix(static_cast<std::size_t>(digits));
    return value;
  }

  // [+-]hh[:mm[:ss]], the hours up to `mostHours`.
  seconds Clock(int mostHours) {
    const bool negative = Skip('-');
    if (!negative) Skip('+');
    seconds value = hours{Number(mostHours > 99 ? 3 : 2, 0, mostHours, "hours")};
    if (Skip(':')) {
      value += minutes{Number(2, 0, 59, "minutes")};
      if (Skip(':')) value += seconds{Number(2, 0, 59, "seconds")};
    }
    return negative ? -value : value;
  }

  // "Jn", "n" or "Mm.w.d", then "/time".
  RuleDay Day() {
    RuleDay day;
    if (Skip('J')) {
      day.form = RuleDay::Form::JulianNoLeapDay;
      day.day = Number(3, 1, 365, "a day");
    } else if (Skip('M')) {
      day.month = Number(2, 1, 12, "a month");
      if (!Skip('.')) Bad("expected '.' after the month");
      day.week = Number(1, 1, 5, "a week");
      if (!Skip('.')) Bad("expected '.' after the week");
      day.day = Number(1, 0, 6, "a weekday");
    } else {
      day.form = RuleDay::Form::ZeroBasedDay;
      day.day = Number(3, 0, 365, "a day");
    }
    if (Skip('/')) day.time = Clock(167);
    return day;
  }

  std::string_view footer_;
  std::string_view rest_;
};

std::optional<FooterRule> ReadFooter(std::string_view& rest) {
  if (rest.empty()) Fail("truncated: the footer is missing");
  if (!rest.starts_with('\n')) Fail("the footer does not begin with a newline");
  const std::size_t end = rest.find('\n', 1);
  if (end == std::string_view::npos) Fail("the footer does not end with a newline");
  const std::string_view footer = rest.substr(1, end - 1);
  rest.remove_prefix(end + 1);
  if (footer.empty()) return std::nullopt;
  return FooterParser(footer).Parse();
}

// ---- The footer's rule on the calendar.

int YearOf(sys_seconds instant) {
  return static_cast<int>(std::chrono::year_month_day{std::chrono::floor<days>(instant)}.year());
}

local_days DayIn(const RuleDay& day, year y) {
  const local_days newYear{y / std::chrono::January / 1};
  switch (day.form) {
    case RuleDay::Form::JulianNoLeapDay:  // February 29 is not counted
      return newYear + days{day.day - 1 + (y.is_leap() && day.day >= 60 ? 1 : 0)};
    case RuleDay::Form::ZeroBasedDay:
      return newYear + days{day.day};
    case RuleDay::Form::MonthWeekDay:
      break;
  }
  const std::chrono::month month{static_cast<unsigned>(day.month)};
  const std::chrono::weekday weekday{static_cast<unsigned>(day.day)};
  if (day.week == 5) return local_days{y / month / weekday[std::chrono::last]};
  return local_days{y / month / weekday[static_cast<unsigned>(day.week)]};
}

// When the clocks change on `day` of `y`, read on the clocks before the change.
sys_seconds ChangeInstant(const RuleDay& day, int y, seconds offsetBefore) {
  const local_seconds local = DayIn(day, year{y}) + day.time;
  return sys_seconds{local.time_since_epoch() - offsetBefore};
}

}  // namespace

TimeZone TimeZone::FromTzif(std::string_view bytes) {
  std::string_view rest = bytes;
  const Header first = ReadHeader(rest);
  TimeZone zone;
  if (first.version == '\0') {
    ReadData(rest, first, 4, zone.transitions_, zone.types_);
  } else {
    Take(rest, first.DataSize(4), "the version 1 data block");
    const Header second = ReadHeader(rest);
    if (second.version != first.version) Fail("the two headers give different versions");
    ReadData(rest, second, 8, zone.transitions_, zone.types_);
    zone.rule_ = ReadFooter(rest);
  }
  if (!rest.empty()) Fail("bytes after the end of the zone's data");
  return zone;
}

std::vector<TimeZone::Change> TimeZone::TransitionsBetween(sys_seconds from, sys_seconds to) const {
  auto next = std::upper_bound(transitions_.begin(), transitions_.end(), from,
                               [](sys_seconds t, const Transition& x) { return t < x.at; });
  // Before the first transition the zone keeps to its first type.
  std::vector<Change> changes{{from, &types_[next == transitions_.begin() ? 0 : (next - 1)->type]}};
  for (; next != transitions_.end() && next->at <= to; ++next)
    changes.push_back({next->at, &types_[next->type]});
  return changes;
}

std::vector<TimeZone::Change> TimeZone::RuleChangesBetween(sys_seconds from, sys_seconds to) const {
  if (!rule_->daylight) return {{from, &rule_->standard}};
  const FooterRule::Daylight& daylight = *rule_->daylight;
  std::vector<Change> changes;
  // A change moves at most 167 hours and a day from its day: those of two years back are past.
  for (int y = YearOf(from) - 2; y <= YearOf(to) + 1; ++y) {
    changes.push_back({ChangeInstant(daylight.start, y, rule_->standard.utOffset), &daylight.type});
    changes.push_back({ChangeInstant(daylight.end, y, daylight.type.utOffset), &rule_->standard});
  }
  // On a tie the later year's change holds: daylight saving time all year ends on 31 December at
  // the instant it starts again.
  std::stable_sort(changes.begin(), changes.end(),
                   [](const Change& a, const Change& b) { return a.at < b.at; });
  auto next = std::upper_bound(changes.begin(), changes.end(), from,
                               [](sys_seconds t, const Change& c) { return t < c.at; });
  std::vector<Change> between{{from, (next - 1)->type}};
  for (; next != changes.end() && next->at <= to; ++next) between.push_back(*next);
  return between;
}

std::vector<TimeZone::Change> TimeZone::ChangesBetween(sys_seconds from, sys_seconds to) const {
  if (!rule_) return TransitionsBetween(from, to);
  const sys_seconds ruleStart = transitions_.empty() ? sys_seconds::min() : transitions_.back().at;
  if (from >= ruleStart) return RuleChangesBetween(from, to);
  std::vector<Change> changes = TransitionsBetween(from, std::min(to, ruleStart - seconds{1}));
  if (to >= ruleStart) {
    const std::vector<Change> ruled = RuleChangesBetween(ruleStart, to);
    changes.insert(changes.end(), ruled.begin(), ruled.end());
  }
  return changes;
}

const LocalTimeType& TimeZone::TypeAt(sys_seconds instant) const {
  RequireSupported(instant);
  return *ChangesBetween(instant, instant).front().type;
}

local_seconds TimeZone::ToLocal(sys_seconds instant) const {
  return local_seconds{(instant + OffsetAt(instant)).time_since_epoch()};
}

UtcInstant TimeZone::ToUtc(local_seconds local) const {
  const sys_seconds asUtc{local.time_since_epoch()};
  RequireSupported(asUtc);
  const std::vector<Change> changes = ChangesBetween(asUtc - kWidestOffset, asUtc + kWidestOffset);
  UtcInstant found{LocalTimeKind::Skipped, std::nullopt};
  for (std::size_t n = 0; n < changes.size(); ++n) {
    const sys_seconds candidate = asUtc - changes[n].type->utOffset;
    if (candidate < changes[n].at || (n + 1 < changes.size() && candidate >= changes[n + 1].at))
      continue;
    if (found.instant) return {LocalTimeKind::Repeated, found.instant};
    found = {LocalTimeKind::Unique, candidate};
  }
  return found;
}

std::optional<std::string> ZoneFilePath(std::string_view name) {
  for (const std::string_view component : text::Split(name, '/')) {
    const std::string upper = text::UpperCase(component);
    const bool isDevice =
        upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" ||
        (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         text::IsDigit(upper[3]));
    if (component.empty() || isDevice ||
        !std::all_of(component.begin(), component.end(),
                     [](char c) { return IsLetterOrDigit(c) || c == '_' || c == '-' || c == '+'; }))
      return std::nullopt;
  }
  return std::string(name);
}

std::optional<std::string> TzdataVersion(std::string_view tzdataZi) {
  constexpr std::string_view kPrefix = "# version ";
  std::string_view line = tzdataZi.substr(0, tzdataZi.find('\n'));
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (!line.starts_with(kPrefix)) return std::nullopt;
  line.remove_prefix(kPrefix.size());
  if (line.empty() || !std::all_of(line.begin(), line.end(), [](char c) {
        return IsLetterOrDigit(c) || c == '-' || c == '.';
      }))
    return std::nullopt;
  return std::string(line);
}

}  // namespace tz
