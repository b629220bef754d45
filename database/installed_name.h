// The file an upgrade is installed as: its first line, the devname, followed by ".sdf", in the
// Windows directory. Kelvane refuses an upgrade whose first line makes no such name, and the
// makers' tool warns of one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace database {

// Why the first line's bytes are not a plain name ("it starts with a byte-order mark, ..."); none
// when they are one.
std::optional<std::string> WhyNotAPlainName(std::string_view firstLineBytes);

// The first line, read as text, followed by ".sdf": none when that names no file that stays in
// the Windows directory (an empty line, a separator, "..", a character Windows forbids, a device
// name, a trailing dot or blank, a name too long).
std::optional<std::string> InstalledName(std::string_view firstLine);

}  // namespace database
