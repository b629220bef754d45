#include "database/writer.h"

#include <stdexcept>

#include "util/text.h"

namespace database {

std::string DatabaseText(const DatabaseContent& content) {
  std::string text;
  auto line = [&](const std::string& item) {
    text += item;
    text += text::kCrLf;
  };
  for (const std::string& item : LinesOf(content.header)) line(item);

  line(kSpecialFixturesHeading);
  for (const SpecialFixture& special : content.specials) {
    line(MatchLine(special.homeTeam, special.awayTeam));
    line(special.text);
  }
  line(kEndSpecialFixtures);

  line(FixturesHeading(content.kickOffZone));
  for (const FixtureRecord& record : content.fixtures)
    for (const std::string& item : LinesOf(record)) line(item);
  line(kEndFixtures);

  line(kTriviaHeading);
  for (const std::string& fact : content.facts) line(fact);
  line(kEndTrivia);

  line(kAdvertsHeading);
  for (const std::string& advert : content.adverts) line(advert);
  line(kEndAds);
  if (!content.header.encoding) return text;
  std::string problem;
  auto bytes = codepage::FromUtf8(text, *content.header.encoding, &problem);
  if (!bytes) throw std::invalid_argument("the database's text does not fit: " + problem);
  return std::move(*bytes);
}

}  // namespace database
