// The delay as the user types it and as the settings file keeps it.
#pragma once

#include <string>

namespace tavoria {

// The number at the start of a text, read the way the classic Val function reads it: blanks, tabs
// and line feeds are skipped wherever they are, a point is the decimal separator, an exponent may
// follow (E or D), reading stops at the first character that cannot continue the number, and a
// text that does not begin with a number gives 0. Too large a number gives infinity.
double LeadingNumber(const std::string& text);

// A number as the shortest decimal text of at most 15 significant digits, with no trailing zeros
// and no trailing point: 7 gives "7", 7.5 gives "7.5".
std::string DecimalText(double value);

}  // namespace tavoria
