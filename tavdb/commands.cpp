#include "tavdb/commands.h"

#include <algorithm>
#include <map>
#include <new>
#include <optional>
#include <set>

#include "database/loader.h"
#include "platform/whole_file.h"
#include "tavdb/build.h"
#include "tavdb/check.h"
#include "tavdb/encoding.h"
#include "tavdb/show.h"
#include "tavdb/zone_info.h"
#include "util/calendar.h"
#include "util/error_report.h"
#include "util/text.h"

namespace tavdb {

const char* const kUsage =
    "usage: tavdb check FILE [--date YYYY-MM-DD] [--order dmy|mdy|ymd] [--previous FILE]\n"
    "       tavdb show FILE [--date YYYY-MM-DD [--time HH:MM]] [--order dmy|mdy|ymd]\n"
    "                  [--zone AREA/CITY]\n"
    "       tavdb build FIXTURES [--facts FILE] [--adverts FILE] [--specials FILE] --number N\n"
    "                   [--limit N] [--team NAME]... [--zone AREA/CITY] [--source-zone AREA/CITY]\n"
    "                   [--without-time skip|HH:MM] [--code-page 1250..1258|UTF-8] -o OUT\n"
    "\n"
    "check  reports every error the saver would stop on and what users would see wrongly,\n"
    "       as FILE:LINE: error|warning: ... on standard error, for the day (default today)\n"
    "       and the regional date order (default dmy); --previous warns when the database\n"
    "       number is not higher than the previous database's.\n"
    "show   prints what the saver shows on that day (default today; --time defaults to the\n"
    "       time now without --date, to 00:00 with it): each fixture text, the out-of-date\n"
    "       notices, the facts and the adverts, one a line, in order, as UTF-8; a line break\n"
    "       inside a text is written \" | \". --zone shows the kick-offs that carry their\n"
    "       instant as a fan in that zone sees them, the date and time being that zone's.\n"
    "build  writes a complete database (CR LF lines) from UTF-8 lists: FIXTURES in CSV\n"
    "       (header date,time,title,home,away[,ground]; date YYYY-MM-DD, time HH:MM or\n"
    "       HH:MM UTC-6) or JSON (a \"matches\" list, or \"rounds\" of \"matches\"; each with\n"
    "       \"date\", \"time\": \"HH:MM UTC-6\" (or a \"timezone\" field), \"team1\", \"team2\",\n"
    "       \"group\"|\"round\", \"ground\"); --facts and --adverts one a line; --specials CSV\n"
    "       (header home,away,text). Fixtures go in kick-off order; --limit N keeps the\n"
    "       earliest N. --team NAME keeps the matches NAME plays (repeat it for more teams).\n"
    "       --zone writes the kick-offs on that zone's clock (an IANA name such as\n"
    "       Europe/London); times without an offset are on the --source-zone clock. Where a\n"
    "       kick-off's zone is known, its instant is written too, and savers show it on the\n"
    "       fans' own clock. A match with no kick-off time is an error unless --without-time\n"
    "       leaves it out (skip) or gives it a time HH:MM. The text is Windows-1252 when every\n"
    "       character fits, else UTF-8, or in the --code-page named; the database says which.\n"
    "\n"
    "Exit status: 0 all is well, 1 errors in the file or an input, 2 bad usage, a file that\n"
    "cannot be read or written, or too little memory.\n";

namespace {

constexpr int kFine = 0, kErrors = 1, kTrouble = 2;

struct Usage {
  std::string why;
};

// The command's words: the files named and the options given, each with its values in order.
struct Arguments {
  std::vector<std::string> files;
  std::map<std::string, std::vector<std::string>> options;

  std::optional<std::string> Option(const std::string& name) const {
    const auto at = options.find(name);
    if (at == options.end()) return std::nullopt;
    return at->second.front();
  }
  std::vector<std::string> Values(const std::string& name) const {
    const auto at = options.find(name);
    return at == options.end() ? std::vector<std::string>() : at->second;
  }
};

// `repeatable`: the options that may be given more than once.
Arguments Parse(const std::vector<std::string>& args, const std::set<std::string>& known,
                const std::set<std::string>& repeatable = {}) {
  Arguments parsed;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() > 1 && word[0] == '-') {
      if (!known.count(word)) throw Usage{"unknown option " + word};
      if (i + 1 >= args.size()) throw Usage{word + " needs a value"};
      auto& values = parsed.options[word];
      if (!values.empty() && !repeatable.count(word)) throw Usage{word + " given twice"};
      values.push_back(args[++i]);
    } else {
      parsed.files.push_back(word);
    }
  }
  return parsed;
}

std::string OneFile(const Arguments& parsed, const char* what) {
  if (parsed.files.size() != 1) throw Usage{std::string("one ") + what + " expected"};
  return parsed.files[0];
}

int Number(const std::string& option, const std::string& text, int largest) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    throw Usage{option + " needs a whole number"};
  const int value = std::stoi(text);
  if (value > largest) throw Usage{option + " may be at most " + std::to_string(largest)};
  return value;
}

// The moment and regional settings the saver is run for.
struct When {
  calendar::Moment moment;
  calendar::RegionalSettings regional;
};

When WhenOf(const Arguments& parsed, const calendar::Moment& now, bool timeOfDay) {
  When when{now, {}};
  if (const auto date = parsed.Option("--date")) {
    const auto day = calendar::ParseIsoDate(*date);
    if (!day) throw Usage{"--date needs a date YYYY-MM-DD"};
    when.moment = {*day, 0};
  }
  if (const auto time = parsed.Option("--time")) {
    if (!timeOfDay) throw Usage{"unknown option --time"};
    if (!parsed.Option("--date")) throw Usage{"--time goes with --date"};
    const auto seconds = calendar::ParseClockTime(*time);
    if (!seconds) throw Usage{"--time needs a time HH:MM"};
    when.moment.secondsOfDay = *seconds;
  }
  if (const auto order = parsed.Option("--order")) {
    if (*order == "dmy")
      when.regional.dateOrder = calendar::DateOrder::DayMonthYear;
    else if (*order == "mdy")
      when.regional.dateOrder = calendar::DateOrder::MonthDayYear;
    else if (*order == "ymd")
      when.regional.dateOrder = calendar::DateOrder::YearMonthDay;
    else
      throw Usage{"--order is dmy, mdy or ymd"};
  }
  return when;
}

const char* OrderWord(calendar::DateOrder order) {
  switch (order) {
    case calendar::DateOrder::DayMonthYear:
      return "dmy";
    case calendar::DateOrder::MonthDayYear:
      return "mdy";
    case calendar::DateOrder::YearMonthDay:
      return "ymd";
  }
  return "";
}

// A database as the saver reads it, and one byte more, so the check tells a larger file.
std::string ReadDatabase(platform::Files& files, const std::string& path) {
  return platform::ReadFile(files, platform::SystemName(path), database::kLongestDatabase + 1);
}

int CannotRead(std::ostream& err, const std::string& path, const util::Failure& failure) {
  err << path << ": error: cannot read the file: " << failure.description() << " (code "
      << failure.code() << ")\n";
  return kTrouble;
}

std::string Plural(int n, const std::string& word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// What the saver's loader does with the file, in one sentence.
std::string Verdict(const database::LoadedDatabase& loaded) {
  if (loaded.error) return SaverOutcome(loaded.error->code, loaded.error->tooNew);
  return "the saver loads it: " +
         Plural(static_cast<int>(loaded.fixtures.texts.size()), "fixture text") + ", " +
         Plural(static_cast<int>(loaded.Facts().size()), "fact") + ", " +
         Plural(static_cast<int>(loaded.Adverts().size()), "advert");
}

// The computer tavdb reads a database for: the moment and regional settings given, undeclared
// text read as Windows-1252, and instants shown on the zone's clock when one is given.
database::Computer ComputerFor(const When& when, const std::optional<NamedZone>& zone) {
  database::Computer computer{when.moment, when.regional, {}, UndeclaredText};
  if (zone)
    computer.localMomentOf = [rules = zone->rules](std::chrono::sys_seconds instant) {
      return std::optional(calendar::MomentOf(rules.ToLocal(instant)));
    };
  return computer;
}

// The rules of the zones the check meets, read from the zoneinfo folder.
std::function<tz::TimeZone(const std::string&)> ZoneRules(platform::Files& files,
                                                          const std::string& zoneInfo) {
  return [&files, zoneInfo](const std::string& name) {
    return ReadZone(files, zoneInfo, name, "the fixtures' heading").rules;
  };
}

int Check(const std::vector<std::string>& args, platform::Files& files, const calendar::Moment& now,
          const std::string& zoneInfo, std::ostream& out, std::ostream& err) {
  const Arguments parsed = Parse(args, {"--date", "--order", "--previous"});
  const std::string path = OneFile(parsed, "database file");
  const When when = WhenOf(parsed, now, false);
  CheckOptions options;
  options.moment = {when.moment.date, 0};
  options.regional = when.regional;
  options.zoneRules = ZoneRules(files, zoneInfo);
  if (const auto previous = parsed.Option("--previous")) {
    try {
      const auto number = database::DatabaseNumber(ReadDatabase(files, *previous));
      options.previousNumber = number ? *number : -1;
    } catch (const util::Failure& failure) {
      return CannotRead(err, *previous, failure);
    }
    options.previousName = *previous;
  }
  std::string bytes;
  try {
    bytes = ReadDatabase(files, path);
  } catch (const util::Failure& failure) {
    return CannotRead(err, path, failure);
  }
  Diagnostics diagnostics = CheckDatabase(bytes, options);
  // The saver's own loader has the last word: the check never calls clean what it refuses.
  const database::LoadedDatabase loaded =
      database::Load(bytes, ComputerFor({options.moment, options.regional}, std::nullopt));
  if (ErrorCount(diagnostics) == 0 && loaded.error)
    diagnostics.push_back({.severity = Severity::Error,
                           .line = loaded.error->line,
                           .message = "the saver's loader refuses the file where the check found "
                                      "nothing: " +
                                      Verdict(loaded),
                           .code = loaded.error->code});
  Print(err, diagnostics, path);
  const int errors = ErrorCount(diagnostics);
  const int warnings = WarningCount(diagnostics);
  out << path << ": " << Plural(errors, "error") << ", " << Plural(warnings, "warning") << " on "
      << calendar::IsoDate(options.moment.date) << " in " << OrderWord(options.regional.dateOrder)
      << " order; " << Verdict(loaded) << "\n";
  return errors > 0 ? kErrors : kFine;
}

int Show(const std::vector<std::string>& args, platform::Files& files, const calendar::Moment& now,
         const std::string& zoneInfo, std::ostream& out, std::ostream& err) {
  const Arguments parsed = Parse(args, {"--date", "--time", "--order", "--zone"});
  const std::string path = OneFile(parsed, "database file");
  const When when = WhenOf(parsed, now, true);
  std::optional<NamedZone> zone;
  if (const auto name = parsed.Option("--zone")) {
    if (!tz::ZoneFilePath(*name))
      throw Usage{"--zone needs a time zone name such as Europe/London"};
    try {
      zone = ReadZone(files, zoneInfo, *name, "--zone");
    } catch (const ZoneInfoError& e) {
      err << "tavdb: " << e.what() << "\n";
      return kTrouble;
    }
  }
  std::string bytes;
  try {
    bytes = ReadDatabase(files, path);
  } catch (const util::Failure& failure) {
    return CannotRead(err, path, failure);
  }
  const database::LoadedDatabase loaded = database::Load(bytes, ComputerFor(when, zone));
  for (const std::string& line : ShownTexts(loaded)) out << line << "\n";
  if (!loaded.error) return kFine;
  const database::LoadError& error = *loaded.error;
  if (database::TextInsteadOfContent(error)) {
    err << path << ": error: " << Verdict(loaded) << "\n";
    return kErrors;
  }
  // The general error report, word for word.
  const tavoria::ErrorReport report =
      tavoria::GeneralErrorReportText(util::Failure(error.code, error.description));
  err << path << ": error: " << Verdict(loaded) << ":\n"
      << "  " << Visible(report.title) << "\n";
  for (const std::string& line : text::SplitLines(report.text))
    err << "  " << Visible(line) << "\n";
  return kErrors;
}

// The checks of a built database on its first fixture's day: errors in every regional order (each
// once, however many orders find it), the warnings of the day-month-year order, and the saver's
// own loader in each.
Diagnostics CheckBuilt(const std::string& bytes, const calendar::Date& firstDay,
                       const std::function<tz::TimeZone(const std::string&)>& zoneRules) {
  Diagnostics found;
  for (calendar::DateOrder order : kOrders) {
    CheckOptions check;
    check.moment = {firstDay, 0};
    check.regional.dateOrder = order;
    check.zoneRules = zoneRules;
    for (Diagnostic& d : CheckDatabase(bytes, check)) {
      const bool known = std::any_of(found.begin(), found.end(), [&](const Diagnostic& f) {
        return f.line == d.line && f.message == d.message;
      });
      if (!known && (d.severity == Severity::Error || order == calendar::DateOrder::DayMonthYear))
        found.push_back(std::move(d));
    }
    const database::LoadedDatabase loaded =
        database::Load(bytes, ComputerFor({check.moment, check.regional}, std::nullopt));
    if (loaded.error)
      found.push_back(
          {.severity = Severity::Error,
           .line = loaded.error->line,
           .message = "in " + std::string(OrderWord(order)) + " order " + Verdict(loaded)});
  }
  return found;
}

// The options that choose and place the fixtures: the teams, what to do without a kick-off time,
// and the zones' names (their rules are read later).
void ChoosingOptions(const Arguments& parsed, BuildOptions& options) {
  for (const std::string& team : parsed.Values("--team")) {
    if (text::Trim(team).empty()) throw Usage{"--team needs a team's name"};
    options.teams.push_back(team);
  }
  if (const auto without = parsed.Option("--without-time")) {
    options.skipWithoutTime = *without == "skip";
    options.timeWithoutTime = calendar::ParseClockTime(*without);
    if (!options.skipWithoutTime && !options.timeWithoutTime)
      throw Usage{"--without-time is skip or a time HH:MM"};
  }
  if (const auto name = parsed.Option("--code-page")) {
    options.codePage = codepage::EncodingNamed(*name);
    if (!options.codePage) throw Usage{"--code-page is one of 1250 to 1258, or UTF-8"};
  }
  for (const char* option : {"--zone", "--source-zone"}) {
    const auto name = parsed.Option(option);
    if (name && !tz::ZoneFilePath(*name))
      throw Usage{std::string(option) + " needs a time zone name such as Europe/London"};
  }
}

// The zones named, from the zoneinfo folder. Throws ZoneInfoError.
void ReadZones(const Arguments& parsed, platform::Files& files, const std::string& zoneInfo,
               BuildOptions& options) {
  if (const auto name = parsed.Option("--zone"))
    options.fansZone = ReadZone(files, zoneInfo, *name, "--zone");
  if (const auto name = parsed.Option("--source-zone"))
    options.sourceZone = ReadZone(files, zoneInfo, *name, "--source-zone");
}

// "OUT: 1 special fixture, 3 fixtures, ..., 792 bytes", the zone and the tzdata version of the
// times, and what was left out.
std::string BuildSummary(const std::string& target, const BuildOptions& options,
                         const BuildResult& built, const std::string& tzdata, std::size_t bytes) {
  std::string summary = target + ": " + Plural(built.specials, "special fixture") + ", " +
                        Plural(built.fixtures, "fixture") + ", " + Plural(built.facts, "fact") +
                        ", " + Plural(built.adverts, "advert") + ", database number " +
                        std::to_string(options.number) + ", " + std::to_string(bytes) +
                        " bytes of " + codepage::NameOf(built.encoding) + " text";
  if (options.fansZone)
    summary += ", times in " + options.fansZone->name + " (tzdata " + tzdata + ")";
  std::string leftOut;
  const LeftOut& left = built.leftOut;
  for (const auto& [count, why] : {std::pair{left.postponed, "postponed"},
                                   {left.cancelled, "cancelled"},
                                   {left.awarded, "awarded"},
                                   {left.withoutTime, "without a kick-off time"}}) {
    if (count > 0) leftOut += (leftOut.empty() ? "" : ", ") + std::to_string(count) + " " + why;
  }
  if (!leftOut.empty()) summary += "; left out: " + leftOut;
  if (built.notKnownYet > 0) {
    std::string teams;
    for (std::size_t i = 0; i < built.teamNames.size(); ++i)
      teams += (i == 0 ? "" : " or ") + built.teamNames[i] + "'s";
    summary += "; " + std::to_string(built.notKnownYet) +
               (built.notKnownYet == 1 ? " other match has a team" : " other matches have teams") +
               " not known yet and may become " + teams;
  }
  return summary;
}

int Build(const std::vector<std::string>& args, platform::Files& files, const calendar::Moment& now,
          const std::string& zoneInfo, std::ostream& out, std::ostream& err) {
  const Arguments parsed =
      Parse(args,
            {"--facts", "--adverts", "--specials", "--number", "--limit", "-o", "--team", "--zone",
             "--source-zone", "--without-time", "--code-page"},
            {"--team"});
  BuildOptions options;
  options.fixtures.name = OneFile(parsed, "fixture list");
  const auto number = parsed.Option("--number");
  if (!number) throw Usage{"--number N is needed"};
  options.number = Number("--number", *number, 32767);
  if (const auto limit = parsed.Option("--limit"))
    options.limit = Number("--limit", *limit, 100000);
  const auto target = parsed.Option("-o");
  if (!target) throw Usage{"-o OUT is needed"};
  ChoosingOptions(parsed, options);

  // Each input read to one byte past the limit, which is then an error.
  struct TooLong {};
  auto read = [&](const std::string& path) {
    BuildInput input{path,
                     platform::ReadFile(files, platform::SystemName(path), kLongestInput + 1)};
    if (input.text.size() > kLongestInput) throw TooLong{};
    return input;
  };
  std::string reading = options.fixtures.name;
  try {
    options.fixtures = read(options.fixtures.name);
    if (const auto facts = parsed.Option("--facts")) options.facts = read(reading = *facts);
    if (const auto adverts = parsed.Option("--adverts")) options.adverts = read(reading = *adverts);
    if (const auto specials = parsed.Option("--specials"))
      options.specials = read(reading = *specials);
  } catch (const util::Failure& failure) {
    return CannotRead(err, reading, failure);
  } catch (const TooLong&) {
    err << reading << ": error: larger than tavdb reads (" << (kLongestInput >> 20)
        << " MiB); nothing was written\n";
    return kErrors;
  }
  std::string tzdata;
  try {
    ReadZones(parsed, files, zoneInfo, options);
    if (options.fansZone) tzdata = ReadTzdataVersion(files, zoneInfo).value_or("version unknown");
  } catch (const ZoneInfoError& e) {
    err << "tavdb: " << e.what() << "\n";
    return kTrouble;
  }

  const BuildResult built = BuildDatabase(options);
  if (built.usageProblem) throw Usage{*built.usageProblem};
  Print(err, built.diagnostics, *target);
  if (ErrorCount(built.diagnostics) > 0) return kErrors;

  // Written beside the target, read back and checked there, by the saver's rules in every
  // regional order with no fixture past, before it takes the target's place.
  struct Refused {};
  struct NotReadBack {
    util::Failure failure;
  };
  const std::string temporary = *target + ".tavdb-new";
  Diagnostics found;
  try {
    platform::ReplaceFile(files, platform::SystemName(*target), platform::SystemName(temporary),
                          [&](const platform::SystemName& temp) {
                            files.WriteNew(temp, built.database);
                            std::string written;
                            try {
                              written = ReadDatabase(files, temp.utf8());
                            } catch (const util::Failure& failure) {
                              throw NotReadBack{failure};
                            }
                            found = CheckBuilt(written, built.firstDate.value_or(now.date),
                                               ZoneRules(files, zoneInfo));
                            if (ErrorCount(found) > 0) throw Refused{};
                          });
  } catch (const Refused&) {
    Print(err, found, *target);
    err << *target << ": error: the built database fails its check; nothing was written\n";
    return kErrors;
  } catch (const NotReadBack& e) {
    err << *target << ": error: cannot read back the database written beside it as " << temporary
        << ": " << e.failure.description() << " (code " << e.failure.code()
        << "); nothing was written\n";
    return kTrouble;
  } catch (const util::Failure& failure) {
    err << *target << ": error: cannot write the database: " << failure.description() << " (code "
        << failure.code() << ")\n";
    return kTrouble;
  }
  Print(err, found, *target);
  out << BuildSummary(*target, options, built, tzdata, built.database.size()) << "\n";
  return kFine;
}

}  // namespace

int RunTavdb(const std::vector<std::string>& args, platform::Files& files,
             const calendar::Moment& now, const std::string& zoneInfo, std::ostream& out,
             std::ostream& err) {
  const std::string command = args.empty() ? std::string() : args[0];
  if (command == "help" || command == "--help" || command == "-h") {
    out << kUsage;
    return kFine;
  }
  try {
    if (command == "check") return Check(args, files, now, zoneInfo, out, err);
    if (command == "show") return Show(args, files, now, zoneInfo, out, err);
    if (command == "build") return Build(args, files, now, zoneInfo, out, err);
    throw Usage{command.empty() ? "a command is needed" : "unknown command " + command};
  } catch (const Usage& usage) {
    err << "tavdb: " << usage.why << "\n" << kUsage;
    return kTrouble;
  } catch (const std::bad_alloc&) {
    // What the command held is freed by now; a temporary file is removed on the way out.
    err << "tavdb: out of memory: the computer gives tavdb too little for this command\n";
    return kTrouble;
  }
}

}  // namespace tavdb
