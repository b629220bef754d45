// Text between the makers' UTF-8 files and terminals and a database's bytes, which are written in
// the encoding the database declares (Windows-1252 when it declares none, as tavdb reads it).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/code_page.h"

namespace tavdb {

// The encoding tavdb reads a database's text in when the database declares none: the code page
// of the Western European Windows the format was made for.
inline constexpr codepage::Encoding kUndeclaredText = codepage::Encoding::Windows1252;
// Undeclared text as tavdb reads it, in UTF-8.
std::string UndeclaredText(std::string_view bytes);

// A control character: below U+0020, U+007F, and U+0080 to U+009F.
bool IsControl(char32_t c);
// UTF-8 text for a message on a terminal: control characters and what is not UTF-8 as \xNN.
std::string Visible(std::string_view utf8);

// A byte of a line that users do not see as a printable character: its column (from 1) and value.
struct Unprintable {
  std::size_t column;
  unsigned char byte;
};
// The first such byte of a line in the encoding: a control character, a byte the code page leaves
// undefined, or (in UTF-8) a byte that is not UTF-8.
std::optional<Unprintable> FirstUnprintable(std::string_view bytes, codepage::Encoding encoding);
// Why UTF-8 text cannot be one line of printable text in a database, in words that follow what it
// is ("the title"): " holds a line break: ...", " holds a control character (\x07): ...",
// ": byte 0xFF at column 3 is not UTF-8"; none when it can.
std::optional<std::string> NotOneLine(std::string_view utf8);
// True when the bytes hold at least one well-formed UTF-8 sequence of two or more bytes and
// nothing that is not UTF-8: text saved as UTF-8 where a code page was meant.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace tavdb
