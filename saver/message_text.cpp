#include "saver/message_text.h"

#include "saver/identity.h"

namespace tavoria {

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) {
    if (&line != lines.begin()) text += CRLF;
    text += line;
  }
  return text;
}

}  // namespace tavoria
