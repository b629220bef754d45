// Reading files by lines and by fields.
#include <gtest/gtest.h>

#include <deque>

#include "platform/memory/memory_platform.h"
#include "platform/whole_file.h"
#include "util/text_reader.h"

namespace {

using platform::memory::MemoryPlatform;
using util::Failure;
using util::TextReader;

struct TextReaderTest : ::testing::Test {
  MemoryPlatform m;
  std::deque<std::string> texts;  // what the readers read, kept while they read it
  TextReader Open(const std::string& bytes) { return TextReader(texts.emplace_back(bytes)); }
  int CodeOfNextLine(TextReader& r) {
    try {
      r.ReadLine();
    } catch (const Failure& f) {
      return f.code();
    }
    return 0;
  }
};

TEST_F(TextReaderTest, LinesEndAtCrLfOrBareLfAndTheLastMayLackOne) {
  auto r = Open("one\r\ntwo\nthree\r\n\r\nlast");
  EXPECT_EQ(r.ReadLine(), "one");
  EXPECT_EQ(r.ReadLine(), "two");
  EXPECT_EQ(r.ReadLine(), "three");
  EXPECT_EQ(r.ReadLine(), "");
  EXPECT_EQ(r.ReadLine(), "last");
  EXPECT_EQ(CodeOfNextLine(r), 62);
}

TEST_F(TextReaderTest, ALoneCarriageReturnStaysInTheLine) {
  auto r = Open("a\rb\r\n");
  EXPECT_EQ(r.ReadLine(), "a\rb");
}

TEST_F(TextReaderTest, AnEmptyFileHasNoLine) {
  auto r = Open("");
  EXPECT_EQ(CodeOfNextLine(r), 62);
}

TEST_F(TextReaderTest, ALineLongerThanAnyRealLineFailsAsPastTheEnd) {
  auto r = Open("short\r\n" + std::string(TextReader::kLongestLine + 1, 'x') + "\r\n");
  EXPECT_EQ(r.ReadLine(), "short");
  EXPECT_EQ(CodeOfNextLine(r), 62);
  auto exact = Open(std::string(TextReader::kLongestLine, 'y') + "\r\n");
  EXPECT_EQ(exact.ReadLine().size(), TextReader::kLongestLine);
}

TEST_F(TextReaderTest, LinesAreNumberedAsRead) {
  auto r = Open("one\r\ntwo\nthree");
  EXPECT_EQ(r.LineNumber(), 0);
  r.ReadLine();
  r.ReadLine();
  EXPECT_EQ(r.LineNumber(), 2);
  r.ReadLine();
  EXPECT_EQ(CodeOfNextLine(r), 62);
  EXPECT_EQ(r.LineNumber(), 3) << "past the end is no line";
}

TEST_F(TextReaderTest, AfterAnOverLongLineTheNextLineIsTheOneAfterIt) {
  const std::string tooLong(TextReader::kLongestLine + 1, 'x');
  // Over the limit by far, by one character before the line feed, and as the last line.
  auto r = Open(tooLong + tooLong + "\r\nnext\n" + tooLong + "\nafter\n" + tooLong);
  EXPECT_THROW(r.ReadLine(), util::LineTooLong);
  EXPECT_EQ(r.LineNumber(), 1);
  EXPECT_EQ(r.ReadLine(), "next");
  EXPECT_THROW(r.ReadLine(), util::LineTooLong);
  EXPECT_EQ(r.ReadLine(), "after");
  EXPECT_EQ(r.LineNumber(), 4);
  EXPECT_THROW(r.ReadLine(), util::LineTooLong);
  EXPECT_EQ(CodeOfNextLine(r), 62);
  EXPECT_EQ(r.LineNumber(), 5);
}

TEST_F(TextReaderTest, FieldsEndAtCommasAndLineEndsAfterLeadingBlanks) {
  auto r = Open("  12,5\r\n\t/x\r\n/y");
  EXPECT_EQ(r.ReadField(), "12");
  EXPECT_EQ(r.ReadField(), "5");
  EXPECT_EQ(r.ReadField(), "/x");
  EXPECT_EQ(r.ReadField(), "/y");
  EXPECT_THROW(r.ReadField(), Failure);
}

TEST_F(TextReaderTest, AQuotedFieldRunsToTheNextQuoteAndSkipsTheRest) {
  auto r = Open("\"7, or so\" ignored,next\r\n\"unterminated");
  EXPECT_EQ(r.ReadField(), "7, or so");
  EXPECT_EQ(r.ReadField(), "next");
  EXPECT_EQ(r.ReadField(), "unterminated");
}

TEST_F(TextReaderTest, AnEmptyLineIsAnEmptyField) {
  auto r = Open("\r\nx");
  EXPECT_EQ(r.ReadField(), "");
  EXPECT_EQ(r.ReadField(), "x");
}

TEST_F(TextReaderTest, MissingFilesAndDirectoriesHaveTheirOwnCodes) {
  auto code = [&](const std::string& path) {
    try {
      platform::ReadFile(m.files, platform::SystemName(path));
    } catch (const Failure& f) {
      return f.code();
    }
    return 0;
  };
  EXPECT_EQ(code(m.process.programDirectory + "\\missing.sdf"), 53);
  EXPECT_EQ(code(m.process.programDirectory + "\\no such folder\\x.sdf"), 76);
  EXPECT_EQ(code(""), 52);
}

}  // namespace
