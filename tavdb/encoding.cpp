#include "tavdb/encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point of the UTF-8 sequence at `at`, advancing `at`; none when the bytes there are not
// well-formed UTF-8 (overlong forms, surrogates and values beyond U+10FFFF included).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  int length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + static_cast<std::size_t>(length) > text.size()) return std::nullopt;
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(at + static_cast<std::size_t>(i));
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  at += static_cast<std::size_t>(length);
  return c;
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

std::optional<std::string> Utf8To1252(std::string_view utf8, std::string& problem) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const auto c = NextCodePoint(utf8, at);
    if (!c) {
      problem = "byte 0x" + Hex(static_cast<unsigned char>(utf8[start]), 2) + " at column " +
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
      problem = "\"" + std::string(utf8.substr(start, at - start)) + "\" (U+" +
                Hex(static_cast<unsigned>(*c), 4) + ") is not a Windows-1252 character";
      return std::nullopt;
    }
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  for (char b : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(b)));
  return out;
}

std::string Visible(std::string_view bytes) {
  std::string out;
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (IsPrintable1252(byte))
      AppendUtf8(out, CodePointOf(byte));
    else
      out += "\\x" + Hex(byte, 2);
  }
  return out;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool multibyte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto c = NextCodePoint(bytes, at);
    if (!c) return false;
    if (*c >= 0x80) multibyte = true;
  }
  return multibyte;
}

}  // namespace tavdb
