// A clock that stands still at a chosen moment, with chosen regional settings: for a program that
// shows what the saver would show on a given day (the makers' tool), and the moment now on the
// computer it runs on, to start from.
#pragma once

#include "platform/platform.h"

namespace platform {

class FixedClock : public Clock {
 public:
  Date date{2000, 1, 1};
  int secondsOfDay = 0;
  DateOrder dateOrder = DateOrder::DayMonthYear;
  int twoDigitYearMax = 2049;

  Date Today() override { return date; }
  int SecondsOfDay() override { return secondsOfDay; }
  double SecondsSinceMidnight() override { return secondsOfDay; }
  DateOrder RegionalDateOrder() override { return dateOrder; }
  int TwoDigitYearMax() override { return twoDigitYearMax; }

  // The local date and time of day now on this computer.
  static FixedClock Now();
};

}  // namespace platform
