// UTF-8, the text of the makers' files, terminals and (inside the programs) of names the system
// hands over: one encoder and one decoder for every program.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace utf8 {

// Appends a code point (up to U+10FFFF) as UTF-8.
void Append(std::string& out, char32_t codePoint);
// The code point of the UTF-8 sequence at `at`, advancing `at` past it; none (and `at` unmoved)
// when the bytes there are not well-formed UTF-8: overlong forms, surrogates and values beyond
// U+10FFFF included.
std::optional<char32_t> Next(std::string_view text, std::size_t& at);

// The number of characters: code points, each byte that is not well-formed UTF-8 counting as one.
std::size_t Length(std::string_view text);
// The first `count` characters (as Length counts them): never half of one.
std::string_view Prefix(std::string_view text, std::size_t count);

}  // namespace utf8
