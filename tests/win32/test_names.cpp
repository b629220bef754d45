// Names crossing into Win32: UTF-8 inside, UTF-16 for the system; text of the code page read.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/names.h"
#include "util/failure.h"

namespace {

using platform::SystemName;
using namespace platform::win32;

TEST(Names, CrossToTheSystemAndBackWhole) {
  const struct {
    const char* utf8;
    std::wstring wide;
  } cases[] = {
      {"C:\\users\\Łukasz 李\\AppData\\Roaming",
       L"C:\\users\\\u0141ukasz \u674E\\AppData\\Roaming"},
      {"😀 beyond the first plane", L"\xD83D\xDE00 beyond the first plane"},  // a surrogate pair
      {"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(WideOf(SystemName(c.utf8)), c.wide);
    EXPECT_EQ(NameOf(c.wide), SystemName(c.utf8));
  }
  EXPECT_EQ(NameOf(L"a\xD800z"), SystemName("a\uFFFDz")) << "a lone surrogate";
}

TEST(Names, BytesThatAreNotUtf8NameNothing) {
  // Overlong, an encoded surrogate, beyond U+10FFFF, cut short, never UTF-8.
  for (const char* bytes : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE6\x9D", "\xFF"}) {
    EXPECT_EQ(WideOf(SystemName(bytes)), std::nullopt) << bytes;
    try {
      WideFileName(SystemName(bytes));
      ADD_FAILURE() << "a file name of " << bytes;
    } catch (const util::Failure& f) {
      EXPECT_EQ(f.code(), util::codes::kBadFileName);
    }
  }
}

TEST(Names, TextOfTheCodePageReadsAsUtf8) {
  ASSERT_EQ(GetACP(), 1252u) << "these tests run with the Western European code page";
  EXPECT_EQ(TextOfCodePage("caf\xE9 \x80 \2439.99 \212orvan"), "café € £9.99 Šorvan");
  EXPECT_EQ(TextOfCodePage(""), "");
}

}  // namespace
