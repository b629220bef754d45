// The computer a database is read on, as far as reading it depends on the computer: the moment now
// on its clock, its user's regional settings, how its clock shows an instant, and how it reads the
// text of its system code page.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "util/calendar.h"

namespace database {

// The local date and time of an instant (UTC) on the computer's clock; none when it cannot tell.
using LocalMomentOf = std::function<std::optional<calendar::Moment>(std::chrono::sys_seconds)>;
// Text of the system code page as UTF-8.
using SystemText = std::function<std::string(std::string_view)>;

struct Computer {
  calendar::Moment now;
  calendar::RegionalSettings regional;
  // For a fixture that carries its kick-off's instant. Unset: every fixture is shown as its lines
  // are written.
  LocalMomentOf localMomentOf;
  // For a database that does not declare how its text is written. Unset: such text is kept as its
  // bytes.
  SystemText systemText;
};

}  // namespace database
