#include "saver/data/database.h"

#include <new>
#include <optional>

#include "saver/identity.h"

namespace tavoria {

namespace {

// Line 6 of the database names a newer format than this program reads.
struct DatabaseTooNew {};

// What the saver shows, as its only fixture and its only fact, when the database cannot be used.
void ShowInsteadOfContent(GeneralCode& g, const std::string& message) {
  g.fixtures.assign(1, message);
  g.trivia.assign(1, message);
  g.fixtureCount = g.triviaCount = 1;
}

// A field's value as the nearest 16-bit whole number (halves to the even neighbour): blanks
// around it, a sign, digits and a decimal fraction. None when it is not such a number or lies
// beyond -32768 to 32767.
std::optional<std::int16_t> WholeNumber(const std::string& field) {
  std::size_t i = 0, end = field.size();
  while (i < end && (field[i] == ' ' || field[i] == '\t')) ++i;
  while (end > i && (field[end - 1] == ' ' || field[end - 1] == '\t')) --end;
  bool negative = false;
  if (i < end && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  long whole = 0;
  bool anyDigit = false;
  for (; i < end && field[i] >= '0' && field[i] <= '9'; ++i) {
    anyDigit = true;
    if (whole <= 100000) whole = whole * 10 + (field[i] - '0');  // far enough to be out of range
  }
  // The fraction decides the rounding: above a half, exactly a half, or below.
  int firstFractionDigit = 0;
  bool moreAfterFirst = false;
  if (i < end && field[i] == '.') {
    for (std::size_t first = ++i; i < end && field[i] >= '0' && field[i] <= '9'; ++i) {
      anyDigit = true;
      if (i == first)
        firstFractionDigit = field[i] - '0';
      else if (field[i] != '0')
        moreAfterFirst = true;
    }
  }
  if (!anyDigit || i != end) return std::nullopt;
  if (firstFractionDigit > 5 || (firstFractionDigit == 5 && (moreAfterFirst || whole % 2 == 1)))
    ++whole;
  const long value = negative ? -whole : whole;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

[[noreturn]] void ListIsFull() {
  throw platform::Failure(platform::codes::kSubscriptOutOfRange, "Subscript out of range");
}

// Reads one terminated section of one line per entry; the terminator is handed over as its last.
void WalkLines(platform::TextReader& file, const char* terminator, int capacity,
               const std::function<void(const std::string&)>& handle) {
  int count = 0;
  for (std::string line; line != terminator;) {
    line = file.ReadLine();
    if (count == capacity) ListIsFull();
    ++count;
    if (handle) handle(line);
  }
}

}  // namespace

void WalkDatabase(platform::TextReader& file, const DatabaseSections& sections) {
  for (int n = 1; n <= 5; ++n) file.ReadLine();  // devname, two free lines, number, free line
  const std::string formatVersion = file.ReadLine();
  if (sections.formatVersion) sections.formatVersion(formatVersion);
  file.ReadLine();

  int specials = 0;
  for (std::string line = file.ReadLine(); line != "End special fixtures"; line = file.ReadLine()) {
    SpecialFixture special;
    special.text = file.ReadLine();
    SplitTeams(line, special.homeTeam, special.awayTeam);
    if (specials == kSpecialCapacity) ListIsFull();
    ++specials;
    if (sections.specialFixture) sections.specialFixture(special);
  }

  file.ReadLine();
  for (std::string line = file.ReadLine(); line != "End Fixtures"; line = file.ReadLine()) {
    FixtureRecord record;
    record.dateLine = std::move(line);
    record.captionLine = file.ReadLine();
    record.matchLine = file.ReadLine();
    record.kickOffLine = file.ReadLine();
    record.fifthLine = file.ReadLine();
    if (sections.fixture) sections.fixture(record);
  }
  if (sections.fixturesEnd) sections.fixturesEnd();

  file.ReadLine();
  WalkLines(file, "End Trivia", kTriviaCapacity, sections.triviaLine);
  file.ReadLine();
  WalkLines(file, "End Ads", kAdvertCapacity, sections.advertLine);
}

void CheckDatabaseComplete(platform::Files& files, const std::string& path) {
  platform::TextReader file(files, path);
  WalkDatabase(file, {});
}

void LoadDatabase(GeneralCode& g) {
  g.specialFixtures.clear();
  g.fixtures.clear();
  g.trivia.clear();
  g.adverts.clear();
  g.specialFixtures.reserve(kSpecialCapacity);
  g.fixtures.reserve(kFixtureCapacity);
  g.trivia.reserve(kTriviaCapacity);
  g.adverts.reserve(kAdvertCapacity + 3);
  g.specialCount = g.fixtureCount = g.triviaCount = g.advertCount = 0;
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(DATABASE_FILE));
    FixtureFlags flags;
    WalkDatabase(
        file,
        {
            .formatVersion =
                [](const std::string& line6) {
                  // Compared by character codes: "3" and "2.1" are too new, "10" and "" are not.
                  if (line6 > APP_VERSION) throw DatabaseTooNew{};
                },
            .specialFixture =
                [&](const SpecialFixture& special) {
                  g.specialFixtures.push_back(special);
                  ++g.specialCount;
                },
            .fixture = [&](const FixtureRecord& record) { ProcessFixtureRecord(g, record, flags); },
            .fixturesEnd = [&] { AddOutOfDateNotices(g, flags); },
            .triviaLine =
                [&](const std::string& line) {
                  g.trivia.push_back(line);
                  ++g.triviaCount;
                },
            .advertLine =
                [&](const std::string& line) {
                  g.adverts.push_back(line);
                  ++g.advertCount;
                },
        });
  } catch (const DatabaseTooNew&) {
    ShowInsteadOfContent(g, "The database requires a newer version of this screensaver.");
  } catch (const platform::Failure& failure) {
    switch (failure.code()) {
      case platform::codes::kFileNotFound:
        ShowInsteadOfContent(g, "The Tavoria team information database could not be found.");
        break;
      case platform::codes::kBadFileName:
      case platform::codes::kPathNotFound:
        ShowInsteadOfContent(g, "Could not access database.");
        break;
      case platform::codes::kInputPastEnd:
        ShowInsteadOfContent(g, "The database is corrupted.");
        break;
      default:
        g.sys.desktop.ShowMessage(GeneralErrorReport(failure));
    }
  } catch (const std::bad_alloc&) {
    g.sys.desktop.ShowMessage(GeneralErrorReport(platform::Failure(7, "Out of memory")));
  }
}

std::int16_t GetDatabaseNumber(GeneralCode& g) {
  try {
    platform::TextReader file(g.sys.files, g.PathBesideProgram(DATABASE_FILE));
    std::string field;
    for (int n = 1; n <= 4; ++n) field = file.ReadField();
    return WholeNumber(field).value_or(-1);
  } catch (const platform::Failure&) {
    return -1;
  }
}

void AddBuiltInAdverts(GeneralCode& g) {
  g.adverts.resize(static_cast<std::size_t>(g.advertCount));
  g.adverts.push_back(FRIENDLY_URL);
  g.adverts.push_back(std::string("Check out ") + SCREENSAVER_NAME + " site at" + CRLF +
                      HOMEPAGE_URL + " now!");
  g.adverts.push_back(std::string("Get free upgrades for ") + SCREENSAVER_NAME + " at " + CRLF +
                      HOMEPAGE_URL + CRLF + "(Also check out the screensaver setup screen)");
}

platform::MessageBoxRequest GeneralErrorReport(const platform::Failure& failure) {
  std::string text = std::string("There was an error, but the ") + SCREENSAVER_NAME +
                     " does not know what to do. Please e-mail the information below to us and "
                     "tell us what you were doing at the time (or anything that may have caused "
                     "the error)." +
                     CRLF;
  text += "Error code: " + std::to_string(failure.code()) + CRLF;
  text += "Error description: " + failure.description() + CRLF;
  text += "Error source: " + failure.source() + CRLF;
  text += CRLF;
  text += std::string("Web site: ") + HOMEPAGE_URL + CRLF;
  text += std::string("E-mail: ") + SUPPORT_EMAIL;
  return {
      .title = std::string("An error occurred - contact ") + SCREENSAVER_COMPANY + " tech support",
      .text = text,
      .icon = platform::Icon::Information,
      .buttons = platform::Buttons::Ok,
  };
}

}  // namespace tavoria
