// Where text crosses into Win32. Inside the programs names and texts are UTF-8; the system's
// wide-character (...W) functions take and give UTF-16; files may hold text of the system's code
// page. Every conversion between the three is here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/system_name.h"

namespace platform::win32 {

// The name in UTF-16 for the system; none when it is not UTF-8 (nothing the system could name).
std::optional<std::wstring> WideOf(const SystemName& name);
// The name in UTF-16 for a file operation; throws Failure 52 (bad file name) when it is not UTF-8.
std::wstring WideFileName(const SystemName& name);
// A name the system gave. A lone surrogate, which no UTF-8 can hold, becomes U+FFFD.
SystemName NameOf(std::wstring_view wide);
// UTF-8 text (a caption, a message, a console program's output) in UTF-16; bytes that are not
// UTF-8 become U+FFFD.
std::wstring WideOfText(std::string_view utf8);
// Text the system gave (a window's text, an error description) in UTF-8; a lone surrogate
// becomes U+FFFD.
std::string TextOfWide(std::wstring_view wide);

// Text in the system's code page (the ANSI code page) in UTF-8.
std::string TextOfCodePage(std::string_view bytes);

}  // namespace platform::win32
