#include "database/loader.h"

#include <new>

#include "database/dates.h"
#include "database/fixture_text.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/text_reader.h"
#include "util/utf8.h"

namespace database {

namespace {

// Line 6 of the database names a newer format than this program reads.
struct TooNew {
  std::string line6;
};

// A failure on a known line of the file, and what is wrong there.
struct StopAt {
  util::Failure failure;
  int line;
  std::string reason;
};

// A line of the file quoted in a reason: at most 60 characters of it, never half of one.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  const std::string_view start = utf8::Prefix(text, kLongest);
  return "\"" + std::string(start) + (start.size() < text.size() ? "...\"" : "\"");
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

std::string VsMisplaced(const std::string& matchLine) {
  return "the match line " + Quoted(matchLine) + " has \"vs\" at its " +
         (matchLine.rfind("vs", 0) == 0 ? "start" : "end");
}

void AddShown(FixtureTexts& texts, FixtureText shown, std::size_t source) {
  if (shown.dueToday && (!texts.markerEnds || shown.kickOff < *texts.markerEnds))
    texts.markerEnds = shown.kickOff;
  texts.texts.push_back(std::move(shown.text));
  texts.sources.push_back(source);
}

// The out-of-date notices after the texts of `records` records.
void AddNotices(FixtureTexts& texts, const FixtureFlags& flags, std::size_t records) {
  std::size_t source = records;
  for (std::string& notice : OutOfDateNotices(flags)) {
    texts.texts.push_back(std::move(notice));
    texts.sources.push_back(source++);
  }
}

// Where and why the composition of a record failed, read in the order the composition reads its
// lines: the date, then (for a record not past) the kick-off, then the match line.
StopAt CompositionStop(const util::Failure& failure, const FixtureRecord& record, int dateLine,
                       const calendar::RegionalSettings& regional) {
  try {
    ParseDate(record.dateLine, regional);
  } catch (const util::Failure&) {
    return {failure, dateLine, Quoted(record.dateLine) + " is not a date"};
  }
  try {
    ParseTimeOfDay(record.kickOffLine);
  } catch (const util::Failure&) {
    return {failure, dateLine + 3,
            "kick-off " + Quoted(record.kickOffLine) + " is not a time of day"};
  }
  return {failure, dateLine + 2, VsMisplaced(record.matchLine)};
}

class Loader {
 public:
  Loader(std::string_view bytes, const calendar::Moment& now,
         const calendar::RegionalSettings& regional)
      : bytes_(bytes), file_(bytes), now_(now), regional_(regional) {}

  LoadedDatabase Run() {
    try {
      WalkDatabase(
          file_,
          {
              .formatVersion = [](const std::string& line6) { FormatVersion(line6); },
              .specialFixture =
                  [&](const SpecialFixture& special) {
                    loaded_.specialFixtures.push_back(special);
                  },
              .fixture = [&](const FixtureRecord& record) { Fixture(record); },
              .fixturesEnd = [&] { FixturesEnd(); },
              .triviaLine = [&](const std::string& line) { loaded_.trivia.push_back(line); },
              .advertLine = [&](const std::string& line) { loaded_.adverts.push_back(line); },
              .enters = [&](DatabaseSection section) { section_ = section; },
          });
    } catch (const TooNew& tooNew) {
      Stop({0, 6, "The database requires a newer version of this screensaver.", true,
            "format version " + Quoted(tooNew.line6) + " is newer than this screensaver's \"" +
                tavoria::APP_VERSION + "\""});
    } catch (const StopAt& stop) {
      Stop({stop.failure.code(), stop.line, stop.failure.description(), false, stop.reason});
    } catch (const util::Failure& failure) {
      const StopAt stop = WalkStop(failure);
      Stop({failure.code(), stop.line, failure.description(), false, stop.reason});
    } catch (const std::bad_alloc&) {
      Stop({util::codes::kOutOfMemory, file_.LineNumber(), "Out of memory", false,
            "there is not memory enough to read it"});
    }
    return std::move(loaded_);
  }

 private:
  static void FormatVersion(const std::string& line6) {
    // Compared by character codes: "3" and "2.1" are too new, "10" and "" not.
    if (line6 > tavoria::APP_VERSION) throw TooNew{line6};
  }

  void Fixture(const FixtureRecord& record) {
    const int dateLine = file_.LineNumber() - 4;
    FixtureText shown;
    try {
      shown = ComposeFixture(record, loaded_.specialFixtures, now_, regional_);
    } catch (const util::Failure& failure) {
      throw CompositionStop(failure, record, dateLine, regional_);
    }
    if (shown.past) {
      flags_.pastSeen = true;
      return;
    }
    flags_.currentStored = true;
    Room(dateLine);
    loaded_.fixtureRecords.records.push_back(record);
    AddShown(loaded_.fixtures, std::move(shown), loaded_.fixtureRecords.records.size() - 1);
  }

  void FixturesEnd() {
    AddNotices(loaded_.fixtures, flags_, loaded_.fixtureRecords.records.size());
    loaded_.fixtureRecords.pastAtLoad = flags_.pastSeen;
    loaded_.fixtureRecords.complete = true;
  }

  // The fixture list takes one more fixture to come, or is full.
  void Room(int line) {
    if (loaded_.fixtures.texts.size() == static_cast<std::size_t>(kFixtureCapacity))
      throw StopAt{{util::codes::kSubscriptOutOfRange, "Subscript out of range"},
                   line,
                   "more than " + std::to_string(kFixtureCapacity) + " fixtures to come"};
  }

  // Where and why the walk itself stopped: a special fixture's fault is its match line's (the walk
  // has read its text line); any other is the line just read.
  StopAt WalkStop(const util::Failure& failure) const {
    const int line = std::max(file_.LineNumber(), 1);
    if (dynamic_cast<const util::LineTooLong*>(&failure))
      return {
          failure, line,
          "the line is longer than " + std::to_string(util::TextReader::kLongestLine) + " bytes"};
    if (failure.code() == util::codes::kInputPastEnd)
      return {failure, line,
              std::string("the file ends before \"") + TerminatorOf(section_) + "\""};
    switch (section_) {
      case DatabaseSection::SpecialFixtures:
        if (failure.code() == util::codes::kInvalidCall)
          return {failure, line - 1, VsMisplaced(LineText(line - 1))};
        return {failure, line - 1,
                "more than " + std::to_string(kSpecialCapacity) + " special fixtures"};
      case DatabaseSection::Trivia:
        return {failure, line, "more than " + std::to_string(kTriviaCapacity - 1) + " facts"};
      case DatabaseSection::Adverts:
        return {failure, line, "more than " + std::to_string(kAdvertCapacity - 1) + " adverts"};
      default:
        return {failure, line, failure.description()};
    }
  }

  void Stop(LoadError error) {
    if (const auto text = TextInsteadOfContent(error)) {
      loaded_.fixtures = {{*text}, {0}, std::nullopt};
      loaded_.trivia = {*text};
      loaded_.fixtureRecords = {};
    }
    loaded_.error = std::move(error);
  }

  // Line n of the file, as the reader reads it.
  std::string LineText(int n) const {
    util::TextReader again(bytes_);
    std::string line;
    for (int i = 1; i <= n; ++i) line = again.ReadLine();
    return line;
  }

  std::string_view bytes_;
  util::TextReader file_;
  calendar::Moment now_;
  calendar::RegionalSettings regional_;
  LoadedDatabase loaded_;
  FixtureFlags flags_;
  DatabaseSection section_ = DatabaseSection::Header;
};

}  // namespace

LoadedDatabase Load(std::string_view bytes, const calendar::Moment& now,
                    const calendar::RegionalSettings& regional) {
  return Loader(bytes, now, regional).Run();
}

LoadedDatabase DatabaseNotRead(const util::Failure& failure) {
  LoadedDatabase loaded;
  loaded.error = LoadError{failure.code(), 0, failure.description()};
  if (const auto text = TextInsteadOfContent(*loaded.error)) {
    loaded.fixtures = {{*text}, {0}, std::nullopt};
    loaded.trivia = {*text};
  }
  return loaded;
}

FixtureTexts ComposeFixtureTexts(const FixtureRecords& records,
                                 const std::vector<SpecialFixture>& specials,
                                 const calendar::Moment& now,
                                 const calendar::RegionalSettings& regional) {
  FixtureTexts texts;
  FixtureFlags flags{.pastSeen = records.pastAtLoad};
  for (std::size_t i = 0; i < records.records.size(); ++i) {
    FixtureText shown = ComposeFixture(records.records[i], specials, now, regional);
    if (shown.past) {
      flags.pastSeen = true;
      continue;
    }
    flags.currentStored = true;
    AddShown(texts, std::move(shown), i);
  }
  AddNotices(texts, flags, records.records.size());
  return texts;
}

std::optional<std::string> TextInsteadOfContent(const LoadError& error) {
  if (error.tooNew) return "The database requires a newer version of this screensaver.";
  switch (error.code) {
    case util::codes::kFileNotFound:
      return "The Tavoria team information database could not be found.";
    case util::codes::kBadFileName:
    case util::codes::kPathNotFound:
      return "Could not access database.";
    case util::codes::kInputPastEnd:
      return "The database is corrupted.";
    default:
      return std::nullopt;
  }
}

std::vector<std::string> BuiltInAdverts() {
  using namespace tavoria;
  return {FRIENDLY_URL,
          std::string("Check out ") + SCREENSAVER_NAME + " site at" + text::kCrLf + HOMEPAGE_URL +
              " now!",
          std::string("Get free upgrades for ") + SCREENSAVER_NAME + " at " + text::kCrLf +
              HOMEPAGE_URL + text::kCrLf + "(Also check out the screensaver setup screen)"};
}

std::optional<std::int16_t> DatabaseNumber(std::string_view bytes) {
  try {
    util::TextReader file(bytes);
    std::string field;
    for (int n = 1; n <= 4; ++n) field = file.ReadField();
    const auto number = text::WholeDecimal(field, {.exponent = false});
    const auto value = number ? text::RoundHalfEven(*number, 0, 32768) : std::nullopt;
    if (!value || *value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(*value);
  } catch (const util::Failure&) {
    return std::nullopt;
  }
}

}  // namespace database
