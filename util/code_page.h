// The encodings a team database's text may be written in: the Windows code pages 1250 to 1258,
// from tables made from Unicode's published mappings (so every program, on every system, reads
// and writes them alike), and UTF-8. Text inside the programs is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace codepage {

enum class Encoding {
  Windows1250 = 1250,  // Central European
  Windows1251,         // Cyrillic
  Windows1252,         // Western European
  Windows1253,         // Greek
  Windows1254,         // Turkish
  Windows1255,         // Hebrew
  Windows1256,         // Arabic
  Windows1257,         // Baltic
  Windows1258,         // Vietnamese
  Utf8 = 65001,
};

// "Windows-1252", "UTF-8".
std::string NameOf(Encoding encoding);
// The encoding a name gives, letter case aside: "UTF-8", "Windows-1250" to "Windows-1258", and
// the bare numbers "1250" to "1258"; none for any other.
std::optional<Encoding> EncodingNamed(std::string_view name);

// The text as UTF-8. A byte the code page leaves undefined reads as the control character of the
// same number between 0x80 and 0x9F (as Windows reads it), as U+FFFD above; in UTF-8, what is not
// well-formed UTF-8 reads as U+FFFD, a sequence at a time.
std::string ToUtf8(std::string_view bytes, Encoding encoding);

// UTF-8 text in the encoding; none when a character has no byte there, or the text is not
// well-formed UTF-8, with `problem` saying which: `"ş" (U+015F) is not a Windows-1252 character`.
std::optional<std::string> FromUtf8(std::string_view utf8, Encoding encoding,
                                    std::string* problem = nullptr);

}  // namespace codepage
