#include "tavdb/encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "util/utf8.h"

namespace tavdb {

namespace {

// The characters of 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped ? mapped : byte;
  }
  return byte;
}

std::string Hex(unsigned value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
  return buffer;
}

}  // namespace

bool IsPrintable1252(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F) return false;
  return !(byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] == 0);
}

std::optional<std::string> Utf8To1252(std::string_view text, std::string& problem) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const auto c = utf8::Next(text, at);
    if (!c) {
      problem = "byte 0x" + Hex(static_cast<unsigned char>(text[start]), 2) + " at column " +
                std::to_string(start + 1) + " is not UTF-8";
      return std::nullopt;
    }
    if (*c < 0x80 || (*c >= 0xA0 && *c <= 0xFF)) {
      out += static_cast<char>(*c);
      continue;
    }
    bool found = false;
    for (std::size_t i = 0; i < kHighControls.size() && !found; ++i) {
      if (kHighControls[i] == *c) {
        out += static_cast<char>(0x80 + i);
        found = true;
      }
    }
    if (!found) {
      problem = "\"" + std::string(text.substr(start, at - start)) + "\" (U+" +
                Hex(static_cast<unsigned>(*c), 4) + ") is not a Windows-1252 character";
      return std::nullopt;
    }
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  for (char b : bytes) utf8::Append(out, CodePointOf(static_cast<unsigned char>(b)));
  return out;
}

std::string Visible(std::string_view bytes) {
  std::string out;
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (IsPrintable1252(byte))
      utf8::Append(out, CodePointOf(byte));
    else
      out += "\\x" + Hex(byte, 2);
  }
  return out;
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
