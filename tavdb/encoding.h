// Text between the makers' UTF-8 files and terminals and the database's Windows-1252 bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavdb {

// A printable character of Windows-1252: not a control character (below 0x20, 0x7F) and not one
// of the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
bool IsPrintable1252(unsigned char byte);

// UTF-8 text as Windows-1252 bytes. On failure `problem` says what does not fit: a character the
// code page lacks (named with its code point) or bytes that are not UTF-8.
std::optional<std::string> Utf8To1252(std::string_view utf8, std::string& problem);
// Windows-1252 bytes as UTF-8 (the undefined bytes as the C1 controls Windows maps them to).
std::string Cp1252ToUtf8(std::string_view bytes);
// Windows-1252 bytes as UTF-8 for a message on a terminal: what is not printable as \xNN.
std::string Visible(std::string_view bytes);
// True when the bytes hold at least one well-formed UTF-8 sequence of two or more bytes and
// nothing that is not UTF-8: text saved as UTF-8 where Windows-1252 was meant.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace tavdb
