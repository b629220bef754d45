#include "tavdb/fixture_json.h"

#include "tavdb/json.h"
#include "util/text.h"

namespace tavdb {

namespace {

// A string member, or an object member's "name"; empty for anything else.
std::string NameOf(const std::optional<Json>& value) {
  if (!value) return {};
  if (value->kind == Json::Kind::String) return value->Text();
  return NameOf(value->Find("name"));
}

// "ground", or "stadium" and "city" in the older layout.
std::string GroundOf(const Json& match) {
  if (const std::string ground = NameOf(match.Find("ground")); !ground.empty()) return ground;
  const std::string stadium = NameOf(match.Find("stadium"));
  const std::optional<Json> city = match.Find("city");
  const std::string place = city && city->kind == Json::Kind::String ? city->Text() : std::string();
  if (stadium.empty() || place.empty()) return stadium + place;
  return stadium + ", " + place;
}

class MatchReader {
 public:
  MatchReader(const std::string& file, std::string competition, Diagnostics& out)
      : file_(file), competition_(std::move(competition)), out_(out) {}

  std::optional<ListedMatch> Read(const Json& match, const std::string& round) {
    if (match.kind != Json::Kind::Object) {
      Error(match.line, "a fixture is not an object");
      return std::nullopt;
    }
    ListedMatch listed;
    listed.line = match.line;
    std::string group, ownRound;
    bool ok = Text(match, "date", true, listed.date);
    ok = Team(match, "team1", listed.home) && ok;
    ok = Team(match, "team2", listed.away) && ok;
    ok = Text(match, "group", false, group) && ok;
    ok = Text(match, "round", false, ownRound) && ok;
    listed.time = Optional(match, "time", ok);
    listed.timeZone = Optional(match, "timezone", ok);
    if (!ok) return std::nullopt;
    if (const std::optional<Json> status = match.Find("status");
        status && status->kind == Json::Kind::String)
      listed.status = status->Text();
    const std::string part = !group.empty() ? group : !ownRound.empty() ? ownRound : round;
    listed.caption =
        competition_.empty() || part.empty() ? competition_ + part : competition_ + ", " + part;
    listed.ground = GroundOf(match);
    return listed;
  }

 private:
  void Error(int line, std::string message) {
    out_.push_back(
        {.severity = Severity::Error, .line = line, .message = std::move(message), .file = file_});
  }

  void NotA(const Json& match, const std::optional<Json>& value, const char* key,
            const std::string& what) {
    Error(value ? value->line : match.line,
          std::string("the fixture's \"") + key + "\" is " + (value ? what : "missing"));
  }

  bool Text(const Json& match, const char* key, bool needed, std::string& into) {
    const std::optional<Json> value = match.Find(key);
    if (value && value->kind == Json::Kind::String) {
      into = value->Text();
      return true;
    }
    if (!value && !needed) return true;
    NotA(match, value, key, "not a string");
    return false;
  }

  // A string when present and not null; none for an empty one.
  std::optional<std::string> Optional(const Json& match, const char* key, bool& ok) {
    const std::optional<Json> value = match.Find(key);
    if (!value || value->kind == Json::Kind::Null) return std::nullopt;
    if (value->kind != Json::Kind::String) {
      NotA(match, value, key, "not a string");
      ok = false;
      return std::nullopt;
    }
    if (text::Trim(value->Text()).empty()) return std::nullopt;
    return value->Text();
  }

  // A team: its name, or an object with its "name".
  bool Team(const Json& match, const char* key, std::string& into) {
    const std::optional<Json> value = match.Find(key);
    const std::optional<Json> name = value ? value->Find("name") : std::nullopt;
    if (value && value->kind == Json::Kind::String) {
      into = value->Text();
    } else if (name && name->kind == Json::Kind::String) {
      into = name->Text();
    } else {
      NotA(match, value, key, "not a team (a name, or an object with a \"name\")");
      return false;
    }
    return true;
  }

  const std::string& file_;
  std::string competition_;
  Diagnostics& out_;
};

}  // namespace

std::vector<ListedMatch> MatchesFromJson(const std::string& file, std::string_view text,
                                         Diagnostics& out) {
  std::vector<ListedMatch> matches;
  const JsonDocument parsed(text);
  const Json document = parsed.Root();
  const std::optional<Json> name = document.Find("name");
  MatchReader reader(file, name && name->kind == Json::Kind::String ? name->Text() : "", out);
  int entries = 0;
  // False once the list holds more entries than are read.
  auto readAll = [&](const Json& list, const std::string& round) {
    for (const Json& match : list.Items()) {
      if (++entries > kMostListedMatches) {
        out.push_back({.severity = Severity::Error,
                       .line = match.line,
                       .message = "more than " + std::to_string(kMostListedMatches) +
                                  " fixtures in one list, the most tavdb reads",
                       .file = file});
        matches.clear();  // a list refused whole
        return false;
      }
      if (auto listed = reader.Read(match, round)) matches.push_back(std::move(*listed));
    }
    return true;
  };

  const std::optional<Json> list =
      document.kind == Json::Kind::Array ? document : document.Find("matches");
  const std::optional<Json> rounds = document.Find("rounds");
  if ((!list || list->kind != Json::Kind::Array) &&
      (!rounds || rounds->kind != Json::Kind::Array)) {
    out.push_back({.severity = Severity::Error,
                   .line = document.line,
                   .message = "no \"matches\" or \"rounds\" list of fixtures",
                   .file = file});
    return matches;
  }
  if (list && list->kind == Json::Kind::Array && !readAll(*list, "")) return matches;
  if (rounds && rounds->kind == Json::Kind::Array) {
    for (const Json& round : rounds->Items()) {
      const std::optional<Json> roundMatches = round.Find("matches");
      if (!roundMatches || roundMatches->kind != Json::Kind::Array) {
        out.push_back({.severity = Severity::Error,
                       .line = round.line,
                       .message = "a round without a \"matches\" list",
                       .file = file});
        continue;
      }
      if (!readAll(*roundMatches, NameOf(round.Find("name")))) break;
    }
  }
  return matches;
}

}  // namespace tavdb
