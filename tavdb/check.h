// Checking a team database before it is published: every stop of the saver's own walk through the
// file (database/walk.h), in the tool's words, and on top of them what the saver accepts but users
// would see wrongly.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tavdb/diagnostic.h"
#include "tavdb/zone_info.h"
#include "util/calendar.h"

namespace tavdb {

inline constexpr calendar::DateOrder kOrders[] = {calendar::DateOrder::DayMonthYear,
                                                  calendar::DateOrder::MonthDayYear,
                                                  calendar::DateOrder::YearMonthDay};
// "day-month-year", "month-day-year", "year-month-day".
const char* OrderName(calendar::DateOrder order);

struct CheckOptions {
  // The moment and regional settings the database is checked for, as the saver would load it.
  calendar::Moment moment;
  calendar::RegionalSettings regional;
  // The database number of the database this one follows, as the saver reads it, and its name.
  std::optional<int> previousNumber;
  std::string previousName;
  // The rules of the zone the fixtures' heading names, to check the kick-offs' instants against
  // their date and kick-off lines; throws ZoneInfoError when they cannot be read. Unset: the
  // instants are not checked.
  std::function<tz::TimeZone(const std::string& name)> zoneRules;
};

// Walks the database's bytes as the loader does, going on after each stop where the walk can keep
// in step, so the errors come in the order the loader meets them: the first is the failure the
// loader stops on. Warnings follow the lines they concern. Bytes beyond the most a database may
// have are an error of their own, last. Of a file with more than kShownPerFile, those are kept,
// the errors first; the others are counted.
Diagnostics CheckDatabase(std::string_view bytes, const CheckOptions& options);

// What the saver's loader says of the failure `code` (or of a database too new).
std::string SaverOutcome(int code, bool tooNew);

}  // namespace tavdb
