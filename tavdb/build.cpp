#include "tavdb/build.h"

#include <algorithm>
#include <map>
#include <vector>

#include "database/database_file.h"
#include "tavdb/csv.h"
#include "tavdb/encoding.h"
#include "tavdb/json.h"
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
  std::string kickOffText, caption, home, away, ground;  // Windows-1252
};

class Builder {
 public:
  explicit Builder(Diagnostics& out) : out_(out) {}

  void Error(const std::string& file, int line, std::string message) {
    out_.push_back(
        {.severity = Severity::Error, .line = line, .message = std::move(message), .file = file});
  }

  // A field as the database's bytes: blanks around it dropped, in Windows-1252, printable, one
  // line of the database. None (and an error) when it does not fit.
  std::optional<std::string> Text(const std::string& file, int line, const std::string& what,
                                  std::string_view utf8) {
    std::string problem;
    const auto bytes = Utf8To1252(text::Trim(utf8), problem);
    if (!bytes) {
      Error(file, line, "the " + what + ": " + problem);
      return std::nullopt;
    }
    for (char c : *bytes) {
      if (!IsPrintable1252(static_cast<unsigned char>(c))) {
        Error(file, line,
              "the " + what + " holds " +
                  (c == '\n' || c == '\r'
                       ? std::string("a line break")
                       : "a control character (" + Visible(std::string(1, c)) + ")") +
                  ": a database entry is one line of printable text");
        return std::nullopt;
      }
    }
    if (bytes->size() > util::TextReader::kLongestLine) {
      Error(file, line,
            "the " + what + " is longer than a database line may be (" +
                std::to_string(util::TextReader::kLongestLine) + " bytes)");
      return std::nullopt;
    }
    return bytes;
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

  // A fixture from its input fields; none when any field does not fit.
  std::optional<Fixture> MakeFixture(const std::string& file, int line, std::string_view date,
                                     std::string_view time, std::string_view caption,
                                     std::string_view home, std::string_view away,
                                     std::string_view ground) {
    Fixture f;
    f.line = line;
    bool ok = true;
    if (const auto d = calendar::ParseIsoDate(text::Trim(date))) {
      f.date = *d;
    } else {
      Error(file, line, "the date \"" + std::string(date) + "\" is not a date YYYY-MM-DD");
      ok = false;
    }
    const std::string_view kickOff = text::Trim(time);
    if (const auto t = calendar::ParseClockTime(kickOff.substr(0, 5));
        t && (kickOff.size() == 5 || kickOff[5] == ' ')) {
      f.kickOff = *t;
      f.kickOffText = std::string(kickOff.substr(0, 5));
    } else {
      Error(file, line, "the kick-off \"" + std::string(time) + "\" is not a time HH:MM");
      ok = false;
    }
    auto c = Text(file, line, "title", caption);
    auto h = Team(file, line, "home team", home);
    auto a = Team(file, line, "away team", away);
    auto g = Text(file, line, "ground", ground);
    if (!ok || !c || !h || !a || !g) return std::nullopt;
    f.caption = *c, f.home = *h, f.away = *a, f.ground = *g;
    return f;
  }

  std::vector<Fixture> FixturesFromCsv(const BuildInput& input) {
    std::vector<Fixture> fixtures;
    const auto rows = ReadCsv(input.text);
    if (rows.empty()) {
      Error(input.name, 1, "no header line: date,time,title,home,away[,ground] expected");
      return fixtures;
    }
    const auto columns =
        Columns(input.name, rows[0], {"date", "time", "title", "home", "away"}, {"ground"});
    if (columns.empty()) return fixtures;
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const CsvRow& row = rows[i];
      if (!FieldCount(input.name, row, rows[0].fields.size())) continue;
      auto field = [&](const char* name) -> std::string_view {
        const auto at = columns.find(name);
        return at == columns.end() ? std::string_view() : std::string_view(row.fields[at->second]);
      };
      if (auto f = MakeFixture(input.name, row.line, field("date"), field("time"), field("title"),
                               field("home"), field("away"), field("ground")))
        fixtures.push_back(std::move(*f));
    }
    return fixtures;
  }

  std::vector<Fixture> FixturesFromJson(const BuildInput& input) {
    std::vector<Fixture> fixtures;
    const Json document = ParseJson(input.text);
    const Json* matches = document.kind == Json::Kind::Array ? &document : document.Find("matches");
    if (!matches || matches->kind != Json::Kind::Array) {
      Error(input.name, document.line, "no \"matches\" list of fixtures");
      return fixtures;
    }
    const Json* name = document.Find("name");
    const std::string competition =
        name && name->kind == Json::Kind::String ? name->text : std::string();
    for (const Json& match : matches->items) {
      if (match.kind != Json::Kind::Object) {
        Error(input.name, match.line, "a fixture is not an object");
        continue;
      }
      auto text = [&](const char* key, bool needed) -> std::optional<std::string> {
        const Json* value = match.Find(key);
        if (value && value->kind == Json::Kind::String) return value->text;
        if (!value && !needed) return std::string();
        Error(input.name, value ? value->line : match.line,
              std::string("the fixture's \"") + key + "\" is " +
                  (value ? "not a string" : "missing"));
        return std::nullopt;
      };
      const auto date = text("date", true), time = text("time", true);
      const auto team1 = text("team1", true), team2 = text("team2", true);
      const auto group = text("group", false), round = text("round", false);
      const auto ground = text("ground", false);
      if (!date || !time || !team1 || !team2 || !group || !round || !ground) continue;
      std::string caption = !group->empty() ? *group : *round;
      if (!competition.empty())
        caption = caption.empty() ? competition : competition + ", " + caption;
      if (auto f =
              MakeFixture(input.name, match.line, *date, *time, caption, *team1, *team2, *ground))
        fixtures.push_back(std::move(*f));
    }
    return fixtures;
  }

  // Facts or adverts: one a line, blank lines left out; none may be the section's terminator.
  std::vector<std::string> Lines(const BuildInput& input, const char* what, const char* terminator,
                                 int capacity) {
    std::vector<std::string> lines;
    const auto all = text::SplitLines(WithoutByteOrderMark(input.text));
    for (std::size_t i = 0; i < all.size(); ++i) {
      const int line = static_cast<int>(i) + 1;
      if (text::Trim(all[i]).empty()) continue;
      auto entry = Text(input.name, line, what, all[i]);
      if (!entry) continue;
      if (*entry == terminator) {
        Error(input.name, line,
              std::string("\"") + terminator + "\" would end the section for the saver");
        continue;
      }
      if (static_cast<int>(lines.size()) == capacity - 1) {
        const int more = static_cast<int>(
            std::count_if(all.begin() + static_cast<std::ptrdiff_t>(i), all.end(),
                          [](const std::string& l) { return !text::Trim(l).empty(); }));
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
    const auto rows = ReadCsv(input.text);
    if (rows.empty()) {
      Error(input.name, 1, "no header line: home,away,text expected");
      return specials;
    }
    const auto columns = Columns(input.name, rows[0], {"home", "away", "text"}, {});
    if (columns.empty()) return specials;
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const CsvRow& row = rows[i];
      if (!FieldCount(input.name, row, rows[0].fields.size())) continue;
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
};

bool IsJson(const BuildInput& input) {
  const std::string name = text::LowerCase(input.name);
  if (name.size() >= 5 && name.compare(name.size() - 5, 5, ".json") == 0) return true;
  const std::string_view text = text::Trim(WithoutByteOrderMark(input.text), " \t\r\n");
  return !text.empty() && (text[0] == '{' || text[0] == '[');
}

std::string DatabaseText(const std::vector<database::SpecialFixture>& specials,
                         const std::vector<Fixture>& fixtures,
                         const std::vector<std::string>& facts,
                         const std::vector<std::string>& adverts, int number) {
  std::vector<std::string> lines = {tavoria::DEVNAME, "Tavoria national football team",
                                    tavoria::SCREENSAVER_COMPANY, std::to_string(number)};
  std::string about = "Database " + std::to_string(number);
  if (!fixtures.empty())
    about += " - fixtures from " + calendar::EnglishDate(fixtures.front().date) + " to " +
             calendar::EnglishDate(fixtures.back().date);
  lines.push_back(about);
  lines.push_back(tavoria::APP_VERSION);
  lines.push_back("Special fixtures");
  for (const auto& s : specials) {
    lines.push_back(s.homeTeam + " vs " + s.awayTeam);
    lines.push_back(s.text);
  }
  lines.push_back(database::kEndSpecialFixtures);
  lines.push_back("Fixtures (kick-off times are local)");
  for (const Fixture& f : fixtures) {
    lines.push_back(calendar::EnglishDate(f.date));
    lines.push_back(f.caption);
    lines.push_back(f.home + " vs " + f.away);
    lines.push_back(f.kickOffText);
    lines.push_back(f.ground);
  }
  lines.push_back(database::kEndFixtures);
  lines.push_back("Trivia");
  lines.insert(lines.end(), facts.begin(), facts.end());
  lines.push_back(database::kEndTrivia);
  lines.push_back("Adverts");
  lines.insert(lines.end(), adverts.begin(), adverts.end());
  lines.push_back(database::kEndAds);
  std::string text;
  for (const auto& line : lines) text += line + text::kCrLf;
  return text;
}

}  // namespace

BuildResult BuildDatabase(const BuildOptions& options) {
  BuildResult result;
  Builder builder(result.diagnostics);
  if (options.number < 0 || options.number > 32767)
    builder.Error("", 0, "the database number must be a whole number from 0 to 32767");

  std::vector<Fixture> fixtures;
  const BuildInput& input = options.fixtures;
  try {
    fixtures = IsJson(input) ? builder.FixturesFromJson(input) : builder.FixturesFromCsv(input);
  } catch (const InputError& e) {
    builder.Error(input.name, e.line, e.message);
  }
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

  // The saver shows fixtures in file order: by date, then kick-off, as the input lists them.
  std::stable_sort(fixtures.begin(), fixtures.end(), [](const Fixture& a, const Fixture& b) {
    return a.date != b.date ? a.date < b.date : a.kickOff < b.kickOff;
  });
  if (options.limit && static_cast<int>(fixtures.size()) > *options.limit)
    fixtures.resize(static_cast<std::size_t>(*options.limit));
  if (fixtures.size() > static_cast<std::size_t>(database::kFixtureCapacity)) {
    const Fixture& first = fixtures[static_cast<std::size_t>(database::kFixtureCapacity)];
    const auto more = fixtures.size() - static_cast<std::size_t>(database::kFixtureCapacity);
    builder.Error(
        input.name, first.line,
        "the fixture \"" + Visible(first.home + " vs " + first.away) + "\" on " +
            calendar::IsoDate(first.date) + " does not fit: the saver's fixture list holds " +
            std::to_string(database::kFixtureCapacity) + " entries, in date order this is the " +
            text::Ordinal(database::kFixtureCapacity + 1) + " (" + std::to_string(more) +
            " fixture" + (more == 1 ? "" : "s") + " too many; --limit " +
            std::to_string(database::kFixtureCapacity) + " keeps the earliest)");
  }
  if (ErrorCount(result.diagnostics) > 0) return result;
  result.database = DatabaseText(specials, fixtures, facts, adverts, options.number);
  if (!fixtures.empty()) result.firstDate = fixtures.front().date;
  result.specials = static_cast<int>(specials.size());
  result.fixtures = static_cast<int>(fixtures.size());
  result.facts = static_cast<int>(facts.size());
  result.adverts = static_cast<int>(adverts.size());
  return result;
}

}  // namespace tavdb
