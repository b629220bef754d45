#include "tavdb/commands.h"

#include <map>
#include <optional>
#include <set>

#include "platform/replace_file.h"
#include "platform/text.h"
#include "tavdb/build.h"
#include "tavdb/calendar.h"
#include "tavdb/check.h"
#include "tavdb/encoding.h"
#include "tavdb/saver_run.h"
#include "tavdb/show.h"

namespace tavdb {

const char* const kUsage =
    "usage: tavdb check FILE [--date YYYY-MM-DD] [--order dmy|mdy|ymd] [--previous FILE]\n"
    "       tavdb show FILE [--date YYYY-MM-DD [--time HH:MM]] [--order dmy|mdy|ymd]\n"
    "       tavdb build FIXTURES [--facts FILE] [--adverts FILE] [--specials FILE] --number N\n"
    "                   [--limit N] -o OUT\n"
    "\n"
    "check  reports every error the saver would stop on and what users would see wrongly,\n"
    "       as FILE:LINE: error|warning: ... on standard error, for the day (default today)\n"
    "       and the regional date order (default dmy); --previous warns when the database\n"
    "       number is not higher than the previous database's.\n"
    "show   prints what the saver shows on that day (default today; --time defaults to the\n"
    "       time now without --date, to 00:00 with it): each fixture text, the out-of-date\n"
    "       notices, the facts and the adverts, one a line, in order, as UTF-8; a line break\n"
    "       inside a text is written \" | \".\n"
    "build  writes a complete database (Windows-1252, CR LF) from UTF-8 lists: FIXTURES in CSV\n"
    "       (header date,time,title,home,away[,ground]; date YYYY-MM-DD, time HH:MM) or JSON\n"
    "       ({\"name\":..,\"matches\":[{\"date\",\"time\":\"HH:MM UTC-6\",\"team1\",\"team2\",\n"
    "       \"group\"|\"round\",\"ground\"}]}); --facts and --adverts one a line; --specials CSV\n"
    "       (header home,away,text). Fixtures go in date order; --limit N keeps the earliest N.\n"
    "\n"
    "Exit status: 0 all is well, 1 errors in the file or an input, 2 bad usage or a file that\n"
    "cannot be read or written.\n";

namespace {

constexpr int kFine = 0, kErrors = 1, kTrouble = 2;

struct Usage {
  std::string why;
};

// The command's words: the files named and the options given.
struct Arguments {
  std::vector<std::string> files;
  std::map<std::string, std::string> options;

  std::optional<std::string> Option(const std::string& name) const {
    const auto at = options.find(name);
    if (at == options.end()) return std::nullopt;
    return at->second;
  }
};

Arguments Parse(const std::vector<std::string>& args, const std::set<std::string>& known) {
  Arguments parsed;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() > 1 && word[0] == '-') {
      if (!known.count(word)) throw Usage{"unknown option " + word};
      if (i + 1 >= args.size()) throw Usage{word + " needs a value"};
      if (!parsed.options.emplace(word, args[++i]).second) throw Usage{word + " given twice"};
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

// The moment and regional order the saver is run for.
platform::FixedClock ClockOf(const Arguments& parsed, const platform::FixedClock& now,
                             bool timeOfDay) {
  platform::FixedClock clock = now;
  if (const auto date = parsed.Option("--date")) {
    const auto day = ParseIsoDate(*date);
    if (!day) throw Usage{"--date needs a date YYYY-MM-DD"};
    clock.date = *day;
    clock.secondsOfDay = 0;
  }
  if (const auto time = parsed.Option("--time")) {
    if (!timeOfDay) throw Usage{"unknown option --time"};
    if (!parsed.Option("--date")) throw Usage{"--time goes with --date"};
    const auto seconds = ParseClockTime(*time);
    if (!seconds) throw Usage{"--time needs a time HH:MM"};
    clock.secondsOfDay = *seconds;
  }
  if (const auto order = parsed.Option("--order")) {
    if (*order == "dmy")
      clock.dateOrder = platform::DateOrder::DayMonthYear;
    else if (*order == "mdy")
      clock.dateOrder = platform::DateOrder::MonthDayYear;
    else if (*order == "ymd")
      clock.dateOrder = platform::DateOrder::YearMonthDay;
    else
      throw Usage{"--order is dmy, mdy or ymd"};
  }
  return clock;
}

const char* OrderWord(platform::DateOrder order) {
  switch (order) {
    case platform::DateOrder::DayMonthYear:
      return "dmy";
    case platform::DateOrder::MonthDayYear:
      return "mdy";
    case platform::DateOrder::YearMonthDay:
      return "ymd";
  }
  return "";
}

// Fails (for exit status 2) when the file cannot be opened for reading.
void Readable(platform::Files& files, const std::string& path) {
  files.OpenForReading(path);
}

std::string ReadText(platform::Files& files, const std::string& path) {
  auto file = files.OpenForReading(path);
  std::string bytes;
  char buffer[1 << 14];
  for (std::size_t n; (n = file->Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return bytes;
}

int CannotRead(std::ostream& err, const std::string& path, const platform::Failure& failure) {
  err << path << ": error: cannot read the file: " << failure.description() << " (code "
      << failure.code() << ")\n";
  return kTrouble;
}

std::string Plural(int n, const std::string& word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// What the saver's loader does with the file, in one sentence.
std::string Verdict(const SaverRun& run) {
  if (run.report) return SaverOutcome(run.reportCode, false);
  if (!run.substitute.empty())
    return "the saver shows \"" + run.substitute + "\" instead of its content";
  // The terminators are counted.
  return "the saver loads it: " + Plural(run.fixtureCount, "fixture text") + ", " +
         Plural(run.triviaCount - 1, "fact") + ", " + Plural(run.advertCount - 1, "advert");
}

int Check(const std::vector<std::string>& args, platform::Files& files,
          const platform::FixedClock& now, std::ostream& out, std::ostream& err) {
  const Arguments parsed = Parse(args, {"--date", "--order", "--previous"});
  const std::string path = OneFile(parsed, "database file");
  CheckOptions options;
  options.clock = ClockOf(parsed, now, false);
  if (!parsed.Option("--date")) options.clock.secondsOfDay = 0;
  if (const auto previous = parsed.Option("--previous")) {
    try {
      Readable(files, *previous);
    } catch (const platform::Failure& failure) {
      return CannotRead(err, *previous, failure);
    }
    options.previousNumber = SaverDatabaseNumber(files, *previous);
    options.previousName = *previous;
  }
  Diagnostics diagnostics;
  try {
    diagnostics = CheckDatabase(files, path, options);
  } catch (const platform::Failure& failure) {
    return CannotRead(err, path, failure);
  }
  // The saver's own loader has the last word: the check never calls clean what it refuses.
  const SaverRun run = RunSaverLoader(files, path, options.clock);
  if (ErrorCount(diagnostics) == 0 && !run.Clean())
    diagnostics.push_back({.severity = Severity::Error,
                           .line = 1,
                           .message = "the saver's loader refuses the file where the check found "
                                      "nothing: " +
                                      Verdict(run),
                           .code = run.reportCode});
  for (const Diagnostic& d : diagnostics) err << Format(d, path) << "\n";
  const int errors = ErrorCount(diagnostics);
  const int warnings = static_cast<int>(diagnostics.size()) - errors;
  out << path << ": " << Plural(errors, "error") << ", " << Plural(warnings, "warning") << " on "
      << IsoDate(options.clock.date) << " in " << OrderWord(options.clock.dateOrder) << " order; "
      << Verdict(run) << "\n";
  return errors > 0 ? kErrors : kFine;
}

int Show(const std::vector<std::string>& args, platform::Files& files,
         const platform::FixedClock& now, std::ostream& out, std::ostream& err) {
  const Arguments parsed = Parse(args, {"--date", "--time", "--order"});
  const std::string path = OneFile(parsed, "database file");
  const platform::FixedClock clock = ClockOf(parsed, now, true);
  try {
    Readable(files, path);
  } catch (const platform::Failure& failure) {
    return CannotRead(err, path, failure);
  }
  const SaverRun run = RunSaverLoader(files, path, clock);
  for (const std::string& line : ShownTexts(run)) out << line << "\n";
  if (run.report) {
    err << path << ": error: " << Verdict(run) << ":\n"
        << "  " << Visible(run.report->title) << "\n";
    for (const std::string& line : text::SplitLines(run.report->text))
      err << "  " << Visible(line) << "\n";
    return kErrors;
  }
  if (!run.substitute.empty()) {
    err << path << ": error: " << Verdict(run) << "\n";
    return kErrors;
  }
  return kFine;
}

int Build(const std::vector<std::string>& args, platform::Files& files,
          const platform::FixedClock& now, std::ostream& out, std::ostream& err) {
  const Arguments parsed =
      Parse(args, {"--facts", "--adverts", "--specials", "--number", "--limit", "-o"});
  BuildOptions options;
  options.fixtures.name = OneFile(parsed, "fixture list");
  const auto number = parsed.Option("--number");
  if (!number) throw Usage{"--number N is needed"};
  options.number = Number("--number", *number, 32767);
  if (const auto limit = parsed.Option("--limit"))
    options.limit = Number("--limit", *limit, 100000);
  const auto target = parsed.Option("-o");
  if (!target) throw Usage{"-o OUT is needed"};

  auto read = [&](const std::string& path) { return BuildInput{path, ReadText(files, path)}; };
  std::string reading = options.fixtures.name;
  try {
    options.fixtures = read(options.fixtures.name);
    if (const auto facts = parsed.Option("--facts")) options.facts = read(reading = *facts);
    if (const auto adverts = parsed.Option("--adverts")) options.adverts = read(reading = *adverts);
    if (const auto specials = parsed.Option("--specials"))
      options.specials = read(reading = *specials);
  } catch (const platform::Failure& failure) {
    return CannotRead(err, reading, failure);
  }

  const BuildResult built = BuildDatabase(options);
  for (const Diagnostic& d : built.diagnostics) err << Format(d, *target) << "\n";
  if (ErrorCount(built.diagnostics) > 0) return kErrors;

  // Written beside the target and checked there, by the saver's rules in every regional order
  // with no fixture past, before it takes the target's place.
  struct Refused {};
  Diagnostics found;
  try {
    platform::ReplaceFile(files, *target, *target + ".tavdb-new", [&](const std::string& temp) {
      files.WriteNew(temp, built.database);
      for (platform::DateOrder order :
           {platform::DateOrder::DayMonthYear, platform::DateOrder::MonthDayYear,
            platform::DateOrder::YearMonthDay}) {
        CheckOptions check;
        check.clock = now;
        check.clock.date = built.firstDate.value_or(now.date);
        check.clock.secondsOfDay = 0;
        check.clock.dateOrder = order;
        for (Diagnostic& d : CheckDatabase(files, temp, check)) {
          if (d.severity == Severity::Error || order == platform::DateOrder::DayMonthYear)
            found.push_back(std::move(d));
        }
        const SaverRun run = RunSaverLoader(files, temp, check.clock);
        if (!run.Clean())
          found.push_back(
              {.severity = Severity::Error,
               .line = 1,
               .message = "in " + std::string(OrderWord(order)) + " order " + Verdict(run)});
      }
      if (ErrorCount(found) > 0) throw Refused{};
    });
  } catch (const Refused&) {
    for (const Diagnostic& d : found) err << Format(d, *target) << "\n";
    err << *target << ": error: the built database fails its check; nothing was written\n";
    return kErrors;
  } catch (const platform::Failure& failure) {
    err << *target << ": error: cannot write the database: " << failure.description() << " (code "
        << failure.code() << ")\n";
    return kTrouble;
  }
  for (const Diagnostic& d : found) err << Format(d, *target) << "\n";
  out << *target << ": " << Plural(built.specials, "special fixture") << ", "
      << Plural(built.fixtures, "fixture") << ", " << Plural(built.facts, "fact") << ", "
      << Plural(built.adverts, "advert") << ", database number " << options.number << ", "
      << built.database.size() << " bytes\n";
  return kFine;
}

}  // namespace

int RunTavdb(const std::vector<std::string>& args, platform::Files& files,
             const platform::FixedClock& now, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? std::string() : args[0];
  if (command == "help" || command == "--help" || command == "-h") {
    out << kUsage;
    return kFine;
  }
  try {
    if (command == "check") return Check(args, files, now, out, err);
    if (command == "show") return Show(args, files, now, out, err);
    if (command == "build") return Build(args, files, now, out, err);
    throw Usage{command.empty() ? "a command is needed" : "unknown command " + command};
  } catch (const Usage& usage) {
    err << "tavdb: " << usage.why << "\n" << kUsage;
    return kTrouble;
  }
}

}  // namespace tavdb
