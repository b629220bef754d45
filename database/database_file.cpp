#include "database/database_file.h"

#include "util/calendar.h"
#include "util/text.h"

namespace database {

bool IsNewerFormat(std::string_view line6) {
  return line6 > std::string_view(kFormatVersion);
}

const char* TerminatorOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
    case DatabaseSection::SpecialFixtures:
      return kEndSpecialFixtures;
    case DatabaseSection::Fixtures:
      return kEndFixtures;
    case DatabaseSection::Trivia:
      return kEndTrivia;
    case DatabaseSection::Adverts:
      return kEndAds;
  }
  return kEndAds;
}

int CapacityOf(DatabaseSection section) {
  switch (section) {
    case DatabaseSection::Header:
      return 0;
    case DatabaseSection::SpecialFixtures:
      return kSpecialCapacity;
    case DatabaseSection::Fixtures:
      return kFixtureCapacity;
    case DatabaseSection::Trivia:
      return kTriviaCapacity;
    case DatabaseSection::Adverts:
      return kAdvertCapacity;
  }
  return 0;
}

namespace {

// A free line's text and what it adds at its end in brackets, " [...]" ("[...]" when that is all
// the line holds); none when it adds nothing that `parse` reads.
template <typename Parse>
auto Bracketed(std::string_view line, Parse parse)
    -> std::pair<std::string_view, decltype(parse({}))> {
  const std::size_t open = line.rfind('[');
  if (open == std::string_view::npos || !line.ends_with(']')) return {line, std::nullopt};
  const auto value = parse(line.substr(open + 1, line.size() - open - 2));
  if (!value) return {line, std::nullopt};
  std::string_view before = line.substr(0, open);
  if (!before.empty() && before.back() == ' ') before.remove_suffix(1);
  return {before, value};
}

std::string WithBracketed(const std::string& text, const std::string& added) {
  return text.empty() ? "[" + added + "]" : text + " [" + added + "]";
}

constexpr std::string_view kTextDeclaration = "text ";

std::optional<codepage::Encoding> EncodingDeclared(std::string_view inside) {
  if (!inside.starts_with(kTextDeclaration)) return std::nullopt;
  return codepage::EncodingNamed(inside.substr(kTextDeclaration.size()));
}

constexpr std::string_view kZoneHeadingStart = " (kick-off times are ";
constexpr std::string_view kZoneHeadingEnd = " time)";

}  // namespace

std::string FixturesHeading(const std::optional<std::string>& kickOffZone) {
  return std::string(kFixturesHeading) + std::string(kZoneHeadingStart) +
         (kickOffZone ? *kickOffZone + std::string(kZoneHeadingEnd) : std::string("local)"));
}

std::optional<std::string> KickOffZoneOf(std::string_view heading) {
  const std::string start = std::string(kFixturesHeading) + std::string(kZoneHeadingStart);
  if (!heading.starts_with(start) || !heading.ends_with(kZoneHeadingEnd)) return std::nullopt;
  heading.remove_prefix(start.size());
  heading.remove_suffix(kZoneHeadingEnd.size());
  if (heading.empty()) return std::nullopt;
  return std::string(heading);
}

DatabaseHeader HeaderOf(HeaderLines lines) {
  const auto [about, encoding] = Bracketed(lines[4], EncodingDeclared);
  return {std::move(lines[0]),
          std::move(lines[1]),
          std::move(lines[2]),
          std::move(lines[3]),
          std::string(about),
          std::move(lines[5]),
          encoding};
}

std::optional<codepage::Encoding> DeclaredEncoding(std::string_view line5) {
  return Bracketed(line5, EncodingDeclared).second;
}

HeaderLines LinesOf(const DatabaseHeader& header) {
  return {header.devname,
          header.title,
          header.publisher,
          header.number,
          header.encoding ? WithBracketed(header.about, std::string(kTextDeclaration) +
                                                            codepage::NameOf(*header.encoding))
                          : header.about,
          header.formatVersion};
}

FixtureRecord RecordOf(RecordLines lines) {
  const auto [ground, instant] = Bracketed(lines[4], calendar::ParseUtcMinute);
  return {std::move(lines[0]), std::move(lines[1]), std::move(lines[2]),
          std::move(lines[3]), std::string(ground), instant};
}

RecordLines LinesOf(const FixtureRecord& record) {
  return {record.dateLine, record.captionLine, record.matchLine, record.kickOffLine,
          record.kickOffInstant
              ? WithBracketed(record.fifthLine, calendar::UtcMinuteText(*record.kickOffInstant))
              : record.fifthLine};
}

std::string MatchLine(const std::string& homeTeam, const std::string& awayTeam) {
  return homeTeam + " vs " + awayTeam;
}

void SplitTeams(const std::string& matchLine, std::string& homeTeam, std::string& awayTeam) {
  homeTeam.clear();
  awayTeam.clear();
  const auto at = matchLine.find("vs");
  if (at == std::string::npos) return;
  if (at == 0 || at + 2 == matchLine.size())
    throw util::Failure(util::codes::kInvalidCall, "Invalid procedure call or argument");
  // One character either side of "vs" (normally a space) is not part of the names.
  const std::string_view line = matchLine;
  homeTeam = text::Trim(line.substr(0, at - 1), " ");
  awayTeam = text::Trim(line.substr(at + 3), " ");
}

bool VsOpens(std::string_view matchLine) {
  return matchLine.substr(0, 2) == "vs";
}

}  // namespace database
