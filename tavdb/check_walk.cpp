#include "tavdb/check_walk.h"

#include <algorithm>
#include <set>

#include "database/dates.h"
#include "database/fixture_text.h"
#include "database/loader.h"
#include "tavdb/encoding.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace tavdb {

namespace {

using calendar::Date;
using calendar::DateOrder;
using database::DatabaseSection;
using util::Failure;

const char* TerminatorOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
    case DatabaseSection::SpecialFixtures:
      return database::kEndSpecialFixtures;
    case DatabaseSection::Fixtures:
      return database::kEndFixtures;
    case DatabaseSection::Trivia:
      return database::kEndTrivia;
    case DatabaseSection::Adverts:
      return database::kEndAds;
  }
  return "";
}

// The loader's walk through the file, told every fault and going on after it where it can.
class Walker {
 public:
  Walker(std::string_view bytes, const CheckOptions& options, const std::vector<RawLine>& raw)
      : raw_(raw), reader_(bytes), now_(options.moment), regional_(options.regional) {}

  void Run() {
    try {
      database::WalkDatabase(
          reader_, {
                       .formatVersion = [&](const std::string& line6) { FormatVersion(line6); },
                       .specialFixture =
                           [&](const database::SpecialFixture& special) {
                             const int line = reader_.LineNumber() - 1;
                             result.specials.push_back({line, RawText(line), special});
                             specialList_.push_back(special);
                           },
                       .fixture = [&](const database::FixtureRecord& record) { Fixture(record); },
                       .enters = [&](DatabaseSection section) { section_ = section; },
                       .fault = [&](const Failure& failure) { Fault(failure); },
                   });
      result.complete = true;
    } catch (const Failure& failure) {
      if (failure.code() != util::codes::kInputPastEnd) throw;
      Error(std::max(reader_.LineNumber(), 1), util::codes::kInputPastEnd,
            std::string("the file ends before \"") + TerminatorOf(section_) +
                "\": " + SaverOutcome(util::codes::kInputPastEnd, false));
    }
    result.lastLine = reader_.LineNumber();
  }

  Walked result;

 private:
  void Error(int line, int code, std::string message, bool tooNew = false) {
    if (longLines_.count(line)) return;  // told already: the line is too long to be anything
    result.found.push_back({.severity = Severity::Error,
                            .line = line,
                            .message = std::move(message),
                            .code = code,
                            .tooNew = tooNew});
  }

  void Warning(int line, std::string message) {
    result.found.push_back(
        {.severity = Severity::Warning, .line = line, .message = std::move(message)});
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
    if (dynamic_cast<const util::LineTooLong*>(&failure)) {
      Error(line, failure.code(),
            "the line is longer than " + std::to_string(util::TextReader::kLongestLine) +
                " bytes: " + SaverOutcome(failure.code(), false));
      longLines_.insert(line);
      return;
    }
    switch (section_) {
      case DatabaseSection::SpecialFixtures:
        // The walk has read the record's text line; the fault is its match line's.
        if (failure.code() == util::codes::kInvalidCall)
          Error(line - 1, failure.code(), VsMisplaced(RawText(line - 1), "the special fixture's"));
        else
          Error(line - 1, failure.code(),
                "an " + text::Ordinal(database::kSpecialCapacity + 1) +
                    " special fixture: the list holds " +
                    std::to_string(database::kSpecialCapacity) + ": " +
                    SaverOutcome(failure.code(), false));
        return;
      case DatabaseSection::Trivia:
      case DatabaseSection::Adverts: {
        const bool trivia = section_ == DatabaseSection::Trivia;
        const int capacity = trivia ? database::kTriviaCapacity : database::kAdvertCapacity;
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
           SaverOutcome(util::codes::kInvalidCall, false);
  }

  void Fixture(const database::FixtureRecord& record) {
    const int line = reader_.LineNumber() - 4;
    Record kept{line, record, std::nullopt};
    try {
      kept.date = database::ParseDate(record.dateLine, regional_);
    } catch (const Failure&) {
      // No date in this order: the composition below says so.
    }
    result.records.push_back(kept);

    database::FixtureText shown;
    try {
      shown = database::ComposeFixture(record, specialList_, now_, regional_);
    } catch (const Failure& failure) {
      ComposeFailed(line, record, kept.date.has_value(), failure);
      return;
    }
    if (shown.past) {
      Warning(line, "the fixture " + Quoted(record.matchLine) + " on " + Quoted(record.dateLine) +
                        " is past on " + calendar::IsoDate(now_.date) +
                        ": the saver leaves it out and asks users to upgrade");
      return;
    }
    Store(line, record);
  }

  // A fixture to come takes the list's next entry.
  void Store(int line, const database::FixtureRecord& record) {
    if (stored_ == database::kFixtureCapacity)
      Error(line, util::codes::kSubscriptOutOfRange,
            "the " + text::Ordinal(stored_ + 1) + " fixture to come on " +
                calendar::IsoDate(now_.date) + " (" + Quoted(record.matchLine) +
                "): the fixture list holds " + std::to_string(database::kFixtureCapacity) +
                " fixtures to come: " + SaverOutcome(util::codes::kSubscriptOutOfRange, false));
    ++stored_;
  }

  // Tells which of the record's lines the composition failed on, as the composition reads them:
  // the date; for a fixture not past, the kick-off, then the match line.
  void ComposeFailed(int line, const database::FixtureRecord& record, bool dateRead,
                     const Failure& failure) {
    const int code = failure.code();
    if (!dateRead) {
      Error(line, code,
            Quoted(record.dateLine) + " is no date in " + OrderName(regional_.dateOrder) +
                " order (nor with a month's name): " + SaverOutcome(code, false));
      return;
    }
    try {
      database::ParseTimeOfDay(record.kickOffLine);
    } catch (const Failure&) {
      Error(line + 3, code,
            "kick-off " + Quoted(record.kickOffLine) +
                " is no time of day (H:MM or H:MM:SS, or with AM or PM): " +
                SaverOutcome(code, false));
    }
    std::string home, away;
    try {
      database::SplitTeams(record.matchLine, home, away);
    } catch (const Failure& split) {
      Error(line + 2, split.code(), VsMisplaced(record.matchLine, "the fixture's"));
    }
    // Mended, the fixture would take its entry: later faults are counted as the loader would.
    Store(line, record);
  }

  // The text of a line the walk has read, as the reader gave it.
  std::string RawText(int line) const {
    const auto at = static_cast<std::size_t>(line - 1);
    return line >= 1 && at < raw_.size() ? std::string(raw_[at].text) : std::string();
  }

  const std::vector<RawLine>& raw_;
  util::TextReader reader_;
  calendar::Moment now_;
  calendar::RegionalSettings regional_;
  DatabaseSection section_ = DatabaseSection::Header;
  std::vector<database::SpecialFixture> specialList_;
  int stored_ = 0;  // entries of the fixture list, as the loader counts them
  std::set<int> longLines_;
};

}  // namespace

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

std::string Quoted(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  if (text.size() > kLongest) return "\"" + Visible(text.substr(0, kLongest)) + "...\"";
  return "\"" + Visible(text) + "\"";
}

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

Walked WalkAsTheLoader(std::string_view bytes, const CheckOptions& options,
                       const std::vector<RawLine>& raw) {
  Walker walk(bytes, options, raw);
  walk.Run();
  return std::move(walk.result);
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
