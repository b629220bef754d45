#include "tavdb/build.h"

#include <algorithm>
#include <map>
#include <vector>

#include "database/database_file.h"
#include "database/writer.h"
#include "tavdb/csv.h"
#include "tavdb/encoding.h"
#include "tavdb/fixture_json.h"
#include "tavdb/kick_off.h"
#include "tavdb/names.h"
#include "util/calendar.h"
#include "util/identity.h"
#include "util/text.h"
#include "util/text_reader.h"

namespace tavdb {

namespace {

using calendar::Date;

struct Fixture {
  int line = 0;  // of its input
  Date date;
  int kickOff = 0;                                       // seconds since midnight
  std::string kickOffText, caption, home, away, ground;  // UTF-8
  std::optional<std::chrono::sys_seconds> instant;       // where the kick-off's zone is known
  bool ownOffset = false;                                // the list gives the kick-off's offset
};

template <typename T>
const T* Pointer(const std::optional<T>& value) {
  return value ? &*value : nullptr;
}

// The count a status word puts a match in: postponed, cancelled or awarded matches are not played
// as listed. None for any other status.
std::optional<int LeftOut::*> StatusLeftOut(const std::string& status) {
  const std::string word = FoldedName(status);
  if (word == "postponed") return &LeftOut::postponed;
  if (word == "cancelled" || word == "canceled") return &LeftOut::cancelled;
  if (word == "awarded") return &LeftOut::awarded;
  return std::nullopt;
}

class Builder {
 public:
  Builder(Diagnostics& out, const BuildOptions& options) : out_(out), options_(options) {}

  // Windows-1252, the design's own, when every text fits it; otherwise UTF-8; or the one named.
  codepage::Encoding Encoding() const {
    if (options_.codePage) return *options_.codePage;
    return fitsWindows1252_ ? codepage::Encoding::Windows1252 : codepage::Encoding::Utf8;
  }

  void Error(const std::string& file, int line, std::string message) {
    out_.push_back(
        {.severity = Severity::Error, .line = line, .message = std::move(message), .file = file});
  }

  void Warning(const std::string& file, int line, std::string message) {
    out_.push_back(
        {.severity = Severity::Warning, .line = line, .message = std::move(message), .file = file});
  }

  // A field as the database's text: blanks around it dropped, printable, one line of the
  // database, and of the code page named. None (and an error) when it does not fit.
  std::optional<std::string> Text(const std::string& file, int line, const std::string& what,
                                  std::string_view utf8) {
    const std::string field(text::Trim(utf8));
    if (const auto fault = NotOneLine(field)) {
      Error(file, line, "the " + what + *fault);
      return std::nullopt;
    }
    std::string problem;
    if (options_.codePage && !codepage::FromUtf8(field, *options_.codePage, &problem)) {
      Error(file, line, "the " + what + ": " + problem);
      return std::nullopt;
    }
    if (fitsWindows1252_ && !codepage::FromUtf8(field, codepage::Encoding::Windows1252))
      fitsWindows1252_ = false;
    if (field.size() > util::TextReader::kLongestLine) {
      Error(file, line,
            "the " + what + " is longer than a database line may be (" +
                std::to_string(util::TextReader::kLongestLine) + " bytes)");
      return std::nullopt;
    }
    return field;
  }

  // A team's name: not empty, and without "vs", where the saver would split the match line.
  std::optional<std::string> Team(const std::string& file, int line, const std::string& what,
                                  std::string_view utf8) {
    auto name = Text(file, line, what, utf8);
    if (!name) return std::nullopt;
    if (name->empty()) {
      Error(file, line, "the " + what + " is empty");
      return std::nullopt;
    }
    if (name->find("vs") != std::string::npos) {
      Error(file, line,
            "the " + what + " \"" + Visible(*name) +
                "\" holds \"vs\": the saver splits the match line at the first \"vs\"");
      return std::nullopt;
    }
    return name;
  }

  // A fixture from a listed match, its kick-off on the fans' clock; none when a field does not
  // fit.
  std::optional<Fixture> MakeFixture(const std::string& file, const ListedMatch& match,
                                     const BuildOptions& options) {
    Fixture f;
    f.line = match.line;
    bool ok = true;
    if (const auto d = calendar::ParseIsoDate(text::Trim(match.date))) {
      f.date = *d;
    } else {
      Error(file, match.line, "the date \"" + match.date + "\" is not a date YYYY-MM-DD");
      ok = false;
    }
    const auto kickOff = match.time ? KickOff(file, match, options) : std::optional<KickOffTime>();
    ok = ok && (kickOff || !match.time);
    auto c = Text(file, match.line, "title", match.caption);
    auto h = Team(file, match.line, "home team", match.home);
    auto a = Team(file, match.line, "away team", match.away);
    auto g = Text(file, match.line, "ground", match.ground);
    if (!ok || !c || !h || !a || !g) return std::nullopt;
    f.caption = *c, f.home = *h, f.away = *a, f.ground = *g;
    // A match without a time is given one on the fans' clock (the source's without a fans' zone).
    const calendar::Moment written{
        f.date, kickOff ? kickOff->secondsOfDay : options.timeWithoutTime.value_or(0)};
    f.ownOffset = kickOff && kickOff->utcOffset;
    const NamedZone* zone =
        kickOff ? (f.ownOffset ? nullptr : Pointer(options.sourceZone))
                : (options.fansZone ? Pointer(options.fansZone) : Pointer(options.sourceZone));
    if (f.ownOffset || zone) {
      const PlacedKickOff placed =
          InstantOf(written, {kickOff ? kickOff->utcOffset : std::nullopt,
                              zone ? &zone->rules : nullptr, zone ? zone->name : ""});
      if (!placed.instant) {
        Error(file, match.line, placed.problem);
        return std::nullopt;
      }
      f.instant = placed.instant;
    } else if (options.fansZone) {
      Error(file, match.line,
            "the kick-off \"" + *match.time +
                "\" carries no UTC offset: --source-zone AREA/CITY names the zone of such times");
      return std::nullopt;
    }
    f.kickOff = written.secondsOfDay;
    if (options.fansZone) {
      const FansKickOff fans =
          OnFansClock(*f.instant, options.fansZone->rules, options.fansZone->name, written);
      if (!fans.moment) {
        Error(file, match.line, fans.problem);
        return std::nullopt;
      }
      f.date = fans.moment->date;
      f.kickOff = fans.moment->secondsOfDay;
    }
    f.kickOffText = calendar::ClockText(f.kickOff);
    return f;
  }

  // The kick-off as written, with its offset from the time or from the "timezone" field. A
  // "timezone" that names no offset ("?") says nothing of the time, unless the kick-offs are to
  // be moved onto the fans' clock.
  std::optional<KickOffTime> KickOff(const std::string& file, const ListedMatch& match,
                                     const BuildOptions& options) {
    std::string problem;
    auto kickOff = ParseKickOff(text::Trim(*match.time), &problem);
    if (!kickOff) {
      Error(file, match.line,
            "the kick-off \"" + *match.time + "\" " +
                (problem.empty() ? "is not a time HH:MM" : "names no one zone: " + problem));
      return std::nullopt;
    }
    if (!match.timeZone) return kickOff;
    const auto offset = ParseUtcOffset(text::Trim(*match.timeZone), &problem);
    if (!offset && problem.empty() && !options.fansZone) return kickOff;
    if (!offset) {
      Error(file, match.line,
            "the \"timezone\" \"" + *match.timeZone + "\" " +
                (problem.empty() ? "is not an offset such as UTC-3"
                                 : "names no one zone: " + problem));
      return std::nullopt;
    }
    if (kickOff->utcOffset && *kickOff->utcOffset != *offset) {
      Error(file, match.line,
            "the kick-off \"" + *match.time + "\" and the \"timezone\" \"" + *match.timeZone +
                "\" name different offsets");
      return std::nullopt;
    }
    kickOff->utcOffset = offset;
    return kickOff;
  }

  std::vector<ListedMatch> MatchesFromCsv(const BuildInput& input) {
    std::vector<ListedMatch> matches;
    CsvReader rows(input.text);
    const auto header = rows.Next();
    if (!header) {
      Error(input.name, 1, "no header line: date,time,title,home,away[,ground] expected");
      return matches;
    }
    const auto columns =
        Columns(input.name, *header, {"date", "time", "title", "home", "away"}, {"ground"});
    if (columns.empty()) return matches;
    for (int entries = 1; const auto next = rows.Next(); ++entries) {
      const CsvRow& row = *next;
      if (entries > kMostListedMatches) {
        Error(input.name, row.line,
              "more than " + std::to_string(kMostListedMatches) +
                  " fixtures in one list, the most tavdb reads");
        matches.clear();  // a list refused whole
        break;
      }
      if (!FieldCount(input.name, row, header->fields.size())) continue;
      auto field = [&](const char* name) {
        const auto at = columns.find(name);
        return at == columns.end() ? std::string() : row.fields[at->second];
      };
      const std::string time = field("time");
      matches.push_back({.line = row.line,
                         .date = field("date"),
                         .time = text::Trim(time).empty() ? std::nullopt : std::optional(time),
                         .caption = field("title"),
                         .home = field("home"),
                         .away = field("away"),
                         .ground = field("ground")});
    }
    return matches;
  }

  // The matches to write: those of the teams named, not postponed, cancelled or awarded, with a
  // kick-off time or one given; what is left out is counted in the result.
  std::vector<ListedMatch> Selected(const std::string& file, std::vector<ListedMatch> listed,
                                    const BuildOptions& options, BuildResult& result) {
    const std::vector<std::string> teams = TeamsNamed(file, listed, options.teams, result);
    auto plays = [&](const std::string& name) {
      return std::find(teams.begin(), teams.end(), FoldedName(name)) != teams.end();
    };
    std::vector<ListedMatch> kept;
    for (ListedMatch& match : listed) {
      const auto leftOutAs = StatusLeftOut(match.status);
      if (!options.teams.empty() && !plays(match.home) && !plays(match.away)) {
        if (!leftOutAs && (IsPlaceholder(match.home) || IsPlaceholder(match.away)))
          ++result.notKnownYet;
      } else if (leftOutAs) {
        ++(result.leftOut.*(*leftOutAs));
      } else if (!match.time && options.skipWithoutTime) {
        ++result.leftOut.withoutTime;
      } else if (!match.time && !options.timeWithoutTime) {
        Error(file, match.line,
              "the fixture \"" + match.home + " vs " + match.away + "\" on " + match.date +
                  " has no kick-off time: --without-time skip leaves such fixtures out, "
                  "--without-time HH:MM gives them that time");
      } else {
        kept.push_back(std::move(match));
      }
    }
    return kept;
  }

  // The teams named, folded for comparing, each of which must play in the list.
  std::vector<std::string> TeamsNamed(const std::string& file,
                                      const std::vector<ListedMatch>& listed,
                                      const std::vector<std::string>& named, BuildResult& result) {
    std::vector<std::string> folded, known;
    for (const ListedMatch& match : listed) {
      for (const std::string* team : {&match.home, &match.away})
        if (!IsPlaceholder(*team)) known.push_back(*team);
    }
    for (const std::string& name : named) {
      folded.push_back(FoldedName(name));
      const auto spelled = std::find_if(known.begin(), known.end(), [&](const std::string& team) {
        return FoldedName(team) == folded.back();
      });
      if (spelled != known.end()) {
        result.teamNames.push_back(std::string(text::Trim(*spelled)));
        continue;
      }
      const std::string suggestion = DidYouMean(ClosestNames(name, known, 3));
      Error(file, 0,
            "no fixture has the team \"" + name + "\"" +
                (suggestion.empty() ? "" : ": " + suggestion));
    }
    return folded;
  }

  // The warnings about the kept matches: kick-offs written on the venues' clocks, and teams not
  // known yet.
  void Warn(const std::string& file, const std::vector<ListedMatch>& kept,
            const BuildOptions& options) {
    const auto withOffset = std::find_if(kept.begin(), kept.end(), [](const ListedMatch& m) {
      const auto kickOff = m.time ? ParseKickOff(text::Trim(*m.time)) : std::nullopt;
      return (kickOff && kickOff->utcOffset) || (m.time && m.timeZone);
    });
    if (!options.fansZone && withOffset != kept.end())
      Warning(file, withOffset->line,
              "the kick-offs carry UTC offsets and are written in each venue's local time (\"" +
                  *withOffset->time +
                  (withOffset->timeZone ? "\" with \"timezone\" \"" + *withOffset->timeZone : "") +
                  "\" as " + std::string(text::Trim(*withOffset->time).substr(0, 5)) +
                  "); --zone AREA/CITY writes them in the fans' own time");
    for (const ListedMatch& match : kept) {
      std::string unknown;
      for (const std::string* team : {&match.home, &match.away})
        if (IsPlaceholder(*team)) unknown += (unknown.empty() ? "\"" : ", \"") + *team + "\"";
      if (!unknown.empty())
        Warning(file, match.line,
                "the fixture \"" + match.home + " vs " + match.away + "\" on " + match.date +
                    " names a team not known yet (" + unknown +
                    "): it is written as it stands, and an upgrade will be due once the team is "
                    "known");
    }
  }

  // Facts or adverts: one a line, blank lines left out; none may be the section's terminator.
  std::vector<std::string> Lines(const BuildInput& input, const char* what, const char* terminator,
                                 int capacity) {
    std::vector<std::string> lines;
    text::LineReader all(WithoutByteOrderMark(input.text));
    for (std::string_view text; all.Next(text);) {
      const int line = all.Number();
      if (text::Trim(text).empty()) continue;
      auto entry = Text(input.name, line, what, text);
      if (!entry) continue;
      if (*entry == terminator) {
        Error(input.name, line,
              std::string("\"") + terminator + "\" would end the section for the saver");
        continue;
      }
      if (static_cast<int>(lines.size()) == capacity - 1) {
        int more = 1;
        while (all.Next(text)) more += text::Trim(text).empty() ? 0 : 1;
        Error(input.name, line,
              "the " + text::Ordinal(capacity) + " " + what +
                  " does not fit: the saver's list holds " + std::to_string(capacity) +
                  " entries, \"" + terminator + "\" included (" + std::to_string(more) + " " +
                  what + (more == 1 ? "" : "s") + " too many)");
        break;
      }
      lines.push_back(std::move(*entry));
    }
    return lines;
  }

  std::vector<database::SpecialFixture> Specials(const BuildInput& input) {
    std::vector<database::SpecialFixture> specials;
    CsvReader rows(input.text);
    const auto header = rows.Next();
    if (!header) {
      Error(input.name, 1, "no header line: home,away,text expected");
      return specials;
    }
    const auto columns = Columns(input.name, *header, {"home", "away", "text"}, {});
    if (columns.empty()) return specials;
    while (const auto next = rows.Next()) {
      const CsvRow& row = *next;
      if (!FieldCount(input.name, row, header->fields.size())) continue;
      if (static_cast<int>(specials.size()) == database::kSpecialCapacity) {
        Error(input.name, row.line,
              "the " + text::Ordinal(database::kSpecialCapacity + 1) +
                  " special fixture does not fit: the saver's list holds " +
                  std::to_string(database::kSpecialCapacity));
        break;
      }
      auto field = [&](const char* name) { return row.fields[columns.at(name)]; };
      auto home = Team(input.name, row.line, "home team", field("home"));
      auto away = Team(input.name, row.line, "away team", field("away"));
      auto text = Text(input.name, row.line, "text", field("text"));
      if (home && away && text) specials.push_back({*text, *home, *away});
    }
    return specials;
  }

 private:
  // The header's columns by name; empty (and an error) when a needed one is missing or one is
  // unknown.
  std::map<std::string, std::size_t> Columns(const std::string& file, const CsvRow& header,
                                             std::initializer_list<const char*> needed,
                                             std::initializer_list<const char*> optional) {
    std::map<std::string, std::size_t> columns;
    bool ok = true;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
      const std::string name = text::LowerCase(text::Trim(header.fields[i]));
      const auto known = [&](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
      };
      if (!known(needed) && !known(optional)) {
        Error(file, header.line, "unknown column \"" + name + "\" in the header line");
        ok = false;
      } else if (!columns.emplace(name, i).second) {
        Error(file, header.line, "column \"" + name + "\" twice in the header line");
        ok = false;
      }
    }
    for (const char* name : needed) {
      if (!columns.count(name)) {
        Error(file, header.line, std::string("no column \"") + name + "\" in the header line");
        ok = false;
      }
    }
    if (!ok) columns.clear();
    return columns;
  }

  bool FieldCount(const std::string& file, const CsvRow& row, std::size_t wanted) {
    if (row.fields.size() == wanted) return true;
    Error(file, row.line,
          std::to_string(row.fields.size()) + " fields where the header names " +
              std::to_string(wanted));
    return false;
  }

  Diagnostics& out_;
  const BuildOptions& options_;
  bool fitsWindows1252_ = true;  // every text so far
};

bool IsJson(const BuildInput& input) {
  const std::string name = text::LowerCase(input.name);
  if (name.size() >= 5 && name.compare(name.size() - 5, 5, ".json") == 0) return true;
  const std::string_view text = text::Trim(WithoutByteOrderMark(input.text), " \t\r\n");
  return !text.empty() && (text[0] == '{' || text[0] == '[');
}

// A fans' zone for a list none of whose kick-offs carries an offset, with no zone named for them:
// why the command cannot go on.
std::optional<std::string> BareTimesWithoutSourceZone(const std::string& file,
                                                      const std::vector<ListedMatch>& kept,
                                                      const BuildOptions& options) {
  if (!options.fansZone || options.sourceZone) return std::nullopt;
  bool timed = false;
  for (const ListedMatch& match : kept) {
    if (!match.time) continue;
    timed = true;
    const auto kickOff = ParseKickOff(text::Trim(*match.time));
    if (match.timeZone || !kickOff || kickOff->utcOffset) return std::nullopt;
  }
  if (!timed) return std::nullopt;
  return "the kick-offs in " + file +
         " carry no UTC offset: --source-zone AREA/CITY names the zone they are written in (a "
         "list whose times belong to several zones cannot be converted)";
}

// The database's content: its header, the special fixtures and the fixtures as records, the facts
// and the adverts.
database::DatabaseContent Content(std::vector<database::SpecialFixture> specials,
                                  const std::vector<Fixture>& fixtures,
                                  std::vector<std::string> facts, std::vector<std::string> adverts,
                                  int number, const std::optional<std::string>& kickOffZone,
                                  codepage::Encoding encoding) {
  database::DatabaseContent content;
  content.header.devname = tavoria::DEVNAME;
  content.header.title = "Tavoria national football team";
  content.header.publisher = tavoria::SCREENSAVER_COMPANY;
  content.header.number = std::to_string(number);
  content.header.about = "Database " + std::to_string(number);
  if (!fixtures.empty())
    content.header.about += " - fixtures from " + calendar::EnglishDate(fixtures.front().date) +
                            " to " + calendar::EnglishDate(fixtures.back().date);
  content.header.encoding = encoding;
  content.kickOffZone = kickOffZone;
  content.specials = std::move(specials);
  for (const Fixture& f : fixtures)
    content.fixtures.push_back({calendar::EnglishDate(f.date), f.caption,
                                database::MatchLine(f.home, f.away), f.kickOffText, f.ground,
                                f.instant});
  content.facts = std::move(facts);
  content.adverts = std::move(adverts);
  return content;
}

}  // namespace

BuildResult BuildDatabase(const BuildOptions& options) {
  BuildResult result;
  Builder builder(result.diagnostics, options);
  if (options.number < 0 || options.number > 32767)
    builder.Error("", 0, "the database number must be a whole number from 0 to 32767");

  const BuildInput& input = options.fixtures;
  std::vector<ListedMatch> kept;
  try {
    kept =
        builder.Selected(input.name,
                         IsJson(input) ? MatchesFromJson(input.name, input.text, result.diagnostics)
                                       : builder.MatchesFromCsv(input),
                         options, result);
  } catch (const InputError& e) {
    builder.Error(input.name, e.line, e.message);
  }
  if ((result.usageProblem = BareTimesWithoutSourceZone(input.name, kept, options))) return result;
  builder.Warn(input.name, kept, options);
  std::vector<Fixture> fixtures;
  for (const ListedMatch& match : kept)
    if (auto f = builder.MakeFixture(input.name, match, options)) fixtures.push_back(std::move(*f));
  std::vector<database::SpecialFixture> specials;
  std::vector<std::string> facts, adverts;
  try {
    if (options.specials) specials = builder.Specials(*options.specials);
  } catch (const InputError& e) {
    builder.Error(options.specials->name, e.line, e.message);
  }
  if (options.facts)
    facts = builder.Lines(*options.facts, "fact", database::kEndTrivia, database::kTriviaCapacity);
  if (options.adverts)
    adverts =
        builder.Lines(*options.adverts, "advert", database::kEndAds, database::kAdvertCapacity);

  // The saver shows fixtures in file order: by their instants, which every clock sees in the same
  // order, when every kick-off's zone is known; otherwise by date, then kick-off, as written, and
  // then no fixture carries an instant, so one file never mixes the two orders.
  const auto zoneless =
      std::find_if(fixtures.begin(), fixtures.end(), [](const Fixture& f) { return !f.instant; });
  if (zoneless == fixtures.end()) {
    std::stable_sort(fixtures.begin(), fixtures.end(),
                     [](const Fixture& a, const Fixture& b) { return *a.instant < *b.instant; });
  } else {
    if (std::any_of(fixtures.begin(), fixtures.end(), [](const Fixture& f) { return f.instant; }))
      builder.Warning(input.name, zoneless->line,
                      "the kick-off of \"" + zoneless->home + " vs " + zoneless->away +
                          "\" is on no known zone's clock, so no fixture carries its instant and "
                          "every fan sees the kick-offs as written; --source-zone AREA/CITY "
                          "names the zone of times without an offset");
    for (Fixture& f : fixtures) f.instant.reset();
    std::stable_sort(fixtures.begin(), fixtures.end(), [](const Fixture& a, const Fixture& b) {
      return a.date != b.date ? a.date < b.date : a.kickOff < b.kickOff;
    });
  }
  if (options.limit && static_cast<int>(fixtures.size()) > *options.limit)
    fixtures.resize(static_cast<std::size_t>(*options.limit));
  if (fixtures.size() > static_cast<std::size_t>(database::kFixtureCapacity)) {
    const Fixture& first = fixtures[static_cast<std::size_t>(database::kFixtureCapacity)];
    const auto more = fixtures.size() - static_cast<std::size_t>(database::kFixtureCapacity);
    builder.Error(input.name, first.line,
                  "the fixture \"" + Visible(first.home + " vs " + first.away) + "\" on " +
                      calendar::IsoDate(first.date) +
                      " does not fit: the saver's fixture list holds " +
                      std::to_string(database::kFixtureCapacity) +
                      " entries, in kick-off order this is the " +
                      text::Ordinal(database::kFixtureCapacity + 1) + " (" + std::to_string(more) +
                      " fixture" + (more == 1 ? "" : "s") + " too many; --limit " +
                      std::to_string(database::kFixtureCapacity) + " keeps the earliest)");
  }
  if (ErrorCount(result.diagnostics) > 0) return result;
  if (!fixtures.empty()) result.firstDate = fixtures.front().date;
  result.specials = static_cast<int>(specials.size());
  result.fixtures = static_cast<int>(fixtures.size());
  result.facts = static_cast<int>(facts.size());
  result.adverts = static_cast<int>(adverts.size());
  result.encoding = builder.Encoding();
  // The zone of every kick-off line: the fans', or the source zone of times without an offset.
  std::optional<std::string> kickOffZone;
  if (options.fansZone)
    kickOffZone = options.fansZone->name;
  else if (options.sourceZone && std::none_of(fixtures.begin(), fixtures.end(),
                                              [](const Fixture& f) { return f.ownOffset; }))
    kickOffZone = options.sourceZone->name;
  result.database = database::DatabaseText(Content(std::move(specials), fixtures, std::move(facts),
                                                   std::move(adverts), options.number, kickOffZone,
                                                   result.encoding));
  return result;
}

}  // namespace tavdb
