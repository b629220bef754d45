#include "saver/setup/delay_text.h"

#include <charconv>
#include <system_error>

#include "util/text.h"

namespace tavoria {

double LeadingNumber(const std::string& text) {
  std::size_t end = 0;
  const auto number =
      text::ScanDecimal(text, end, {.exponent = true, .exponentD = true, .skipAllBlanks = true});
  return number ? text::ToDouble(*number) : 0;
}

std::string DecimalText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace tavoria
