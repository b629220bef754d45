// Reading a text file by whole lines or by comma/line-separated fields, over Files.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

// A line longer than TextReader::kLongestLine: the file is taken as damaged (code 62, as past its
// end). A reader that goes on reading gets the line after it.
struct LineTooLong : Failure {
  LineTooLong() : Failure(codes::kInputPastEnd, "Line too long") {}
};

class TextReader {
 public:
  // No real line of any of the programs' files comes near this length.
  static constexpr std::size_t kLongestLine = 64 * 1024;

  // Opens the file; throws Failure as Files::OpenForReading does.
  TextReader(Files& files, const std::string& path);

  // The next line without its line end (CR LF or a bare LF). Throws Failure 62 when the file has
  // no more lines, and LineTooLong (code 62 too) when a line runs past kLongestLine.
  std::string ReadLine();
  // The number of the line ReadLine last read or failed on (counted from 1; 0 before the first).
  int LineNumber() const { return lineNumber_; }

  // The next field: leading blanks are skipped; a field in double quotes runs to the next quote
  // (the quotes are not part of it, and what follows up to the comma or line end is skipped);
  // otherwise a comma or a line end ends it. Throws Failure 62 when the file is at its end.
  std::string ReadField();

  bool AtEnd();

 private:
  int Peek();  // the next byte, or -1 at the end
  int Get();
  void Fail(const char* why);

  std::unique_ptr<InputFile> file_;
  char buffer_[4096];
  std::size_t position_ = 0, filled_ = 0;
  bool ended_ = false;
  int lineNumber_ = 0;
  bool inLongLine_ = false;  // the rest of an over-long line is still to be skipped
};

}  // namespace platform
