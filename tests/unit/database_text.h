// Team databases for tests, written in the file's own layout: each section gets its terminator,
// and the free lines between sections hold their own names.
#pragma once

#include <string>
#include <vector>

namespace database_text {

using Lines = std::vector<std::string>;

// Line 8 is the first special fixture's match line; with S special fixtures the first fixture's
// date line is line 10 + 2 S.
struct Database {
  std::string line4 = "17";
  std::string line5 = "Updated 8 December 2026";
  std::string line6 = "2";
  Lines specials;  // two lines a record
  Lines fixtures;  // five lines a record
  Lines trivia;
  Lines adverts;
  std::string fixturesHeading = "Fixtures";
  std::string lineEnd = "\r\n";
  std::string devname = "tavoria";

  Lines AllLines() const {
    Lines all = {devname, "Tavoria national team", "Fenmoor Entertainment UK", line4, line5,
                 line6,   "Special fixtures"};
    auto add = [&](const Lines& lines, const std::string& terminator, const char* next) {
      all.insert(all.end(), lines.begin(), lines.end());
      all.push_back(terminator);
      if (next) all.push_back(next);
    };
    add(specials, "End special fixtures", fixturesHeading.c_str());
    add(fixtures, "End Fixtures", "Trivia");
    add(trivia, "End Trivia", "Adverts");
    add(adverts, "End Ads", nullptr);
    return all;
  }

  std::string Text() const {
    std::string text;
    for (const auto& line : AllLines()) text += line + lineEnd;
    return text;
  }

  // The number of the first line that is exactly `text`, or 0.
  int LineOf(const std::string& text) const {
    const Lines all = AllLines();
    for (std::size_t i = 0; i < all.size(); ++i)
      if (all[i] == text) return static_cast<int>(i) + 1;
    return 0;
  }
};

inline Lines Fixture(const std::string& date, const std::string& match = "Tavoria vs Norway",
                     const std::string& kickOff = "19:45") {
  return {date, "Friendly", match, kickOff, "National Stadium"};
}

inline Lines Repeat(int times, const Lines& lines) {
  Lines all;
  for (int n = 0; n < times; ++n) all.insert(all.end(), lines.begin(), lines.end());
  return all;
}

inline Lines Numbered(const std::string& stem, int count) {
  Lines all;
  for (int n = 1; n <= count; ++n) all.push_back(stem + " " + std::to_string(n));
  return all;
}

}  // namespace database_text
