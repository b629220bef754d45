// Reading a file's text by whole lines or by comma/line-separated fields, from its bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "util/failure.h"

namespace util {

// A line longer than TextReader::kLongestLine: the file is taken as damaged (code 62, as past its
// end). A reader that goes on reading gets the line after it.
struct LineTooLong : Failure {
  LineTooLong() : Failure(codes::kInputPastEnd, "Line too long") {}
};

class TextReader {
 public:
  // No real line of any of the programs' files comes near this length.
  static constexpr std::size_t kLongestLine = 64 * 1024;

  // Reads the bytes in place: they must outlive the reader.
  explicit TextReader(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its line end (CR LF or a bare LF). Throws Failure 62 when the text has
  // no more lines, and LineTooLong (code 62 too) when a line runs past kLongestLine.
  std::string ReadLine();
  // The number of the line ReadLine last read or failed on (counted from 1; 0 before the first).
  int LineNumber() const { return lineNumber_; }

  // The next field: leading blanks are skipped; a field in double quotes runs to the next quote
  // (the quotes are not part of it, and what follows up to the comma or line end is skipped);
  // otherwise a comma or a line end ends it. Throws Failure 62 when the text is at its end.
  std::string ReadField();

  bool AtEnd() const { return at_ >= bytes_.size(); }

 private:
  int Peek() const { return AtEnd() ? -1 : static_cast<unsigned char>(bytes_[at_]); }
  int Get() { return AtEnd() ? -1 : static_cast<unsigned char>(bytes_[at_++]); }
  [[noreturn]] void Fail(const char* why);

  std::string_view bytes_;
  std::size_t at_ = 0;
  int lineNumber_ = 0;
};

}  // namespace util
