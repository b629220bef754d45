#include "tavdb/check.h"

#include <algorithm>
#include <cstdio>

#include "database/dates.h"
#include "database/fixture_text.h"
#include "database/loader.h"
#include "tavdb/check_walk.h"
#include "tavdb/encoding.h"
#include "util/text.h"

namespace tavdb {

namespace {

using calendar::Date;
using calendar::DateOrder;
using util::Failure;

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
    for (const char* terminator : {database::kEndSpecialFixtures, database::kEndFixtures,
                                   database::kEndTrivia, database::kEndAds}) {
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
    return calendar::EnglishDate(database::ParseDate(dateLine, {order, yearMax}));
  } catch (const Failure&) {
    return "no date";
  }
}

// Dates that users with other regional settings, or another two-digit-year setting, read as
// another day.
void CheckDateReadings(const std::vector<Record>& records,
                       const calendar::RegionalSettings& regional, Diagnostics& out) {
  for (const Record& r : records) {
    if (!r.date) continue;
    const std::string dateLine = r.record.dateLine;
    const std::string here = calendar::EnglishDate(*r.date);
    std::vector<std::string> others;
    for (DateOrder order : kOrders) {
      if (order == regional.dateOrder) continue;
      const std::string there = Reading(dateLine, order, regional.twoDigitYearMax);
      if (there != here)
        others.push_back((there == "no date" ? "as no date" : "as " + there) + " in " +
                         OrderName(order) + " order");
    }
    if (!others.empty()) {
      std::string message = Quoted(dateLine) + " reads as " + here + " in " +
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
                     .message = Quoted(dateLine) + " has a two-digit year: read as " + here +
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

Diagnostics CheckDatabase(std::string_view bytes, const CheckOptions& options) {
  const std::vector<RawLine> raw = SplitRaw(bytes);
  const Walked walk = WalkAsTheLoader(bytes, options, raw);

  Diagnostics others(kShownPerFile);
  CheckLines(raw, walk.lastLine, others);
  CheckDateReadings(walk.records, options.regional, others);
  CheckSpecials(walk.specials, walk.records, others);
  if (walk.complete) {
    CheckAfterEnd(raw, walk.lastLine, others);
  }
  if (raw.size() >= 4) CheckNumber(bytes, raw, options, others);
  std::stable_sort(others.begin(), others.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });

  // The walk's findings keep their order (the first error is the loader's); the others join them
  // by line.
  Diagnostics all(kShownPerFile);
  auto next = others.begin();
  for (const Diagnostic& d : walk.found) {
    for (; next != others.end() && next->line < d.line; ++next) all.push_back(*next);
    all.push_back(d);
  }
  all.insert(all.end(), next, others.end());
  all.CountUnkept(others);
  all.CountUnkept(walk.found);
  return all;
}

}  // namespace tavdb
