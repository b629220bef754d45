#include "util/code_page.h"

#include <cstdio>

#include "util/text.h"
#include "util/utf8.h"

namespace codepage {

namespace tables {
extern const char16_t kHighHalves[9][128];  // code_page_tables.cpp
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

const char16_t* HighHalf(Encoding encoding) {
  return tables::kHighHalves[static_cast<int>(encoding) - static_cast<int>(Encoding::Windows1250)];
}

char32_t CharacterOf(unsigned char byte, const char16_t* highHalf) {
  if (byte < 0x80) return byte;
  const char16_t mapped = highHalf[byte - 0x80];
  if (mapped) return mapped;
  return byte <= 0x9F ? byte : kReplacement;
}

std::string CodePointName(char32_t c) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
  return hex;
}

}  // namespace

std::string NameOf(Encoding encoding) {
  if (encoding == Encoding::Utf8) return "UTF-8";
  return "Windows-" + std::to_string(static_cast<int>(encoding));
}

std::optional<Encoding> EncodingNamed(std::string_view name) {
  const std::string folded = text::LowerCase(name);
  if (folded == "utf-8") return Encoding::Utf8;
  std::string_view number = folded;
  if (number.starts_with("windows-")) number.remove_prefix(8);
  for (int n = 1250; n <= 1258; ++n)
    if (number == std::to_string(n)) return static_cast<Encoding>(n);
  return std::nullopt;
}

std::string ToUtf8(std::string_view bytes, Encoding encoding) {
  std::string out;
  out.reserve(bytes.size());
  if (encoding == Encoding::Utf8) {
    for (std::size_t at = 0; at < bytes.size();) {
      if (const auto c = utf8::Next(bytes, at)) {
        utf8::Append(out, *c);
      } else {
        utf8::Append(out, kReplacement);
        ++at;
      }
    }
    return out;
  }
  const char16_t* highHalf = HighHalf(encoding);
  for (const char b : bytes)
    utf8::Append(out, CharacterOf(static_cast<unsigned char>(b), highHalf));
  return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8, Encoding encoding,
                                    std::string* problem) {
  std::string out;
  out.reserve(utf8.size());
  const char16_t* highHalf = encoding == Encoding::Utf8 ? nullptr : HighHalf(encoding);
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const auto c = utf8::Next(utf8, at);
    if (!c) {
      if (problem) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(utf8[start]));
        *problem = std::string("byte ") + hex + " at column " + std::to_string(start + 1) +
                   " is not UTF-8";
      }
      return std::nullopt;
    }
    if (!highHalf) {
      out.append(utf8.substr(start, at - start));
      continue;
    }
    if (*c < 0x80) {
      out += static_cast<char>(*c);
      continue;
    }
    int found = -1;
    for (int i = 0; i < 128 && found < 0; ++i)
      if (highHalf[i] == *c) found = i;
    if (found < 0) {
      if (problem)
        *problem = "\"" + std::string(utf8.substr(start, at - start)) + "\" (" + CodePointName(*c) +
                   ") is not a " + NameOf(encoding) + " character";
      return std::nullopt;
    }
    out += static_cast<char>(0x80 + found);
  }
  return out;
}

}  // namespace codepage
