// Dates and times of day as the user's regional settings write them.
//
// Dates accepted (blanks around the text are ignored; letter case of month names does not matter):
// - numeric, in the regional order of day, month and year, the parts joined by one kind of
//   separator, "/", "-" or ".": 11/06/2026, 6-11-26, 2026.06.11; day and month of one or two
//   digits, the year of two or four;
// - four digits first always mean year, month, day, whatever the regional order: 2026-06-11;
// - with an English month name or its first three letters, in any regional order:
//   11 June 2026, June 11, 2026, 11-Jun-2026, Jun 11 2026, 2026 June 11.
// A two-digit year is read as the user's Windows reads it: in the hundred years that end in the
// "two-digit year max" calendar setting (2049 by default: 00 to 49 are 2000 to 2049, 50 to 99 are
// 1950 to 1999). A date needs all three parts, and must exist on the calendar (Gregorian,
// years 1 to 9999).
//
// Times accepted: H:MM or H:MM:SS on the 24-hour clock (0:00 to 23:59:59), and the same or a bare
// hour followed by AM or PM on the 12-hour clock (12:30 AM is half past midnight, 12 PM noon).
// Minutes and seconds have two digits.
//
// Anything else fails with code 13 "Type mismatch".
#pragma once

#include <string>

#include "util/calendar.h"
#include "util/failure.h"

namespace database {

calendar::Date ParseDate(const std::string& text, const calendar::RegionalSettings& regional);
// The time of day in seconds since midnight.
int ParseTimeOfDay(const std::string& text);

}  // namespace database
