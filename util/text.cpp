#include "util/text.h"

#include <algorithm>
#include <cstdlib>

namespace text {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view Trim(std::string_view text, std::string_view what) {
  const auto first = text.find_first_not_of(what);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(what) - first + 1);
}

std::string_view TrimRight(std::string_view text, std::string_view what) {
  const auto last = text.find_last_not_of(what);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const auto to = text.find(separator, from);
    parts.push_back(text.substr(from, to == std::string_view::npos ? to : to - from));
    if (to == std::string_view::npos) return parts;
    from = to + 1;
  }
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += text[i];
  }
  return lines;
}

bool LineReader::Next(std::string_view& line) {
  if (done_) return false;
  const std::size_t end = text_.find('\n', at_);
  line = text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
  if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  done_ = end == std::string_view::npos;
  at_ = end + 1;
  ++number_;
  return true;
}

std::string JoinCrLf(std::initializer_list<std::string> lines) {
  std::string joined;
  for (const auto& line : lines) {
    if (&line != lines.begin()) joined += kCrLf;
    joined += line;
  }
  return joined;
}

std::string Ordinal(int n) {
  const char* suffix = "th";
  if (n % 100 < 11 || n % 100 > 13) {
    if (n % 10 == 1) suffix = "st";
    if (n % 10 == 2) suffix = "nd";
    if (n % 10 == 3) suffix = "rd";
  }
  return std::to_string(n) + suffix;
}

namespace {

// No exponent a program's number needs comes near this; larger ones only make the value 0 or
// too large, which this bound keeps.
constexpr long kLargestExponent = 1000000;

}  // namespace

std::optional<Decimal> ScanDecimal(std::string_view input, std::size_t& end,
                                   DecimalOptions options) {
  std::string filtered;
  std::string_view text = input;
  if (options.skipAllBlanks) {
    for (char c : input)
      if (!IsBlank(c) && c != '\n') filtered += c;
    text = filtered;
  }
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  Decimal number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  while (i < text.size() && IsDigit(text[i])) number.digits += text[i++];
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) number.digits += text[i++], --number.scale;
  }
  if (number.digits.empty()) return std::nullopt;
  const bool marker =
      i < text.size() && (((text[i] == 'e' || text[i] == 'E') && options.exponent) ||
                          ((text[i] == 'd' || text[i] == 'D') && options.exponentD));
  if (marker) {
    std::size_t k = i + 1;
    bool minus = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) minus = text[k++] == '-';
    if (k < text.size() && IsDigit(text[k])) {
      long exponent = 0;
      for (; k < text.size() && IsDigit(text[k]); ++k)
        exponent = std::min(exponent * 10 + (text[k] - '0'), kLargestExponent);
      number.scale += minus ? -exponent : exponent;
      i = k;
    }
  }
  end = options.skipAllBlanks ? input.size() : i;
  return number;
}

std::optional<Decimal> WholeDecimal(std::string_view text, DecimalOptions options) {
  std::size_t end = 0;
  auto number = ScanDecimal(text, end, options);
  if (!number) return std::nullopt;
  while (end < text.size() && IsBlank(text[end])) ++end;
  if (end != text.size()) return std::nullopt;
  return number;
}

std::optional<std::int64_t> RoundHalfEven(const Decimal& number, long shift, std::int64_t limit) {
  std::string digits = number.digits;
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return 0;
  const long scale = number.scale + shift;
  constexpr std::size_t kMostDigits = 18;  // every whole number of 18 digits fits 64 bits
  std::string whole, dropped;
  if (scale >= 0) {
    if (digits.size() + static_cast<std::size_t>(scale) > kMostDigits) return std::nullopt;
    whole = digits + std::string(static_cast<std::size_t>(scale), '0');
  } else if (static_cast<std::size_t>(-scale) <= digits.size()) {
    whole = digits.substr(0, digits.size() - static_cast<std::size_t>(-scale));
    dropped = digits.substr(whole.size());
  } else {
    return 0;  // below a tenth
  }
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.size() > kMostDigits) return std::nullopt;
  std::int64_t value = whole.empty() ? 0 : std::stoll(whole);
  if (!dropped.empty()) {
    const bool moreThanHalf = dropped.find_first_not_of('0', 1) != std::string::npos;
    if (dropped[0] > '5' || (dropped[0] == '5' && (moreThanHalf || value % 2 == 1))) ++value;
  }
  if (value > limit) return std::nullopt;
  return number.negative ? -value : value;
}

double ToDouble(const Decimal& number) {
  const std::string written =
      (number.negative ? "-" : "") + number.digits + "e" + std::to_string(number.scale);
  return std::strtod(written.c_str(), nullptr);
}

}  // namespace text
