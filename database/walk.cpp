#include "database/walk.h"

#include <algorithm>
#include <new>
#include <set>
#include <vector>

#include "util/text_reader.h"

namespace database {

namespace {

// The walk ends here.
struct Ended {};

class Walker {
 public:
  Walker(std::string_view bytes, const DatabaseWalk& walk) : file_(bytes), walk_(walk) {}

  WalkEnd Run() {
    WalkEnd end;
    try {
      Header();
      SpecialFixtures();
      Fixtures();
      Lines(DatabaseSection::Trivia, walk_.triviaLine);
      Lines(DatabaseSection::Adverts, walk_.advertLine);
      end.complete = true;
    } catch (const Ended&) {
    } catch (const std::bad_alloc&) {
      Tell({.line = CurrentLine(),
            .section = section_,
            .problem = Problem::OutOfMemory,
            .code = util::codes::kOutOfMemory,
            .description = "Out of memory"});
    }
    end.lastLine = file_.LineNumber();
    return end;
  }

 private:
  // Tells the stop, unless its line was told as too long, and ends the walk unless it goes on.
  void StopHere(const database::Stop& stop) {
    Tell(stop);
    if (!walk_.goOn) throw Ended{};
  }

  void Tell(const database::Stop& stop) {
    if (longLines_.count(stop.line)) return;  // too long to be anything else
    if (stop.problem == Problem::LineTooLong) longLines_.insert(stop.line);
    if (walk_.stop) walk_.stop(stop);
  }

  int CurrentLine() const { return std::max(file_.LineNumber(), 1); }

  std::string ReadLine() { return Decoded(ReadBytes()); }

  std::string Decoded(std::string bytes) const {
    if (encoding_) return codepage::ToUtf8(bytes, *encoding_);
    return walk_.computer.systemText ? walk_.computer.systemText(bytes) : bytes;
  }

  std::string ReadBytes() {
    try {
      return file_.ReadLine();
    } catch (const util::LineTooLong& failure) {
      StopHere({CurrentLine(),
                section_,
                Problem::LineTooLong,
                {},
                failure.code(),
                failure.description()});
      return {};
    } catch (const util::Failure& failure) {
      Tell(
          {CurrentLine(), section_, Problem::EndsEarly, {}, failure.code(), failure.description()});
      throw Ended{};
    }
  }

  // A list that holds `count` entries takes one more, or is full. Past a stop the count runs on
  // beyond the capacity: the stop is told once.
  void Room(int count, int line, const std::string& entry) {
    if (count == CapacityOf(section_))
      StopHere({line, section_, Problem::ListFull, entry, util::codes::kSubscriptOutOfRange,
                "Subscript out of range"});
  }

  void Enter(DatabaseSection section) { section_ = section; }

  // The free line that heads the section being entered.
  void Heading() {
    std::string line = ReadLine();
    if (walk_.heading) walk_.heading(section_, file_.LineNumber(), line);
  }

  void Header() {
    Enter(DatabaseSection::Header);
    HeaderLines lines;
    for (std::string& line : lines) line = ReadBytes();
    encoding_ = DeclaredEncoding(lines[4]);
    for (std::string& line : lines) line = Decoded(std::move(line));
    const DatabaseHeader header = HeaderOf(std::move(lines));
    if (IsNewerFormat(header.formatVersion))
      StopHere({6, section_, Problem::TooNew, header.formatVersion, 0, {}});
  }

  void SpecialFixtures() {
    Enter(DatabaseSection::SpecialFixtures);
    Heading();  // line 7
    int count = 0;
    for (std::string match = ReadLine(); match != kEndSpecialFixtures; match = ReadLine()) {
      SpecialRead read{file_.LineNumber(), std::move(match), {}};
      read.fixture.text = ReadLine();
      try {
        SplitTeams(read.matchLine, read.fixture.homeTeam, read.fixture.awayTeam);
      } catch (const util::Failure& failure) {
        StopHere({read.line, section_, VsAtAnEnd(read.matchLine), read.matchLine, failure.code(),
                  failure.description()});
        continue;
      }
      Room(count++, read.line, read.matchLine);
      specials_.push_back(read.fixture);
      if (walk_.specialFixture) walk_.specialFixture(read);
    }
  }

  void Fixtures() {
    Enter(DatabaseSection::Fixtures);
    Heading();
    FixtureFlags flags;
    int toCome = 0;  // entries of the fixture list, the notices aside
    for (std::string date = ReadLine(); date != kEndFixtures; date = ReadLine()) {
      const int line = file_.LineNumber();
      RecordLines lines{std::move(date)};
      for (std::size_t i = 1; i < lines.size(); ++i) lines[i] = ReadLine();
      FixtureRead read{line, RecordOf(std::move(lines)), {}};
      read.composition = Compose(read.record, specials_, walk_.computer);
      const Composition& composed = read.composition;
      for (const RecordFault& fault : composed.faults) CompositionStop(read, fault);
      if (composed.shown) (composed.shown->past ? flags.pastSeen : flags.currentStored) = true;
      // To come by its date line; or, when mended, it would be: the list's room is counted as the
      // saver counts it, whatever clock the computer shows the fixture on, so a stop falls on the
      // same line everywhere.
      if (composed.date && !composed.pastByItsLines) Room(toCome++, line, read.record.matchLine);
      if (walk_.fixture) walk_.fixture(read);
    }
    if (walk_.fixturesEnd) walk_.fixturesEnd(flags);
  }

  void CompositionStop(const FixtureRead& read, const RecordFault& fault) {
    const int line = read.line + static_cast<int>(fault.line);
    switch (fault.line) {
      case RecordLine::Date:
        return StopHere({line, section_, Problem::NotADate, read.record.dateLine,
                         fault.failure.code(), fault.failure.description()});
      case RecordLine::KickOff:
        return StopHere({line, section_, Problem::NotATimeOfDay, read.record.kickOffLine,
                         fault.failure.code(), fault.failure.description()});
      default:
        return StopHere({line, section_, VsAtAnEnd(read.record.matchLine), read.record.matchLine,
                         fault.failure.code(), fault.failure.description()});
    }
  }

  static Problem VsAtAnEnd(const std::string& matchLine) {
    return VsOpens(matchLine) ? Problem::VsAtStart : Problem::VsAtEnd;
  }

  // One entry a line up to the section's terminator, which is handed over as its last.
  void Lines(DatabaseSection section, const std::function<void(const std::string&)>& handle) {
    Enter(section);
    Heading();
    int count = 0;
    for (std::string line; line != TerminatorOf(section);) {
      line = ReadLine();
      Room(count++, file_.LineNumber(), line);
      if (handle) handle(line);
    }
  }

  util::TextReader file_;
  const DatabaseWalk& walk_;
  DatabaseSection section_ = DatabaseSection::Header;
  std::vector<SpecialFixture> specials_;        // as handed over, for composing the fixtures
  std::set<int> longLines_;                     // the lines told as too long
  std::optional<codepage::Encoding> encoding_;  // as line 5 declares
};

}  // namespace

std::string Quoted(std::string_view text, std::string (*shown)(std::string_view)) {
  constexpr std::size_t kLongest = 60;
  const std::string_view quoted = text.substr(0, kLongest);
  return "\"" + (shown ? shown(quoted) : std::string(quoted)) +
         (text.size() > kLongest ? "...\"" : "\"");
}

WalkEnd WalkDatabase(std::string_view bytes, const DatabaseWalk& walk) {
  return Walker(bytes, walk).Run();
}

}  // namespace database
