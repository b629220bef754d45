#include "platform/fixed_clock.h"

#include <algorithm>
#include <ctime>

namespace platform {

FixedClock FixedClock::Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  FixedClock clock;
  if (local) {
    clock.date = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    clock.secondsOfDay = (local->tm_hour * 60 + local->tm_min) * 60 + std::min(local->tm_sec, 59);
  }
  return clock;
}

}  // namespace platform
