#include "tavdb/show.h"

#include "platform/text.h"
#include "saver/data/database_file.h"
#include "tavdb/encoding.h"

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

// Entries 1 to `counted` but the terminator, which is the last counted entry when the section was
// read to its end, then the entries after the counted ones.
void Add(std::vector<std::string>& shown, const char* kind, const char* extraKind,
         const std::vector<std::string>& list, int counted, const char* terminator) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const bool inFile = static_cast<int>(i) < counted;
    if (inFile && static_cast<int>(i) + 1 == counted && list[i] == terminator) continue;
    shown.push_back(std::string(inFile ? kind : extraKind) + ": " + OneLine(list[i]));
  }
}

}  // namespace

std::vector<std::string> ShownTexts(const SaverRun& run) {
  std::vector<std::string> shown;
  for (const std::string& fixture : run.fixtures) shown.push_back("fixture: " + OneLine(fixture));
  Add(shown, "fact", "fact", run.trivia, run.triviaCount, tavoria::kEndTrivia);
  Add(shown, "advert", "built-in advert", run.adverts, run.advertCount, tavoria::kEndAds);
  return shown;
}

}  // namespace tavdb
