#include "tavdb/check.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/text.h"
#include "platform/text_reader.h"
#include "saver/data/database_file.h"
#include "saver/data/dates.h"
#include "saver/data/fixture_text.h"
#include "saver/identity.h"
#include "tavdb/calendar.h"
#include "tavdb/encoding.h"
#include "tavdb/saver_run.h"

namespace tavdb {

namespace {

using platform::Date;
using platform::DateOrder;
using platform::Failure;
using tavoria::DatabaseSection;

constexpr DateOrder kOrders[] = {DateOrder::DayMonthYear, DateOrder::MonthDayYear,
                                 DateOrder::YearMonthDay};

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

// A file's text quoted in a message: at most 60 characters, what is not printable escaped.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  if (text.size() > kLongest) return "\"" + Visible(text.substr(0, kLongest)) + "...\"";
  return "\"" + Visible(text) + "\"";
}

const char* TerminatorOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
    case DatabaseSection::SpecialFixtures:
      return tavoria::kEndSpecialFixtures;
    case DatabaseSection::Fixtures:
      return tavoria::kEndFixtures;
    case DatabaseSection::Trivia:
      return tavoria::kEndTrivia;
    case DatabaseSection::Adverts:
      return tavoria::kEndAds;
  }
  return "";
}

std::string ReadWhole(platform::Files& files, const std::string& path) {
  auto file = files.OpenForReading(path);
  std::string bytes;
  char buffer[1 << 14];
  for (std::size_t n; (n = file->Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return bytes;
}

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

struct Special {
  int line;
  std::string matchLine;
  tavoria::SpecialFixture fixture;
};

struct Record {
  int line;  // the date line's
  tavoria::FixtureRecord record;
  std::optional<Date> date;  // as the checked regional order reads it
};

// The loader's walk through the file, told every fault and going on after it where it can.
class Walker {
 public:
  Walker(platform::Files& files, const std::string& path, const CheckOptions& options,
         const std::vector<RawLine>& raw)
      : raw_(raw),
        reader_(files, path),
        now_{options.clock.date, options.clock.secondsOfDay, options.clock.dateOrder,
             options.clock.twoDigitYearMax} {}

  void Run() {
    try {
      tavoria::WalkDatabase(
          reader_, {
                       .formatVersion = [&](const std::string& line6) { FormatVersion(line6); },
                       .specialFixture =
                           [&](const tavoria::SpecialFixture& special) {
                             const int line = reader_.LineNumber() - 1;
                             specials.push_back({line, RawText(line), special});
                             specialList_.push_back(special);
                           },
                       .fixture = [&](const tavoria::FixtureRecord& record) { Fixture(record); },
                       .fixturesEnd = [&] { FixturesEnd(); },
                       .enters = [&](DatabaseSection section) { section_ = section; },
                       .fault = [&](const Failure& failure) { Fault(failure); },
                   });
      complete = true;
    } catch (const Failure& failure) {
      if (failure.code() != platform::codes::kInputPastEnd) throw;
      Error(std::max(reader_.LineNumber(), 1), platform::codes::kInputPastEnd,
            std::string("the file ends before \"") + TerminatorOf(section_) +
                "\": " + SaverOutcome(platform::codes::kInputPastEnd, false));
    }
    lastLine = reader_.LineNumber();
  }

  Diagnostics found;  // in the order the walk met them
  std::vector<Special> specials;
  std::vector<Record> records;
  bool complete = false;  // read to its "End Ads" line
  int lastLine = 0;       // the last line read
  int endFixturesLine = 0;
  bool datesReadable = true;  // every fixture's date line is a date in the checked order

 private:
  void Error(int line, int code, std::string message, bool tooNew = false) {
    if (longLines_.count(line)) return;  // told already: the line is too long to be anything
    found.push_back({.severity = Severity::Error,
                     .line = line,
                     .message = std::move(message),
                     .code = code,
                     .tooNew = tooNew});
  }

  void Warning(int line, std::string message) {
    found.push_back({.severity = Severity::Warning, .line = line, .message = std::move(message)});
  }

  void FormatVersion(const std::string& line6) {
    if (line6 > tavoria::APP_VERSION)
      Error(6, 0,
            "format version " + Quoted(line6) + " is newer than this screensaver's \"" +
                tavoria::APP_VERSION + "\": " + SaverOutcome(0, true),
            true);
  }

  void Fault(const Failure& failure) {
    const int line = reader_.LineNumber();
    if (dynamic_cast<const platform::LineTooLong*>(&failure)) {
      Error(line, failure.code(),
            "the line is longer than " + std::to_string(platform::TextReader::kLongestLine) +
                " bytes: " + SaverOutcome(failure.code(), false));
      longLines_.insert(line);
      return;
    }
    switch (section_) {
      case DatabaseSection::SpecialFixtures:
        // The walk has read the record's text line; the fault is its match line's.
        if (failure.code() == platform::codes::kInvalidCall)
          Error(line - 1, failure.code(), VsMisplaced(RawText(line - 1), "the special fixture's"));
        else
          Error(line - 1, failure.code(),
                "an " + text::Ordinal(tavoria::kSpecialCapacity + 1) +
                    " special fixture: the list holds " +
                    std::to_string(tavoria::kSpecialCapacity) + ": " +
                    SaverOutcome(failure.code(), false));
        return;
      case DatabaseSection::Trivia:
      case DatabaseSection::Adverts: {
        const bool trivia = section_ == DatabaseSection::Trivia;
        const int capacity = trivia ? tavoria::kTriviaCapacity : tavoria::kAdvertCapacity;
        Error(line, failure.code(),
              std::string("the ") + (trivia ? "trivia" : "advert") + " section runs past " +
                  std::to_string(capacity) + " lines, \"" + TerminatorOf(section_) +
                  "\" counted (" + std::to_string(capacity - 1) + " " +
                  (trivia ? "facts" : "adverts") +
                  " at most): " + SaverOutcome(failure.code(), false));
        return;
      }
      default:
        Error(line, failure.code(), SaverOutcome(failure.code(), false));
    }
  }

  static std::string VsMisplaced(const std::string& matchLine, const std::string& whose) {
    const bool atStart = matchLine.rfind("vs", 0) == 0;
    return std::string("\"vs\" stands at the ") + (atStart ? "start" : "end") + " of " + whose +
           " match line " + Quoted(matchLine) + ": " +
           SaverOutcome(platform::codes::kInvalidCall, false);
  }

  void Fixture(const tavoria::FixtureRecord& record) {
    const int line = reader_.LineNumber() - 4;
    Record kept{line, record, std::nullopt};
    try {
      kept.date = tavoria::ParseDate(record.dateLine, now_.order, now_.twoDigitYearMax);
    } catch (const Failure&) {
      datesReadable = false;
    }
    records.push_back(kept);

    tavoria::FixtureText shown;
    try {
      shown = tavoria::ComposeFixture(record, specialList_, now_);
    } catch (const Failure& failure) {
      ComposeFailed(line, record, kept.date.has_value(), failure);
      return;
    }
    if (shown.past) {
      flags_.pastSeen = true;
      Warning(line, "the fixture " + Quoted(record.matchLine) + " on " + Quoted(record.dateLine) +
                        " is past on " + IsoDate(now_.today) +
                        ": the saver leaves it out and asks users to upgrade");
      return;
    }
    Store(line, record);
  }

  // A fixture to come takes the list's next entry.
  void Store(int line, const tavoria::FixtureRecord& record) {
    flags_.currentStored = true;
    if (stored_ == tavoria::kFixtureCapacity)
      Error(line, platform::codes::kSubscriptOutOfRange,
            "the " + text::Ordinal(stored_ + 1) + " fixture to come on " + IsoDate(now_.today) +
                " (" + Quoted(record.matchLine) + "): the fixture list holds " +
                std::to_string(tavoria::kFixtureCapacity) +
                " entries, out-of-date notices included: " +
                SaverOutcome(platform::codes::kSubscriptOutOfRange, false));
    ++stored_;
  }

  // Tells which of the record's lines the composition failed on, as the composition reads them:
  // the date; for a fixture not past, the kick-off, then the match line.
  void ComposeFailed(int line, const tavoria::FixtureRecord& record, bool dateRead,
                     const Failure& failure) {
    const int code = failure.code();
    if (!dateRead) {
      Error(line, code,
            Quoted(record.dateLine) + " is no date in " + OrderName(now_.order) +
                " order (nor with a month's name): " + SaverOutcome(code, false));
      return;
    }
    try {
      tavoria::ParseTimeOfDay(record.kickOffLine);
    } catch (const Failure&) {
      Error(line + 3, code,
            "kick-off " + Quoted(record.kickOffLine) +
                " is no time of day (H:MM or H:MM:SS, or with AM or PM): " +
                SaverOutcome(code, false));
    }
    std::string home, away;
    try {
      tavoria::SplitTeams(record.matchLine, home, away);
    } catch (const Failure& split) {
      Error(line + 2, split.code(), VsMisplaced(record.matchLine, "the fixture's"));
    }
    // Mended, the fixture would take its entry: later faults are counted as the loader would.
    Store(line, record);
  }

  void FixturesEnd() {
    endFixturesLine = reader_.LineNumber();
    const int toCome = stored_;
    const auto notices = tavoria::OutOfDateNotices(flags_);
    for (std::size_t i = 0; i < notices.size(); ++i) {
      if (stored_ == tavoria::kFixtureCapacity)
        Error(endFixturesLine, platform::codes::kSubscriptOutOfRange,
              "on " + IsoDate(now_.today) + " " + std::to_string(toCome) +
                  " fixtures are to come and some are past: with " +
                  (notices.size() == 2 ? "the two out-of-date notices" : "the out-of-date notice") +
                  " that exceeds the fixture list's " + std::to_string(tavoria::kFixtureCapacity) +
                  " entries: " + SaverOutcome(platform::codes::kSubscriptOutOfRange, false));
      ++stored_;
    }
  }

  // The text of a line the walk has read, as the reader gave it.
  std::string RawText(int line) const {
    const auto at = static_cast<std::size_t>(line - 1);
    return line >= 1 && at < raw_.size() ? std::string(raw_[at].text) : std::string();
  }

  const std::vector<RawLine>& raw_;
  platform::TextReader reader_;
  tavoria::FixtureClock now_;
  DatabaseSection section_ = DatabaseSection::Header;
  std::vector<tavoria::SpecialFixture> specialList_;
  tavoria::FixtureFlags flags_;
  int stored_ = 0;  // entries of the fixture list, as the loader counts them
  std::set<int> longLines_;
};

}  // namespace

std::string SaverOutcome(int code, bool tooNew) {
  if (tooNew) return std::string("the saver shows \"") + kTooNewText + "\" instead of its content";
  switch (code) {
    case platform::codes::kInputPastEnd:
      return std::string("the saver shows \"") + kCorruptedText +
             "\" instead of its content (code 62)";
    case platform::codes::kInvalidCall:
      return "the saver stops loading with its error report, code 5 (Invalid procedure call or "
             "argument)";
    case platform::codes::kSubscriptOutOfRange:
      return "the saver stops loading with its error report, code 9 (Subscript out of range)";
    case platform::codes::kTypeMismatch:
      return "the saver stops loading with its error report, code 13 (Type mismatch)";
    default:
      return "the saver stops loading with its error report, code " + std::to_string(code);
  }
}

}  // namespace tavdb

namespace tavdb {

namespace {

// What each line's bytes show users: line ends, characters, terminators written with blanks.
void CheckLines(const std::vector<RawLine>& raw, int lastLine, Diagnostics& out) {
  int bareLineFeeds = 0, firstBare = 0;
  for (int n = 1; n <= lastLine && n <= static_cast<int>(raw.size()); ++n) {
    const RawLine& line = raw[static_cast<std::size_t>(n - 1)];
    if (line.bareLineFeed && bareLineFeeds++ == 0) firstBare = n;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line.text[i]);
      if (!IsPrintable1252(byte)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", byte);
        out.push_back({.severity = Severity::Warning,
                       .line = n,
                       .message = std::string("byte ") + hex + " at column " +
                                  std::to_string(i + 1) +
                                  " is no printable Windows-1252 character: users see a box, "
                                  "a gap or nothing there"});
        break;
      }
    }
    if (LooksLikeUtf8(line.text))
      out.push_back({.severity = Severity::Warning,
                     .line = n,
                     .message = "the line looks like UTF-8: users see " + Quoted(line.text) +
                                "; save the database as Windows-1252"});
    const std::string_view trimmed = text::Trim(line.text);
    for (const char* terminator : {tavoria::kEndSpecialFixtures, tavoria::kEndFixtures,
                                   tavoria::kEndTrivia, tavoria::kEndAds}) {
      if (trimmed == terminator && line.text != terminator)
        out.push_back({.severity = Severity::Warning,
                       .line = n,
                       .message = Quoted(line.text) + " has blanks around \"" + terminator +
                                  "\": to the saver it is not the section's end"});
    }
  }
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
    return EnglishDate(tavoria::ParseDate(dateLine, order, yearMax));
  } catch (const Failure&) {
    return "no date";
  }
}

// Dates that users with other regional settings, or another two-digit-year setting, read as
// another day.
void CheckDateReadings(const std::vector<Record>& records, const platform::FixedClock& clock,
                       Diagnostics& out) {
  for (const Record& r : records) {
    if (!r.date) continue;
    const std::string dateLine = r.record.dateLine;
    const std::string here = EnglishDate(*r.date);
    std::vector<std::string> others;
    for (DateOrder order : kOrders) {
      if (order == clock.dateOrder) continue;
      const std::string there = Reading(dateLine, order, clock.twoDigitYearMax);
      if (there != here)
        others.push_back((there == "no date" ? "as no date" : "as " + there) + " in " +
                         OrderName(order) + " order");
    }
    if (!others.empty()) {
      std::string message = Quoted(dateLine) + " reads as " + here + " in " +
                            OrderName(clock.dateOrder) + " order, but";
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
    if (Reading(dateLine, clock.dateOrder, clock.twoDigitYearMax + 99) != here)
      out.push_back({.severity = Severity::Warning,
                     .line = r.line,
                     .message = Quoted(dateLine) + " has a two-digit year: read as " + here +
                                " with Windows' usual setting, as another century with others; "
                                "write the year in full"});
  }
}

bool Matches(const tavoria::SpecialFixture& special, const std::string& matchLine) {
  try {
    return !tavoria::FindSpecialText({special}, matchLine).empty();
  } catch (const Failure&) {
    return false;
  }
}

bool SamePair(const tavoria::SpecialFixture& a, const tavoria::SpecialFixture& b) {
  return (a.homeTeam == b.homeTeam && a.awayTeam == b.awayTeam) ||
         (a.homeTeam == b.awayTeam && a.awayTeam == b.homeTeam);
}

// Special fixtures whose text is never shown.
void CheckSpecials(const std::vector<Special>& specials, const std::vector<Record>& records,
                   Diagnostics& out) {
  for (std::size_t i = 0; i < specials.size(); ++i) {
    const Special& s = specials[i];
    const auto later =
        std::find_if(specials.begin() + static_cast<std::ptrdiff_t>(i) + 1, specials.end(),
                     [&](const Special& other) { return SamePair(s.fixture, other.fixture); });
    if (later != specials.end()) {
      out.push_back({.severity = Severity::Warning,
                     .line = s.line,
                     .message = "the special fixture " + Quoted(s.matchLine) +
                                " is never shown: the one on line " + std::to_string(later->line) +
                                " for the same teams wins"});
      continue;
    }
    const bool used = std::any_of(records.begin(), records.end(), [&](const Record& r) {
      return Matches(s.fixture, r.record.matchLine);
    });
    if (!used)
      out.push_back({.severity = Severity::Warning,
                     .line = s.line,
                     .message = "the special fixture " + Quoted(s.matchLine) +
                                " matches no fixture: its text " + Quoted(s.fixture.text) +
                                " is never shown (names match exactly, letter case included)"});
  }
}

// The days after the checked one on which some fixtures are past while so many are still to come
// that they and the two out-of-date notices overflow the fixture list.
void CheckFullList(const Walker& walk, const platform::FixedClock& clock, Diagnostics& out) {
  const int total = static_cast<int>(walk.records.size());
  const int mostToCome = tavoria::kFixtureCapacity - 2;  // with the two notices
  if (!walk.datesReadable || total <= mostToCome) return;
  std::vector<Date> dates;
  for (const Record& r : walk.records) dates.push_back(*r.date);
  std::sort(dates.begin(), dates.end());
  // Past fixtures are those dated before the day: from the day after the first fixture's, to the
  // day of the fixture that leaves exactly mostToCome + 1 still to come.
  const Date last = dates[static_cast<std::size_t>(total - mostToCome - 1)];
  Date from = NextDay(dates.front());
  const Date afterChecked = NextDay(clock.date);
  if (from < afterChecked) from = afterChecked;
  if (last < from) return;
  out.push_back(
      {.severity = Severity::Warning,
       .line = walk.endFixturesLine,
       .message = "the fixture list is too full for the out-of-date notices: from " +
                  IsoDate(from) + " to " + IsoDate(last) + " some fixtures are past while " +
                  std::to_string(mostToCome + 1) +
                  " or more are still to come, and with the two notices that exceeds the list's " +
                  std::to_string(tavoria::kFixtureCapacity) + " entries: on those days " +
                  SaverOutcome(platform::codes::kSubscriptOutOfRange, false) + "; at most " +
                  std::to_string(mostToCome) + " fixtures may come after the first fixture's day"});
}

// The database number on line 4, as the saver's upgrade check reads it.
void CheckNumber(platform::Files& files, const std::string& path, const std::vector<RawLine>& raw,
                 const CheckOptions& options, Diagnostics& out) {
  for (int n = 1; n <= 3 && n <= static_cast<int>(raw.size()); ++n)
    if (raw[static_cast<std::size_t>(n - 1)].text.find(',') != std::string_view::npos)
      out.push_back({.severity = Severity::Warning,
                     .line = n,
                     .message = "a comma: the saver reads the database number as the fourth "
                                "comma- or line-separated field, so this line moves it away "
                                "from line 4"});
  const int number = SaverDatabaseNumber(files, path);
  if (number < 0) {
    out.push_back({.severity = Severity::Warning,
                   .line = 4,
                   .message = "the saver reads no database number here (a whole number from 0 "
                              "to 32767): the upgrade check sends db=-1"});
    return;
  }
  if (options.previousNumber && number <= *options.previousNumber)
    out.push_back({.severity = Severity::Warning,
                   .line = 4,
                   .message = "database number " + std::to_string(number) + " is not higher than " +
                              std::to_string(*options.previousNumber) + " of " +
                              options.previousName +
                              ": the upgrade check would not offer this database"});
}

void CheckAfterEnd(const std::vector<RawLine>& raw, int lastLine, Diagnostics& out) {
  for (int n = lastLine + 1; n <= static_cast<int>(raw.size()); ++n) {
    if (text::Trim(raw[static_cast<std::size_t>(n - 1)].text).empty()) continue;
    out.push_back({.severity = Severity::Warning,
                   .line = n,
                   .message = "the saver reads nothing after \"End Ads\" on line " +
                              std::to_string(lastLine) + ": this and what follows is never shown"});
    return;
  }
}

}  // namespace

Diagnostics CheckDatabase(platform::Files& files, const std::string& path,
                          const CheckOptions& options) {
  const std::string bytes = ReadWhole(files, path);
  const std::vector<RawLine> raw = SplitRaw(bytes);
  Walker walk(files, path, options, raw);
  walk.Run();

  Diagnostics others;
  CheckLines(raw, walk.lastLine, others);
  CheckDateReadings(walk.records, options.clock, others);
  CheckSpecials(walk.specials, walk.records, others);
  if (walk.complete) {
    CheckFullList(walk, options.clock, others);
    CheckAfterEnd(raw, walk.lastLine, others);
  }
  if (raw.size() >= 4) CheckNumber(files, path, raw, options, others);
  std::stable_sort(others.begin(), others.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });

  // The walk's findings keep their order (the first error is the loader's); the others join them
  // by line.
  Diagnostics all;
  auto next = others.begin();
  for (const Diagnostic& d : walk.found) {
    for (; next != others.end() && next->line < d.line; ++next) all.push_back(*next);
    all.push_back(d);
  }
  all.insert(all.end(), next, others.end());
  return all;
}

}  // namespace tavdb
