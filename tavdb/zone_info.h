// The time zone rules in a zoneinfo folder (the IANA database's compiled files, as the system
// installs them under /usr/share/zoneinfo and the Windows build copies them beside tavdb.exe),
// read through the platform's files.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "tz/time_zone.h"

namespace tavdb {

// The folder or the zone is missing or unreadable; what() says which and what to do.
class ZoneInfoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct NamedZone {
  std::string name;  // as the IANA database names it: "Europe/London"
  tz::TimeZone rules;
};

// The zone's rules from the folder. `option` names the command-line option for messages. Throws
// ZoneInfoError.
NamedZone ReadZone(platform::Files& files, const std::string& folder, const std::string& name,
                   const std::string& option);

// The database's version from the folder's tzdata.zi ("2025b"); none when it cannot be read.
std::optional<std::string> ReadTzdataVersion(platform::Files& files, const std::string& folder);

}  // namespace tavdb
