#include "saver/setup/delay_text.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <system_error>

namespace tavoria {

namespace {

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool Digit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

double LeadingNumber(const std::string& text) {
  std::string chars;
  for (char c : text)
    if (!Blank(c)) chars += c;

  // The longest start of the text that spells a number: sign, digits, point, digits, exponent.
  std::string number;
  std::size_t i = 0;
  auto take = [&] { number += chars[i++]; };
  if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) take();
  std::size_t digits = 0;
  while (i < chars.size() && Digit(chars[i])) take(), ++digits;
  if (i < chars.size() && chars[i] == '.') {
    take();
    while (i < chars.size() && Digit(chars[i])) take(), ++digits;
  }
  if (digits == 0) return 0;
  if (i < chars.size() && std::string("eEdD").find(chars[i]) != std::string::npos) {
    std::string exponent = "e";
    std::size_t k = i + 1;
    if (k < chars.size() && (chars[k] == '+' || chars[k] == '-')) exponent += chars[k++];
    if (k < chars.size() && Digit(chars[k])) {
      while (k < chars.size() && Digit(chars[k])) exponent += chars[k++];
      number += exponent;
    }
  }
  // Only digits, a sign, a point and an exponent are left, so the "C" reading is the only one.
  return std::strtod(number.c_str(), nullptr);
}

std::string DecimalText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace tavoria
