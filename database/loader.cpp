#include "database/loader.h"

#include "database/fixture_text.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace database {

namespace {

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

// What is wrong where loading stopped, for people.
std::string Reason(const Stop& stop) {
  switch (stop.problem) {
    case Problem::TooNew:
      return "format version " + Quoted(stop.text) + " is newer than this screensaver's \"" +
             kFormatVersion + "\"";
    case Problem::EndsEarly:
      return std::string("the file ends before \"") + TerminatorOf(stop.section) + "\"";
    case Problem::LineTooLong:
      return "the line is longer than " + std::to_string(util::TextReader::kLongestLine) + " bytes";
    case Problem::VsAtStart:
    case Problem::VsAtEnd:
      return "the match line " + Quoted(stop.text) + " has \"vs\" at its " +
             (stop.problem == Problem::VsAtStart ? "start" : "end");
    case Problem::NotADate:
      return Quoted(stop.text) + " is not a date";
    case Problem::NotATimeOfDay:
      return "kick-off " + Quoted(stop.text) + " is not a time of day";
    case Problem::ListFull:
      switch (stop.section) {
        case DatabaseSection::SpecialFixtures:
          return "more than " + std::to_string(kSpecialCapacity) + " special fixtures";
        case DatabaseSection::Fixtures:
          return "more than " + std::to_string(kFixtureCapacity) + " fixtures to come";
        case DatabaseSection::Trivia:
          return "more than " + std::to_string(kTriviaCapacity - 1) + " facts";
        default:
          return "more than " + std::to_string(kAdvertCapacity - 1) + " adverts";
      }
    case Problem::OutOfMemory:
      return "there is not memory enough to read it";
  }
  return stop.description;
}

// The entries of a section's list but its terminator, which is the last when it was read.
std::span<const std::string> WithoutTerminator(const std::vector<std::string>& list,
                                               const char* terminator) {
  const std::span<const std::string> all(list);
  return !all.empty() && all.back() == terminator ? all.first(all.size() - 1) : all;
}

}  // namespace

LoadError LoadErrorOf(const Stop& stop) {
  const bool tooNew = stop.problem == Problem::TooNew;
  return {stop.code, stop.line,
          tooNew ? "The database requires a newer version of this screensaver." : stop.description,
          tooNew, Reason(stop)};
}

LoadedDatabase Load(std::string_view bytes, const calendar::Moment& now,
                    const calendar::RegionalSettings& regional) {
  return Load(bytes, Computer{now, regional});
}

LoadedDatabase Load(std::string_view bytes, const Computer& computer) {
  const calendar::Moment& now = computer.now;
  LoadedDatabase loaded;
  loaded.fixtures.composedFor = now;
  loaded.fixtureRecords.regional = computer.regional;
  std::optional<Stop> stopped;
  WalkDatabase(bytes,
               {
                   .computer = computer,
                   .stop = [&](const Stop& stop) { stopped = stop; },
                   .specialFixture =
                       [&](const SpecialRead& special) {
                         loaded.specialFixtures.push_back(special.fixture);
                       },
                   .fixture =
                       [&](const FixtureRead& read) {
                         const auto& shown = read.composition.shown;
                         if (!shown || shown->past) return;
                         auto& records = loaded.fixtureRecords.records;
                         records.push_back(read.record);
                         AddShown(loaded.fixtures, *shown, records.size() - 1);
                       },
                   .fixturesEnd =
                       [&](const FixtureFlags& flags) {
                         AddNotices(loaded.fixtures, flags, loaded.fixtureRecords.records.size());
                         loaded.fixtureRecords.pastAtLoad = flags.pastSeen;
                         loaded.fixtureRecords.complete = true;
                       },
                   .triviaLine = [&](const std::string& line) { loaded.trivia.push_back(line); },
                   .advertLine = [&](const std::string& line) { loaded.adverts.push_back(line); },
               });
  if (!stopped) return loaded;
  loaded.error = LoadErrorOf(*stopped);
  if (const auto text = TextInsteadOfContent(*loaded.error)) {
    loaded.fixtures = {{*text}, {0}, std::nullopt, now};
    loaded.trivia = {*text};
    loaded.fixtureRecords = {};
  }
  return loaded;
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
                                 const calendar::Moment& now, const LocalMomentOf& localMomentOf) {
  FixtureTexts texts;
  texts.composedFor = now;
  FixtureFlags flags{.pastSeen = records.pastAtLoad};
  const Computer computer{now, records.regional, localMomentOf};
  for (std::size_t i = 0; i < records.records.size(); ++i) {
    Composition composed = Compose(records.records[i], specials, computer);
    if (!composed.faults.empty()) throw composed.faults.front().failure;
    FixtureText shown = std::move(*composed.shown);
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

std::span<const std::string> LoadedDatabase::Facts() const {
  return WithoutTerminator(trivia, kEndTrivia);
}

std::span<const std::string> LoadedDatabase::Adverts() const {
  return WithoutTerminator(adverts, kEndAds);
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
