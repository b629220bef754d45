// Small text and number helpers shared by every reader of the programs' texts and files: blanks,
// trimming, letter case, splitting and joining lines, and a decimal scanner that rounds exactly.
// Text is 8-bit in the system code page; letter case changes only the ASCII letters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

inline constexpr const char* kCrLf = "\r\n";

// A blank: a space or a tab.
bool IsBlank(char c);
bool IsDigit(char c);
bool IsLetter(char c);  // A to Z, a to z

// The text without the characters of `what` at either end (blanks unless told).
std::string_view Trim(std::string_view text, std::string_view what = " \t");
std::string_view TrimRight(std::string_view text, std::string_view what = " \t");
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

// The parts between the separators: "a,,b" gives "a", "", "b"; an empty text gives one part.
std::vector<std::string_view> Split(std::string_view text, char separator);
// The lines of a text, broken at CR LF or a bare LF; a lone CR stays in its line.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines one at a time, as views into the text, so a text of millions costs nothing more:
//   text::LineReader lines(text);
//   for (std::string_view line; lines.Next(line);) ... lines.Number() ...
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line, without its line end; false after the last.
  bool Next(std::string_view& line);
  // The line Next gave last, counted from 1.
  int Number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int number_ = 0;
  bool done_ = false;
};
// The lines joined by CR LF, as message boxes and files want them.
std::string JoinCrLf(std::initializer_list<std::string> lines);
// An English ordinal number: 1st, 2nd, 3rd, 4th, 11th, 101st.
std::string Ordinal(int n);

// A decimal number as written: a sign, digits with an optional point, and an optional exponent.
// Its value is (negative ? -1 : 1) x digits x 10^scale, kept exactly.
struct Decimal {
  bool negative = false;
  std::string digits;  // without the point, leading zeros kept
  long scale = 0;
};

struct DecimalOptions {
  bool exponent = true;        // E (and D, when `exponentD`) followed by a signed whole number
  bool exponentD = false;      // the old BASIC "D" exponent as well
  bool skipAllBlanks = false;  // blanks (and line feeds) anywhere are skipped, as Val does
};

// Scans the number at the start of `text` (after blanks); `end` receives where it stops. None when
// no digit is found.
std::optional<Decimal> ScanDecimal(std::string_view text, std::size_t& end,
                                   DecimalOptions options = {});
// The whole text is one decimal number, with blanks around it allowed.
std::optional<Decimal> WholeDecimal(std::string_view text, DecimalOptions options = {});
// The number times 10^shift, to the nearest whole number, a value exactly halfway going to the
// even neighbour. None when its magnitude exceeds `limit`.
std::optional<std::int64_t> RoundHalfEven(const Decimal& number, long shift, std::int64_t limit);
// The number as the nearest double.
double ToDouble(const Decimal& number);

}  // namespace text
