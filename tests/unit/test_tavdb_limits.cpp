// tavdb's limits: how large an input it reads, how many fixtures one list may hold, and how many
// diagnostics of one file it shows.
#include <gtest/gtest.h>

#include "tavdb/build.h"
#include "tavdb/fixture_json.h"
#include "tavdb_support.h"
#include "util/text.h"

namespace {

using namespace tavdb_test;

std::string Repeated(const std::string& line, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += line;
  return text;
}

// Each case's file F is the fixture list of a build, its --facts, or the database of a check.
TEST_F(TavdbTest, InputsAreReadToTheirLimitAndEachFilesDiagnosticsShownToAHundred) {
  const std::string header = "date,time,title,home,away\n";
  const std::string match = "2027-03-26,19:45,Friendly,Tavoria,Norway\n";
  const std::string database =
      "tavoria\r\nTavoria\r\nFenmoor\r\n17\r\nfree\r\n2\r\nSpecial fixtures\r\nEnd special "
      "fixtures\r\nFixtures\r\nEnd Fixtures\r\nTrivia\r\n" +
      Repeated("\x01 fact\r\n", 60) + "End Trivia\r\nAdverts\r\n" + Repeated("\x01 ad\r\n", 60);
  const struct {
    const char* command;  // build with F as the fixture list, or --facts, or check F
    std::string text;
    int status;
    std::size_t lines;        // the lines of standard error that name F
    std::string first, last;  // the first and the last of them
  } cases[] = {
      {"--facts", std::string(tavdb::kLongestInput, '\n'), 0, 0, "", ""},
      {"--facts", std::string(tavdb::kLongestInput + 1, '\n'), 1, 1,
       "F: error: larger than tavdb reads (8 MiB); nothing was written", ""},
      {"--facts", Repeated("\x01\n", 250), 1, 101, "F:1: error: the fact holds a control",
       "F: error: 150 more errors not shown"},
      {"build", header + Repeated("x,y\n", 101) + Repeated(match, 101), 1, 101,
       "F:2: error: 2 fields where the header names 5", "F: error: 2 more errors not shown"},
      {"build", header + Repeated(match, tavdb::kMostListedMatches + 1), 1, 1,
       "F:20002: error: more than 20000 fixtures in one list, the most tavdb reads", ""},
      {"build", "{\"matches\": [" + Repeated("{},", tavdb::kMostListedMatches) + "{}]}", 1, 101,
       "F:1: error: the fixture's \"date\" is missing", "F: error: 59901 more errors not shown"},
      // The error the saver stops on comes after 120 warnings: it is shown all the same.
      {"check", database, 1, 101, "F:12: warning: byte 0x01",
       "F: warning: 21 more warnings not shown"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + std::to_string(c.text.size()) + " bytes");
    const std::string file = Write("F", c.text);
    const std::string command = c.command;
    Lines args = {"build", file, "--number", "18", "-o", Path("out.sdf")};
    if (command == "--facts")
      args = {"build",    Write("fixtures.csv", header + match),
              "--facts",  file,
              "--number", "18",
              "-o",       Path("out.sdf")};
    if (command == "check") args = {"check", file, "--date", "2026-12-01"};
    const Outcome run = Tavdb(args);
    EXPECT_EQ(run.status, c.status);
    Lines named;
    for (const std::string& line : text::SplitLines(run.err))
      if (line.rfind(file, 0) == 0) named.push_back("F" + line.substr(file.size()));
    ASSERT_EQ(named.size(), c.lines) << run.err.substr(0, 2000);
    if (named.empty()) continue;
    EXPECT_EQ(named.front().substr(0, c.first.size()), c.first);
    if (c.lines > 1) {
      EXPECT_EQ(named.back(), c.last);
    }
    if (command == "check") {
      EXPECT_NE(run.err.find(":133: error: the file ends before \"End Ads\""), std::string::npos);
    }
  }
}

}  // namespace
