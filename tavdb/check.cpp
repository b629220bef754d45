#include "tavdb/check.h"

#include <algorithm>
#include <cstdio>

#include "database/dates.h"
#include "database/fixture_text.h"
#include "database/installed_name.h"
#include "database/loader.h"
#include "database/walk.h"
#include "tavdb/encoding.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace tavdb {

namespace {

using calendar::Date;
using calendar::DateOrder;
using database::DatabaseSection;
using database::Problem;
using util::Failure;

// One line of the file as the loader's reader splits it.
struct RawLine {
  std::string_view text;  // without its line end
  bool bareLineFeed = false;
};

std::vector<RawLine> SplitRaw(std::string_view bytes) {
  std::vector<RawLine> lines;
  for (std::size_t from = 0; from < bytes.size();) {
    const auto end = bytes.find('\n', from);
    RawLine line;
    line.text = bytes.substr(from, end == std::string_view::npos ? end : end - from);
    const bool carriageReturn = !line.text.empty() && line.text.back() == '\r';
    if (carriageReturn) line.text.remove_suffix(1);
    line.bareLineFeed = end != std::string_view::npos && !carriageReturn;
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    from = end + 1;
  }
  return lines;
}

// What is wrong where the saver stops, and what the saver then does.
// A fixture the saver leaves out.
std::string PastMessage(const database::FixtureRecord& record, const CheckOptions& options) {
  return "the fixture " + database::Quoted(record.matchLine, Visible) + " on " +
         database::Quoted(record.dateLine, Visible) + " is past on " +
         calendar::IsoDate(options.moment.date) +
         ": the saver leaves it out and asks users to upgrade";
}

std::string ListFullMessage(const database::Stop& stop, const CheckOptions& options) {
  const int capacity = database::CapacityOf(stop.section);
  switch (stop.section) {
    case DatabaseSection::SpecialFixtures:
      return "an " + text::Ordinal(capacity + 1) + " special fixture: the list holds " +
             std::to_string(capacity);
    case DatabaseSection::Fixtures:
      return "the " + text::Ordinal(capacity + 1) + " fixture to come on " +
             calendar::IsoDate(options.moment.date) + " (" + database::Quoted(stop.text, Visible) +
             "): the fixture list holds " + std::to_string(capacity) + " fixtures to come";
    default: {
      const bool trivia = stop.section == DatabaseSection::Trivia;
      return std::string("the ") + (trivia ? "trivia" : "advert") + " section runs past " +
             std::to_string(capacity) + " lines, \"" + database::TerminatorOf(stop.section) +
             "\" counted (" + std::to_string(capacity - 1) + " " + (trivia ? "facts" : "adverts") +
             " at most)";
    }
  }
}

std::string StopMessage(const database::Stop& stop, const CheckOptions& options) {
  const std::string outcome = ": " + SaverOutcome(stop.code, stop.problem == Problem::TooNew);
  switch (stop.problem) {
    case Problem::TooNew:
      return "format version " + database::Quoted(stop.text, Visible) +
             " is newer than this screensaver's \"" + database::kFormatVersion + "\"" + outcome;
    case Problem::EndsEarly:
      return std::string("the file ends before \"") + database::TerminatorOf(stop.section) + "\"" +
             outcome;
    case Problem::LineTooLong:
      return "the line is longer than " + std::to_string(util::TextReader::kLongestLine) +
             " bytes" + outcome;
    case Problem::VsAtStart:
    case Problem::VsAtEnd:
      return std::string("\"vs\" stands at the ") +
             (stop.problem == Problem::VsAtStart ? "start" : "end") + " of " +
             (stop.section == DatabaseSection::SpecialFixtures ? "the special fixture's"
                                                               : "the fixture's") +
             " match line " + database::Quoted(stop.text, Visible) + outcome;
    case Problem::NotADate:
      return database::Quoted(stop.text, Visible) + " is no date in " +
             OrderName(options.regional.dateOrder) + " order (nor with a month's name)" + outcome;
    case Problem::NotATimeOfDay:
      return "kick-off " + database::Quoted(stop.text, Visible) +
             " is no time of day (H:MM or H:MM:SS, or with AM or PM)" + outcome;
    case Problem::ListFull:
      return ListFullMessage(stop, options) + outcome;
    case Problem::OutOfMemory:
      break;
  }
  return SaverOutcome(stop.code, false);
}

// What each line's bytes show users, read in the encoding the database declares: line ends,
// characters, terminators written with blanks.
void CheckLines(const std::vector<RawLine>& raw, int lastLine,
                std::optional<codepage::Encoding> declared, Diagnostics& out) {
  const codepage::Encoding encoding = declared.value_or(kUndeclaredText);
  const std::string encodingName = codepage::NameOf(encoding);
  int bareLineFeeds = 0, firstBare = 0;
  bool beyondAscii = false;
  for (int n = 1; n <= lastLine && n <= static_cast<int>(raw.size()); ++n) {
    const RawLine& line = raw[static_cast<std::size_t>(n - 1)];
    const std::string text = codepage::ToUtf8(line.text, encoding);
    if (line.bareLineFeed && bareLineFeeds++ == 0) firstBare = n;
    beyondAscii = beyondAscii || text.size() != line.text.size();
    if (const auto bad = FirstUnprintable(line.text, encoding)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", bad->byte);
      out.push_back({.severity = Severity::Warning,
                     .line = n,
                     .message = std::string("byte ") + hex + " at column " +
                                std::to_string(bad->column) + " is no printable " + encodingName +
                                " character: users see a box, a gap or nothing there"});
    }
    if (encoding != codepage::Encoding::Utf8 && LooksLikeUtf8(line.text))
      out.push_back(
          {.severity = Severity::Warning,
           .line = n,
           .message = "the line looks like UTF-8: users see " + database::Quoted(text, Visible) +
                      "; a database in UTF-8 says so at the end of line 5, [text UTF-8]"});
    const std::string_view trimmed = text::Trim(text);
    for (const char* terminator : {database::kEndSpecialFixtures, database::kEndFixtures,
                                   database::kEndTrivia, database::kEndAds}) {
      if (trimmed == terminator && text != terminator)
        out.push_back({.severity = Severity::Warning,
                       .line = n,
                       .message = database::Quoted(text, Visible) + " has blanks around \"" +
                                  terminator + "\": to the saver it is not the section's end"});
    }
  }
  if (!declared && beyondAscii && raw.size() >= 5)
    out.push_back({.severity = Severity::Warning,
                   .line = 5,
                   .message =
                       "the database does not say how its text is written, so each user's "
                       "Windows reads it in its own code page: users whose code page is not "
                       "Windows-1252 see other letters; end line 5 with [text Windows-1252]"});
  if (bareLineFeeds > 0)
    out.push_back({.severity = Severity::Warning,
                   .line = firstBare,
                   .message = "the line ends in a line feed alone, without a carriage return" +
                              (bareLineFeeds > 1
                                   ? " (so do " + std::to_string(bareLineFeeds - 1) + " more lines)"
                                   : std::string()) +
                              ": the saver reads it, but a database's lines end in CR LF"});
}

std::string Reading(const std::string& dateLine, DateOrder order, int yearMax) {
  try {
    return calendar::EnglishDate(database::ParseDate(dateLine, {order, yearMax}));
  } catch (const Failure&) {
    return "no date";
  }
}

// Dates that users with other regional settings, or another two-digit-year setting, read as
// another day.
void CheckDateReadings(const std::vector<database::FixtureRead>& records,
                       const calendar::RegionalSettings& regional, Diagnostics& out) {
  for (const database::FixtureRead& r : records) {
    if (!r.composition.date) continue;
    const std::string dateLine = r.record.dateLine;
    const std::string here = calendar::EnglishDate(*r.composition.date);
    std::vector<std::string> others;
    for (DateOrder order : kOrders) {
      if (order == regional.dateOrder) continue;
      const std::string there = Reading(dateLine, order, regional.twoDigitYearMax);
      if (there != here)
        others.push_back((there == "no date" ? "as no date" : "as " + there) + " in " +
                         OrderName(order) + " order");
    }
    if (!others.empty()) {
      std::string message = database::Quoted(dateLine, Visible) + " reads as " + here + " in " +
                            OrderName(regional.dateOrder) + " order, but";
      for (std::size_t i = 0; i < others.size(); ++i)
        message += (i == 0 ? " " : " and ") + others[i];
      message +=
          ": users with other regional settings see another day or an error report; "
          "write \"" +
          here + "\"";
      out.push_back({.severity = Severity::Warning, .line = r.line, .message = message});
    }
    // A two-digit year is placed by the user's two-digit-year setting: it reads alike with every
    // setting only when the year is written in full.
    if (Reading(dateLine, regional.dateOrder, regional.twoDigitYearMax + 99) != here)
      out.push_back({.severity = Severity::Warning,
                     .line = r.line,
                     .message = database::Quoted(dateLine, Visible) +
                                " has a two-digit year: read as " + here +
                                " with Windows' usual setting, as another century with others; "
                                "write the year in full"});
  }
}

bool Matches(const database::SpecialFixture& special, const std::string& matchLine) {
  try {
    return !database::FindSpecialText({special}, matchLine).empty();
  } catch (const Failure&) {
    return false;
  }
}

bool SamePair(const database::SpecialFixture& a, const database::SpecialFixture& b) {
  return (a.homeTeam == b.homeTeam && a.awayTeam == b.awayTeam) ||
         (a.homeTeam == b.awayTeam && a.awayTeam == b.homeTeam);
}

// Special fixtures whose text is never shown.
void CheckSpecials(const std::vector<database::SpecialRead>& specials,
                   const std::vector<database::FixtureRead>& records, Diagnostics& out) {
  for (std::size_t i = 0; i < specials.size(); ++i) {
    const database::SpecialRead& s = specials[i];
    const auto later = std::find_if(
        specials.begin() + static_cast<std::ptrdiff_t>(i) + 1, specials.end(),
        [&](const database::SpecialRead& other) { return SamePair(s.fixture, other.fixture); });
    if (later != specials.end()) {
      out.push_back({.severity = Severity::Warning,
                     .line = s.line,
                     .message = "the special fixture " + database::Quoted(s.matchLine, Visible) +
                                " is never shown: the one on line " + std::to_string(later->line) +
                                " for the same teams wins"});
      continue;
    }
    const bool used = std::any_of(
        records.begin(), records.end(),
        [&](const database::FixtureRead& r) { return Matches(s.fixture, r.record.matchLine); });
    if (!used)
      out.push_back({.severity = Severity::Warning,
                     .line = s.line,
                     .message = "the special fixture " + database::Quoted(s.matchLine, Visible) +
                                " matches no fixture: its text " +
                                database::Quoted(s.fixture.text, Visible) +
                                " is never shown (names match exactly, letter case included)"});
  }
}

// The database number on line 4, as the saver's upgrade check reads it.
void CheckNumber(std::string_view bytes, const std::vector<RawLine>& raw,
                 const CheckOptions& options, Diagnostics& out) {
  for (int n = 1; n <= 3 && n <= static_cast<int>(raw.size()); ++n)
    if (raw[static_cast<std::size_t>(n - 1)].text.find(',') != std::string_view::npos)
      out.push_back({.severity = Severity::Warning,
                     .line = n,
                     .message = "a comma: the saver reads the database number as the fourth "
                                "comma- or line-separated field, so this line moves it away "
                                "from line 4"});
  const auto number = database::DatabaseNumber(bytes);
  if (!number) {
    out.push_back({.severity = Severity::Warning,
                   .line = 4,
                   .message = "the saver reads no database number here (a whole number from 0 "
                              "to 32767): the upgrade check sends db=-1"});
    return;
  }
  if (*number < 0)
    out.push_back(
        {.severity = Severity::Warning,
         .line = 4,
         .message = "database number " + std::to_string(*number) +
                    " is negative: the upgrade check sends db=" + std::to_string(*number) +
                    " as it stands; database numbers run from 0 to 32767"});
  if (options.previousNumber && *number <= *options.previousNumber)
    out.push_back({.severity = Severity::Warning,
                   .line = 4,
                   .message = "database number " + std::to_string(*number) +
                              " is not higher than " + std::to_string(*options.previousNumber) +
                              " of " + options.previousName +
                              ": the upgrade check would not offer this database"});
}

// The first line as Kelvane reads it, to name the file it installs the upgrade as.
void CheckName(const std::vector<RawLine>& raw, Diagnostics& out) {
  const std::string_view bytes = raw.front().text;
  std::string problem;
  if (const auto why = database::WhyNotAPlainName(bytes)) {
    problem = "the first line is not a plain name: " + *why;
  } else {
    const auto declared = raw.size() >= 5 ? database::DeclaredEncoding(raw[4].text) : std::nullopt;
    const std::string name = declared ? codepage::ToUtf8(bytes, *declared) : UndeclaredText(bytes);
    if (database::InstalledName(name)) return;
    problem = "the first line " + database::Quoted(name, Visible) +
              " names no file in the Windows directory (NAME.sdf)";
  }
  out.push_back({.severity = Severity::Warning,
                 .line = 1,
                 .message = problem + ": Kelvane refuses it as an upgrade"});
}

void CheckAfterEnd(const std::vector<RawLine>& raw, int lastLine, Diagnostics& out) {
  for (int n = lastLine + 1; n <= static_cast<int>(raw.size()); ++n) {
    if (text::Trim(raw[static_cast<std::size_t>(n - 1)].text).empty()) continue;
    out.push_back({.severity = Severity::Warning,
                   .line = n,
                   .message = "the saver reads nothing after \"" + std::string(database::kEndAds) +
                              "\" on line " + std::to_string(lastLine) +
                              ": this and what follows is never shown"});
    return;
  }
}

// Kick-offs whose instant is another day or time, on the clock of the zone the fixtures' heading
// names, than their date and kick-off lines say.
void CheckInstants(const std::vector<database::FixtureRead>& records,
                   const std::optional<std::pair<int, std::string>>& heading,
                   const CheckOptions& options, Diagnostics& out) {
  const auto withInstant = std::find_if(records.begin(), records.end(), [](const auto& r) {
    return r.record.kickOffInstant.has_value();
  });
  if (withInstant == records.end() || !heading || !options.zoneRules) return;
  const auto zoneName = database::KickOffZoneOf(heading->second);
  if (!zoneName || !tz::ZoneFilePath(*zoneName)) return;  // each on its ground's clock
  std::optional<tz::TimeZone> zone;
  try {
    zone = options.zoneRules(*zoneName);
  } catch (const ZoneInfoError& e) {
    out.push_back({.severity = Severity::Warning,
                   .line = heading->first,
                   .message = "the kick-offs' instants cannot be checked against their lines: " +
                              std::string(e.what())});
    return;
  }
  for (const database::FixtureRead& r : records) {
    if (!r.record.kickOffInstant || !r.composition.date) continue;
    std::optional<int> kickOff;
    try {
      kickOff = database::ParseTimeOfDay(r.record.kickOffLine);
    } catch (const Failure&) {
      continue;  // told already, or never read
    }
    const calendar::Moment there = calendar::MomentOf(zone->ToLocal(*r.record.kickOffInstant));
    if (there.date == *r.composition.date && there.secondsOfDay / 60 == *kickOff / 60) continue;
    out.push_back({.severity = Severity::Warning,
                   .line = r.line + static_cast<int>(database::RecordLine::Fifth),
                   .message = "the kick-off's instant " +
                              calendar::UtcMinuteText(*r.record.kickOffInstant) + " is " +
                              calendar::EnglishDate(there.date) + " at " +
                              calendar::ClockText(there.secondsOfDay) + " in " + *zoneName +
                              ", but its lines say " + calendar::EnglishDate(*r.composition.date) +
                              " at " + calendar::ClockText(*kickOff) +
                              ": fans whose saver reads the instant see another day or time"});
  }
}

}  // namespace

Diagnostics CheckDatabase(std::string_view whole, const CheckOptions& options) {
  // The saver reads no further, and Kelvane refuses a larger file whole.
  const std::string_view bytes = whole.substr(0, database::kLongestDatabase);
  // The saver's walk, told every stop: the errors, and the past fixtures' warnings among them.
  Diagnostics walked(kShownPerFile);
  std::vector<database::SpecialRead> specials;
  std::vector<database::FixtureRead> records;
  std::optional<std::pair<int, std::string>> fixturesHeading;
  const database::WalkEnd walk = database::WalkDatabase(
      bytes, {
                 .computer = {options.moment, options.regional, {}, UndeclaredText},
                 .stop =
                     [&](const database::Stop& stop) {
                       walked.push_back({.severity = Severity::Error,
                                         .line = stop.line,
                                         .message = StopMessage(stop, options),
                                         .code = stop.code,
                                         .tooNew = stop.problem == Problem::TooNew});
                     },
                 .goOn = true,
                 .heading =
                     [&](database::DatabaseSection section, int line, const std::string& text) {
                       if (section == database::DatabaseSection::Fixtures)
                         fixturesHeading = {line, text};
                     },
                 .specialFixture =
                     [&](const database::SpecialRead& special) { specials.push_back(special); },
                 .fixture =
                     [&](const database::FixtureRead& read) {
                       const auto& shown = read.composition.shown;
                       if (shown && shown->past)
                         walked.push_back({.severity = Severity::Warning,
                                           .line = read.line,
                                           .message = PastMessage(read.record, options)});
                       records.push_back(read);
                     },
             });

  const std::vector<RawLine> raw = SplitRaw(bytes);
  Diagnostics others(kShownPerFile);
  CheckLines(raw, walk.lastLine,
             raw.size() >= 5 ? database::DeclaredEncoding(raw[4].text) : std::nullopt, others);
  CheckDateReadings(records, options.regional, others);
  CheckSpecials(specials, records, others);
  CheckInstants(records, fixturesHeading, options, others);
  if (walk.complete) CheckAfterEnd(raw, walk.lastLine, others);
  if (!raw.empty()) CheckName(raw, others);
  if (raw.size() >= 4) CheckNumber(bytes, raw, options, others);
  std::stable_sort(others.begin(), others.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });

  // The walk's findings keep their order (the first error is the loader's); the others join them
  // by line.
  Diagnostics all(kShownPerFile);
  auto next = others.begin();
  for (const Diagnostic& d : walked) {
    for (; next != others.end() && next->line < d.line; ++next) all.push_back(*next);
    all.push_back(d);
  }
  all.insert(all.end(), next, others.end());
  if (whole.size() > bytes.size())
    all.push_back({.severity = Severity::Error,
                   .message = "the file is larger than a team database can be (at most " +
                              std::to_string(database::kLongestDatabase) +
                              " bytes, 1 MiB): Kelvane refuses it, and the saver reads it only "
                              "that far"});
  all.CountUnkept(others);
  all.CountUnkept(walked);
  return all;
}

const char* OrderName(DateOrder order) {
  switch (order) {
    case DateOrder::DayMonthYear:
      return "day-month-year";
    case DateOrder::MonthDayYear:
      return "month-day-year";
    case DateOrder::YearMonthDay:
      return "year-month-day";
  }
  return "";
}

std::string SaverOutcome(int code, bool tooNew) {
  if (const auto instead = database::TextInsteadOfContent({.code = code, .tooNew = tooNew}))
    return "the saver shows \"" + *instead + "\" instead of its content" +
           (tooNew ? "" : " (code " + std::to_string(code) + ")");
  switch (code) {
    case util::codes::kInvalidCall:
      return "the saver stops loading with its error report, code 5 (Invalid procedure call or "
             "argument)";
    case util::codes::kSubscriptOutOfRange:
      return "the saver stops loading with its error report, code 9 (Subscript out of range)";
    case util::codes::kTypeMismatch:
      return "the saver stops loading with its error report, code 13 (Type mismatch)";
    default:
      return "the saver stops loading with its error report, code " + std::to_string(code);
  }
}

}  // namespace tavdb
