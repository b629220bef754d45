// The team database file: its layout, the words that head and end its sections, its records, and
// the rules every program reads it by. The walk (database/walk.h) reads it, the writer
// (database/writer.h) writes it, both from what is written down here.
//
// The file, one item a line: the devname, two free lines, the database number, a free line, the
// format version, a free line; special fixtures (a match line and a text each) up to "End special
// fixtures"; a free line; fixtures (five lines each) up to "End Fixtures"; a free line; one fact a
// line up to "End Trivia"; a free line; one advert a line up to "End Ads". Nothing after that is
// read. Terminators match whole lines exactly.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "util/code_page.h"
#include "util/failure.h"

namespace database {

// The format this program reads and writes, named on line 6. A database whose line 6 sorts after
// it, by character codes, is too new: "3" and "2.1" are, "10" and "" are not. The format has a
// version of its own, so a later program that reads the same format still reads every database.
inline constexpr const char* kFormatVersion = "2";
bool IsNewerFormat(std::string_view line6);

// The parts of the file, in file order: lines 1 to 6, then the four sections, each from the free
// line that heads it (line 7 for the special fixtures) to its terminator.
enum class DatabaseSection { Header, SpecialFixtures, Fixtures, Trivia, Adverts };

inline constexpr const char* kEndSpecialFixtures = "End special fixtures";
inline constexpr const char* kEndFixtures = "End Fixtures";
inline constexpr const char* kEndTrivia = "End Trivia";
inline constexpr const char* kEndAds = "End Ads";
// The line that ends the section being read (the header's is the special fixtures', the next end).
const char* TerminatorOf(DatabaseSection section);

// The free lines that head the sections, as the writer writes them; the reader skips them. The
// fixtures' heading goes on to say whose clock the kick-offs are on.
inline constexpr const char* kSpecialFixturesHeading = "Special fixtures";
inline constexpr const char* kFixturesHeading = "Fixtures";
// "Fixtures (kick-off times are Europe/London time)", or "... are local)" when each is on its
// ground's own clock; and the zone such a heading names.
std::string FixturesHeading(const std::optional<std::string>& kickOffZone);
std::optional<std::string> KickOffZoneOf(std::string_view heading);
inline constexpr const char* kTriviaHeading = "Trivia";
inline constexpr const char* kAdvertsHeading = "Adverts";

// The most entries each list may hold while the database loads. The fixture list holds this many
// fixtures to come, and has room for the out-of-date notices after them besides, so a database
// that loads one day loads on every later day; the trivia and advert lists count their
// terminator.
inline constexpr int kSpecialCapacity = 10;
inline constexpr int kFixtureCapacity = 100;
inline constexpr int kTriviaCapacity = 100;
inline constexpr int kAdvertCapacity = 100;
// The capacity of the section's list; 0 for the header, which has none.
int CapacityOf(DatabaseSection section);

// Lines 1 to 6, in file order.
struct DatabaseHeader {
  std::string devname;    // the saver the database is for; Kelvane names the installed file so
  std::string title;      // free, without a comma
  std::string publisher;  // free, without a comma
  std::string number;     // the database number, as the upgrade check reads it (DatabaseNumber)
  std::string about;      // free
  std::string formatVersion = kFormatVersion;
  // How the file's text is written, as line 5 declares after `about`: " [text UTF-8]". None: in
  // the system code page.
  std::optional<codepage::Encoding> encoding;
};
using HeaderLines = std::array<std::string, 6>;
// The header from its lines as the file holds them, and back: the reader and the writer meet here.
DatabaseHeader HeaderOf(HeaderLines lines);
// The encoding line 5 declares, from its bytes (the declaration is ASCII in every encoding).
std::optional<codepage::Encoding> DeclaredEncoding(std::string_view line5);
HeaderLines LinesOf(const DatabaseHeader& header);

// A special fixture: the text shown above every fixture between its two teams.
struct SpecialFixture {
  std::string text;
  std::string homeTeam;
  std::string awayTeam;
};

// The five lines of one fixture record.
struct FixtureRecord {
  std::string dateLine;
  std::string captionLine;
  std::string matchLine;
  std::string kickOffLine;
  std::string fifthLine;  // free, the ground; read and not shown
  // The kick-off's instant, which the fifth line may carry after the ground: "
  // [2026-06-14T01:00Z]". A computer that knows it shows the fixture on its own clock.
  std::optional<std::chrono::sys_seconds> kickOffInstant;
};
// The lines of a record, in file order: a line's number is its date line's plus this.
enum class RecordLine { Date, Caption, Match, KickOff, Fifth };
using RecordLines = std::array<std::string, 5>;
// A record from its lines as the file holds them, and back: the reader and the writer meet here.
FixtureRecord RecordOf(RecordLines lines);
RecordLines LinesOf(const FixtureRecord& record);

// A match line: the two teams joined by " vs ".
std::string MatchLine(const std::string& homeTeam, const std::string& awayTeam);
// Splits a match line at its first "vs" into the two names, spaces trimmed; both stay empty when
// there is no "vs". Throws Failure 5 when "vs" opens or closes the line.
void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam);
// A match line that SplitTeams refuses: its "vs" opens it (otherwise it closes it).
bool VsOpens(std::string_view matchLine);

}  // namespace database
