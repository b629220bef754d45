#include "tavdb/names.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "util/text.h"
#include "util/utf8.h"

namespace tavdb {

namespace {

bool IsUpperLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), text::IsDigit);
}

// "W49", "L101": the winner or loser of a numbered match.
bool IsMatchResult(std::string_view name) {
  return name.size() >= 2 && name.size() <= 4 && (name[0] == 'W' || name[0] == 'L') &&
         AllDigits(name.substr(1));
}

// "1A", or "3A/B/C/D/F" for a third-placed team from one of several groups.
bool IsGroupPlace(std::string_view name) {
  if (name.size() < 2 || name[0] < '1' || name[0] > '9' || !IsUpperLetter(name[1])) return false;
  for (std::size_t at = 2; at < name.size(); at += 2) {
    if (name[at] != '/' || at + 1 >= name.size() || !IsUpperLetter(name[at + 1])) return false;
  }
  return true;
}

// The word (or words) stands in the text with no letter joined to either end.
bool HasWord(std::string_view text, std::string_view word) {
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    if ((at == 0 || !text::IsLetter(text[at - 1])) &&
        (end == text.size() || !text::IsLetter(text[end])))
      return true;
  }
  return false;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::size_t SharedBeginning(std::string_view a, std::string_view b) {
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                                  a.begin());
}

}  // namespace

std::string FoldedName(std::string_view utf8) {
  const std::string_view name = text::Trim(utf8);
  std::string folded;
  for (std::size_t at = 0; at < name.size();) {
    const auto c = utf8::Next(name, at);
    if (!c) {
      folded += name[at++];  // not UTF-8: the byte as it is
      continue;
    }
    const bool upper = (*c >= U'A' && *c <= U'Z') || (*c >= 0xC0 && *c <= 0xDE && *c != 0xD7);
    utf8::Append(folded, upper ? *c + 0x20 : *c);
  }
  return folded;
}

bool IsPlaceholder(std::string_view name) {
  const std::string_view trimmed = text::Trim(name);
  if (IsMatchResult(trimmed) || IsGroupPlace(trimmed)) return true;
  const std::string folded = FoldedName(trimmed);
  for (const char* word : {"winner", "winners", "runner-up", "runners-up", "loser", "tbd", "tba",
                           "to be decided", "to be announced"}) {
    if (HasWord(folded, word)) return true;
  }
  return false;
}

std::vector<std::string> ClosestNames(std::string_view wanted,
                                      const std::vector<std::string>& names, std::size_t count) {
  struct Candidate {
    std::size_t edits, shared, order;
    const std::string* name;
  };
  const std::string target = FoldedName(wanted);
  std::vector<Candidate> candidates;
  std::set<std::string> seen;
  for (const std::string& name : names) {
    const std::string folded = FoldedName(name);
    if (!seen.insert(folded).second) continue;
    candidates.push_back(
        {EditDistance(target, folded), SharedBeginning(target, folded), candidates.size(), &name});
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    if (a.edits != b.edits) return a.edits < b.edits;
    if (a.shared != b.shared) return a.shared > b.shared;
    return a.order < b.order;
  });
  std::vector<std::string> closest;
  for (std::size_t i = 0; i < candidates.size() && i < count; ++i)
    closest.push_back(*candidates[i].name);
  return closest;
}

std::string DidYouMean(const std::vector<std::string>& names) {
  std::string said;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) said += i + 1 == names.size() ? " or " : ", ";
    said += "\"" + names[i] + "\"";
  }
  return said.empty() ? said : "did you mean " + said + "?";
}

}  // namespace tavdb
