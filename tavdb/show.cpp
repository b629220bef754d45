#include "tavdb/show.h"

#include "tavdb/encoding.h"
#include "util/text.h"

namespace tavdb {

namespace {

std::string OneLine(const std::string& text) {
  std::string line;
  const auto lines = text::SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) line += kShownLineBreak;
    line += Visible(lines[i]);
  }
  return line;
}

// Every entry but the terminator, which is the last when the section was read to its end.
void Add(std::vector<std::string>& shown, const char* kind, const std::vector<std::string>& list,
         const char* terminator) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i + 1 == list.size() && list[i] == terminator) continue;
    shown.push_back(std::string(kind) + ": " + OneLine(list[i]));
  }
}

}  // namespace

std::vector<std::string> ShownTexts(const database::LoadedDatabase& loaded) {
  std::vector<std::string> shown;
  for (const std::string& fixture : loaded.fixtures.texts)
    shown.push_back("fixture: " + OneLine(fixture));
  Add(shown, "fact", loaded.trivia, database::kEndTrivia);
  Add(shown, "advert", loaded.adverts, database::kEndAds);
  for (const std::string& advert : database::BuiltInAdverts())
    shown.push_back("built-in advert: " + OneLine(advert));
  return shown;
}

}  // namespace tavdb
