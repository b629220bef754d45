#include "tavdb/show.h"

#include <span>

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

void Add(std::vector<std::string>& shown, const char* kind, std::span<const std::string> texts) {
  for (const std::string& text : texts) shown.push_back(std::string(kind) + ": " + OneLine(text));
}

}  // namespace

std::vector<std::string> ShownTexts(const database::LoadedDatabase& loaded) {
  std::vector<std::string> shown;
  Add(shown, "fixture", loaded.fixtures.texts);
  Add(shown, "fact", loaded.Facts());
  Add(shown, "advert", loaded.Adverts());
  Add(shown, "built-in advert", database::BuiltInAdverts());
  return shown;
}

}  // namespace tavdb
