#include "tavdb/encoding.h"

#include <cstdio>

#include "util/utf8.h"

namespace tavdb {

namespace {

std::string Hex(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\x%02X", value);
  return buffer;
}

}  // namespace

std::string UndeclaredText(std::string_view bytes) {
  return codepage::ToUtf8(bytes, kUndeclaredText);
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Visible(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const auto c = utf8::Next(text, at);
    if (!c) {
      out += Hex(static_cast<unsigned char>(text[at++]));
    } else if (IsControl(*c)) {
      out += Hex(static_cast<unsigned>(*c));
    } else {
      out.append(text.substr(start, at - start));
    }
  }
  return out;
}

std::optional<Unprintable> FirstUnprintable(std::string_view bytes, codepage::Encoding encoding) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t start = at;
    const auto byte = static_cast<unsigned char>(bytes[at]);
    std::optional<char32_t> c;
    if (encoding == codepage::Encoding::Utf8) {
      c = utf8::Next(bytes, at);
    } else {
      std::size_t inside = 0;
      const std::string read = codepage::ToUtf8(bytes.substr(at++, 1), encoding);
      c = utf8::Next(read, inside);
      if (c == 0xFFFD) c.reset();
    }
    if (!c || IsControl(*c)) return Unprintable{start + 1, byte};
  }
  return std::nullopt;
}

std::optional<std::string> NotOneLine(std::string_view utf8) {
  const auto bad = FirstUnprintable(utf8, codepage::Encoding::Utf8);
  if (!bad) return std::nullopt;
  const std::string_view from = utf8.substr(bad->column - 1);
  std::size_t at = 0;
  const auto c = utf8::Next(from, at);
  if (!c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", bad->byte);
    return std::string(": byte ") + hex + " at column " + std::to_string(bad->column) +
           " is not UTF-8";
  }
  return std::string(" holds ") +
         (*c == '\n' || *c == '\r' ? std::string("a line break")
                                   : "a control character (" + Visible(from.substr(0, at)) + ")") +
         ": a database entry is one line of printable text";
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool multibyte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto c = utf8::Next(bytes, at);
    if (!c) return false;
    if (*c >= 0x80) multibyte = true;
  }
  return multibyte;
}

}  // namespace tavdb
