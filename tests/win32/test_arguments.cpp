// The argument text the Win32 layer takes from the command line.
#include <gtest/gtest.h>

#include "platform/win32/win32_parts.h"

namespace {

using platform::win32::ArgumentTextOf;

TEST(ArgumentText, DropsTheProgramNameAndTheBlanksAfterIt) {
  EXPECT_EQ(ArgumentTextOf("tavoria.scr /s"), "/s");
  EXPECT_EQ(ArgumentTextOf("C:\\WINDOWS\\tavoria.scr \t /c:1234"), "/c:1234");
  EXPECT_EQ(ArgumentTextOf("\"C:\\Program Files\\tavoria.scr\" /p 1234"), "/p 1234");
  EXPECT_EQ(ArgumentTextOf("\"C:\\Program Files\\tavoria.scr\"/S"), "/S");
}

TEST(ArgumentText, KeepsEverythingElseAsItIs) {
  EXPECT_EQ(ArgumentTextOf("tavoria.scr /s  trailing  "), "/s  trailing  ");
  EXPECT_EQ(ArgumentTextOf("kelvane.exe \"C:\\path with space\\x.tup\""),
            "\"C:\\path with space\\x.tup\"");
  EXPECT_EQ(ArgumentTextOf("kelvane.exe C:\\path with space\\x.tup"), "C:\\path with space\\x.tup");
}

TEST(ArgumentText, NoArguments) {
  EXPECT_EQ(ArgumentTextOf("tavoria.scr"), "");
  EXPECT_EQ(ArgumentTextOf("\"tavoria.scr\"   "), "");
  EXPECT_EQ(ArgumentTextOf(""), "");
  EXPECT_EQ(ArgumentTextOf(nullptr), "");
  EXPECT_EQ(ArgumentTextOf("\"unterminated quote /s"), "");
}

TEST(SystemErrors, KeepTheirNumbersUnlessTheProgramsTellThemApart) {
  EXPECT_EQ(platform::win32::FailureFromSystemError(2).code(), 53);
  EXPECT_EQ(platform::win32::FailureFromSystemError(3).code(), 76);
  EXPECT_EQ(platform::win32::FailureFromSystemError(123).code(), 52);
  EXPECT_EQ(platform::win32::FailureFromSystemError(5).code(), 70);
  EXPECT_EQ(platform::win32::FailureFromSystemError(112).code(), 112);  // disk full
  EXPECT_FALSE(platform::win32::FailureFromSystemError(2).description().empty());
}

}  // namespace
