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

TEST(TavdbInputs, TextIsOneLineOfPrintableUtf8) {
  const struct {
    const char* utf8;
    std::optional<std::string> fault;
    const char* visible;
  } cases[] = {
      {"Cura\xC3\xA7"
       "ao \xE2\x80\x93 Be\xC5\x9Fikta\xC5\x9F",
       std::nullopt,
       "Cura\xC3\xA7"
       "ao \xE2\x80\x93 Be\xC5\x9Fikta\xC5\x9F"},
      {"two\nlines", " holds a line break: a database entry is one line of printable text",
       "two\\x0Alines"},
      {"bell\x07",
       " holds a control character (\\x07): a database entry is one line of printable text",
       "bell\\x07"},
      // U+0081, which Windows reads the undefined Windows-1252 byte 0x81 as.
      {"a\xC2\x81",
       " holds a control character (\\x81): a database entry is one line of printable text",
       "a\\x81"},
      {"Cura\xE7"
       "ao",
       ": byte 0xE7 at column 5 is not UTF-8",
       "Cura\\xE7"
       "ao"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tavdb::NotOneLine(c.utf8), c.fault) << c.utf8;
    EXPECT_EQ(tavdb::Visible(c.utf8), c.visible);
  }
}

}  // namespace
