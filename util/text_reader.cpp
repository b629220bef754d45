#include "util/text_reader.h"

#include "util/text.h"

namespace util {

void TextReader::Fail(const char* why) {
  throw Failure(codes::kInputPastEnd, why);
}

std::string TextReader::ReadLine() {
  if (AtEnd()) Fail("Input past end of file");
  ++lineNumber_;
  const auto end = bytes_.find('\n', at_);
  std::string_view line = bytes_.substr(at_, end == std::string_view::npos ? end : end - at_);
  at_ = end == std::string_view::npos ? bytes_.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.size() > kLongestLine) throw LineTooLong();
  return std::string(line);
}

std::string TextReader::ReadField() {
  while (Peek() >= 0 && text::IsBlank(static_cast<char>(Peek()))) Get();
  if (AtEnd()) Fail("Input past end of file");
  std::string field;
  auto add = [&](int c) {
    if (field.size() == kLongestLine) Fail("Field too long");
    field.push_back(static_cast<char>(c));
  };
  const bool quoted = Peek() == '"';
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

}  // namespace util
