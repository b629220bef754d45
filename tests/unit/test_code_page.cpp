// The encodings a database may be written in, read and written alike by every program.
#include <gtest/gtest.h>

#include "util/code_page.h"

namespace {

using codepage::Encoding;

TEST(CodePages, BytesReadAsTheCodePageMapsThem) {
  struct Case {
    Encoding encoding;
    std::string bytes, utf8;
  };
  const Case cases[] = {
      {Encoding::Windows1252,
       "\xA3"
       "9.99 \x8Aorvan Cura\xE7"
       "ao",
       "£9.99 Šorvan Curaçao"},
      {Encoding::Windows1251,
       "\xA3"
       "9.99 \x8Aorvan",
       "Ј9.99 Љorvan"},
      {Encoding::Windows1250, "\x8Aorvan Be\x9Aikta\x9A", "Šorvan Bešiktaš"},
      {Encoding::Windows1254, "Be\xFEikta\xFE \xDDstanbul", "Beşiktaş İstanbul"},
      {Encoding::Windows1253, "\xC1\xE8\xDE\xED\xE1", "Αθήνα"},
      // Undefined: a C1 control in 0x80 to 0x9F, as Windows reads it; U+FFFD above.
      {Encoding::Windows1252, "\x81", "\xC2\x81"},
      {Encoding::Windows1253, "\xAA", "\xEF\xBF\xBD"},
      {Encoding::Utf8,
       "Be\xC5\x9F"
       "ikta\xC5\x9F",
       "Beşiktaş"},
      {Encoding::Utf8, "a\xC3(b", "a\xEF\xBF\xBD(b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(codepage::ToUtf8(c.bytes, c.encoding), c.utf8) << codepage::NameOf(c.encoding);
    if (c.utf8.find("\xEF\xBF\xBD") == std::string::npos && c.utf8 != "\xC2\x81") {
      EXPECT_EQ(codepage::FromUtf8(c.utf8, c.encoding), c.bytes) << c.utf8;
    }
  }
}

TEST(CodePages, WritingSaysWhatDoesNotFit) {
  std::string problem;
  EXPECT_EQ(codepage::FromUtf8("Beşiktaş", Encoding::Windows1252, &problem), std::nullopt);
  EXPECT_EQ(problem, "\"ş\" (U+015F) is not a Windows-1252 character");
  EXPECT_EQ(codepage::FromUtf8("a\xFF", Encoding::Utf8, &problem), std::nullopt);
  EXPECT_EQ(problem, "byte 0xFF at column 2 is not UTF-8");
}

TEST(CodePages, Names) {
  for (const char* name : {"UTF-8", "utf-8", "Windows-1254", "windows-1250", "1258"})
    EXPECT_TRUE(codepage::EncodingNamed(name).has_value()) << name;
  for (const char* name : {"", "1249", "Windows-1259", "latin1", "UTF8", "65001"})
    EXPECT_FALSE(codepage::EncodingNamed(name).has_value()) << name;
  EXPECT_EQ(codepage::NameOf(*codepage::EncodingNamed("1254")), "Windows-1254");
}

}  // namespace
