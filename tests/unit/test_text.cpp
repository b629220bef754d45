// The text and number helpers every reader of the programs' files uses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/text.h"

namespace {

using text::Decimal;

TEST(Text, TrimAndCase) {
  EXPECT_EQ(text::Trim(" \t a b \t "), "a b");
  EXPECT_EQ(text::Trim("\t\t"), "");
  EXPECT_EQ(text::Trim(""), "");
  EXPECT_EQ(text::Trim("\ta\t", " "), "\ta\t") << "only the characters asked for";
  EXPECT_EQ(text::TrimRight("  CON  ", " "), "  CON");
  EXPECT_EQ(text::LowerCase("/S Tavoria \xC9"), "/s tavoria \xC9") << "ASCII letters only";
  EXPECT_EQ(text::UpperCase("conout$ \xE9"), "CONOUT$ \xE9");
  EXPECT_TRUE(text::IsBlank(' ') && text::IsBlank('\t'));
  EXPECT_FALSE(text::IsBlank('\n') || text::IsBlank('\r'));
}

TEST(Text, SplitKeepsEmptyParts) {
  using Parts = std::vector<std::string_view>;
  EXPECT_EQ(text::Split("11/06/2026", '/'), (Parts{"11", "06", "2026"}));
  EXPECT_EQ(text::Split("a,,b,", ','), (Parts{"a", "", "b", ""}));
  EXPECT_EQ(text::Split("", ':'), Parts{""});
}

TEST(Text, LinesSplitAtCrLfOrLfAndJoinWithCrLf) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(text::SplitLines("one\r\ntwo\nthree"), (Lines{"one", "two", "three"}));
  EXPECT_EQ(text::SplitLines("a\rb\r\n"), (Lines{"a\rb", ""})) << "a lone CR stays";
  EXPECT_EQ(text::SplitLines(""), Lines{""});
  EXPECT_EQ(text::JoinCrLf({"one", "", "three"}), "one\r\n\r\nthree");
  EXPECT_EQ(text::JoinCrLf({"alone"}), "alone");
}

TEST(Text, Ordinals) {
  const std::pair<int, const char*> cases[] = {
      {1, "1st"},   {2, "2nd"},   {3, "3rd"},     {4, "4th"},     {11, "11th"},   {12, "12th"},
      {13, "13th"}, {21, "21st"}, {101, "101st"}, {111, "111th"}, {112, "112th"}, {123, "123rd"}};
  for (const auto& [n, written] : cases) EXPECT_EQ(text::Ordinal(n), written);
}

// The value of a whole text scaled by 10^shift, to the nearest whole number, halves to even.
std::optional<std::int64_t> Rounded(const char* written, long shift,
                                    std::int64_t limit = std::numeric_limits<int>::max()) {
  const auto number = text::WholeDecimal(written);
  if (!number) return std::nullopt;
  return text::RoundHalfEven(*number, shift, limit);
}

TEST(Decimal, RoundsExactlyWithHalvesToEven) {
  struct Case {
    const char* written;
    long shift;
    std::optional<std::int64_t> value;
  };
  const Case cases[] = {
      {"7", 3, 7000},
      {" 2.5 ", 3, 2500},
      {"0.0015", 3, 2},
      {"0.0025", 3, 2},
      {"0.0035", 3, 4},
      {"0.5015", 3, 502},
      {"7.00050001", 3, 7001},
      {"7.0005", 3, 7000},
      {"16.5", 0, 16},
      {"17.5", 0, 18},
      {"-2.5", 0, -2},
      {"-3.5", 0, -4},
      {"0.5", 0, 0},
      {"0.05", 0, 0},
      {"25e-1", 3, 2500},
      {"1e1", 0, 10},
      {"1E+2", 0, 100},
      {"0007.50", 3, 7500},
      {"-0", 0, 0},
      {"1e-9999999999", 3, 0},
      {"2147483.647", 3, 2147483647},
      {"2147483.648", 3, {}},
      {"1e300", 3, {}},
      {"99999999999999999999", 0, {}},
      {"", 0, {}},
      {".", 0, {}},
      {"1e", 0, {}},
      {"7 s", 0, {}},
      {"+", 0, {}},
      {"--1", 0, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Rounded(c.written, c.shift), c.value) << "\"" << c.written << "\" x 10^" << c.shift;
}

TEST(Decimal, TheScannerStopsWhereTheNumberStops) {
  std::size_t end = 0;
  auto number = text::ScanDecimal("  12.5kg", end);
  ASSERT_TRUE(number);
  EXPECT_EQ(number->digits, "125");
  EXPECT_EQ(number->scale, -1);
  EXPECT_EQ(end, 6u);
  EXPECT_FALSE(text::ScanDecimal("kg", end));
  number = text::ScanDecimal("2e+x", end);
  ASSERT_TRUE(number);
  EXPECT_EQ(end, 1u) << "an exponent marker without digits is not part of the number";
  EXPECT_FALSE(text::WholeDecimal("1e5", {.exponent = false})) << "no exponent where none is read";
}

TEST(Decimal, ValReadingSkipsBlanksAnywhereAndTakesD) {
  auto val = [](const char* written) {
    std::size_t end = 0;
    const auto number = text::ScanDecimal(
        written, end, {.exponent = true, .exponentD = true, .skipAllBlanks = true});
    return number ? text::ToDouble(*number) : 0.0;
  };
  EXPECT_EQ(val("1 2 3"), 123);
  EXPECT_EQ(val("\t7.5x"), 7.5);
  EXPECT_EQ(val("2d1"), 20);
  EXPECT_EQ(val("1\n5"), 15);
  EXPECT_EQ(val("+-3"), 0);
  EXPECT_TRUE(std::isinf(val("9e999")));
}

}  // namespace
