#include "platform/text_reader.h"

#include "platform/text.h"

namespace platform {

TextReader::TextReader(Files& files, const std::string& path) : file_(files.OpenForReading(path)) {}

int TextReader::Peek() {
  if (position_ == filled_) {
    if (ended_) return -1;
    filled_ = file_->Read(buffer_, sizeof buffer_);
    position_ = 0;
    if (filled_ == 0) {
      ended_ = true;
      return -1;
    }
  }
  return static_cast<unsigned char>(buffer_[position_]);
}

int TextReader::Get() {
  int c = Peek();
  if (c >= 0) ++position_;
  return c;
}

bool TextReader::AtEnd() {
  return Peek() < 0;
}

void TextReader::Fail(const char* why) {
  throw Failure(codes::kInputPastEnd, why);
}

std::string TextReader::ReadLine() {
  if (inLongLine_) {
    for (int c = Get(); c >= 0 && c != '\n'; c = Get()) {
    }
    inLongLine_ = false;
  }
  if (AtEnd()) Fail("Input past end of file");
  ++lineNumber_;
  std::string line;
  for (int c = Get(); c >= 0 && c != '\n'; c = Get()) {
    if (line.size() > kLongestLine) {  // one more for a CR before LF
      inLongLine_ = true;
      throw LineTooLong();
    }
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kLongestLine) throw LineTooLong();
  return line;
}

std::string TextReader::ReadField() {
  while (Peek() >= 0 && text::IsBlank(static_cast<char>(Peek()))) Get();
  if (AtEnd()) Fail("Input past end of file");
  std::string field;
  auto add = [&](int c) {
    if (field.size() == kLongestLine) Fail("Field too long");
    field.push_back(static_cast<char>(c));
  };
  bool quoted = Peek() == '"';
  if (quoted) {
    Get();
    for (int c = Get(); c >= 0 && c != '"'; c = Get()) add(c);
  }
  // Up to the end of the field: a comma or a line end. In a quoted field what is left is skipped.
  for (int c = Peek(); c >= 0; c = Peek()) {
    if (c == ',' || c == '\n') {
      Get();
      break;
    }
    if (c == '\r') {
      Get();
      if (Peek() == '\n') Get();
      break;
    }
    Get();
    if (!quoted) add(c);
  }
  return field;
}

}  // namespace platform
