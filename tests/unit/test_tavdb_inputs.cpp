// What the makers' inputs decode to: JSON strings, CSV fields, and text between UTF-8 and the
// database's Windows-1252.
#include <gtest/gtest.h>

#include "tavdb/csv.h"
#include "tavdb/diagnostic.h"
#include "tavdb/encoding.h"
#include "tavdb/json.h"

namespace {

using Fields = std::vector<std::string>;

TEST(TavdbInputs, JsonStringsDecodeEscapesToUtf8) {
  const struct {
    const char* json;
    const char* text;  // none: refused
  } cases[] = {
      {R"("Cura\u00e7ao")",
       "Cura\xC3\xA7"
       "ao"},
      {R"("\u20ac 5")", "\xE2\x82\xAC 5"},
      {R"("\ud83d\ude00 goal")", "\xF0\x9F\x98\x80 goal"},  // a surrogate pair
      {R"("a\"b\\c\/d\te")", "a\"b\\c/d\te"},
      {"\"Cura\xC3\xA7"
       "ao\"",
       "Cura\xC3\xA7"
       "ao"},                     // UTF-8 as it stands
      {R"("\ud83d")", nullptr},   // a lone high surrogate
      {R"("\ude00x")", nullptr},  // a lone low surrogate
      {R"("\u12g4")", nullptr},
      {"\"tab\there\"", nullptr},  // a control character inside a string
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    try {
      const tavdb::JsonDocument document(c.json);
      ASSERT_NE(c.text, nullptr) << "accepted";
      EXPECT_EQ(document.Root().Text(), c.text);
    } catch (const tavdb::InputError&) {
      EXPECT_EQ(c.text, nullptr) << "refused";
    }
  }
}

TEST(TavdbInputs, CsvFieldsKeepWhatTheirQuotesHold) {
  const struct {
    const char* csv;
    std::vector<Fields> rows;
  } cases[] = {
      {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
      {"\"Tavoria, the Lynxes\",x\n", {{"Tavoria, the Lynxes", "x"}}},
      {"\"say \"\"vs\"\" here\",y\n", {{"say \"vs\" here", "y"}}},  // doubled quotes
      {"\"two\nlines\",z\n", {{"two\nlines", "z"}}},
      {"\"\",\"\"\"\"\n", {{"", "\""}}},
      {"\xEF\xBB\xBFhome,away\n\nA,B",
       {{"home", "away"}, {"A", "B"}}},  // a byte order mark, a blank line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csv);
    std::vector<Fields> rows;
    for (const tavdb::CsvRow& row : tavdb::ReadCsv(c.csv)) rows.push_back(row.fields);
    EXPECT_EQ(rows, c.rows);
  }
  EXPECT_THROW(tavdb::ReadCsv("\"open\n"), tavdb::InputError);
}

TEST(TavdbInputs, Windows1252AndUtf8MapTheSameCharacters) {
  const struct {
    const char* utf8;
    const char* cp1252;
  } both[] = {
      {"\xE2\x82\xAC", "\x80"},  // the euro sign
      {"Cura\xC3\xA7"
       "ao",
       "Cura\xE7"
       "ao"},                                                    // c cedilla
      {"\xE2\x80\x93 \xE2\x80\x99 \xC5\xA0", "\x96 \x92 \x8A"},  // dash, quote, S caron
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
  };
  for (const auto& c : both) {
    SCOPED_TRACE(c.cp1252);
    std::string problem;
    EXPECT_EQ(tavdb::Utf8To1252(c.utf8, problem), c.cp1252) << problem;
    EXPECT_EQ(tavdb::Cp1252ToUtf8(c.cp1252), c.utf8);
  }
  // 0x81 is no character of the code page: Windows reads it as the control U+0081.
  EXPECT_EQ(tavdb::Cp1252ToUtf8("\x81"), "\xC2\x81");
  EXPECT_FALSE(tavdb::IsPrintable1252(0x81));
  EXPECT_TRUE(tavdb::IsPrintable1252(0x80));
  for (const char* lacking : {"\xC5\x81ukasz", "\xE6\x9D\x8E", "\xF0\x9F\x98\x80", "\xC3"}) {
    std::string problem;
    EXPECT_FALSE(tavdb::Utf8To1252(lacking, problem)) << lacking;
    EXPECT_FALSE(problem.empty());
  }
}

}  // namespace
