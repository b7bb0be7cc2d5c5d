// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

#include "base/Missing.h"
#include "data/TextScan.h"

namespace {

double Parse(std::string_view cell, bool blank = false) {
  std::string_view line = cell;
  return ParseValueCell(line, blank);
}

}  // namespace

TEST(TextScan, SkipSeparatorsConsumesBlanksAndAtMostOneOtherDelimiter) {
  std::string_view line = "   \t  x";
  SkipSeparators(line);
  EXPECT_EQ(line, "x");
  line = "\t\tx";
  SkipSeparators(line);
  EXPECT_EQ(line, "\tx");
  line = ";:x";
  SkipSeparators(line);
  EXPECT_EQ(line, ":x");
}

TEST(TextScan, LabelCellsSkipEmptyCellsButValueCellsDoNot) {
  std::string_view line = "a\t1\t\t3";
  EXPECT_EQ(ReadLabelCell(line, false), "a");
  EXPECT_EQ(ParseValueCell(line, false), 1.0);
  EXPECT_EQ(ParseValueCell(line, false), kMissing);
  EXPECT_EQ(ParseValueCell(line, false), 3.0);
  EXPECT_TRUE(line.empty());
  EXPECT_EQ(ParseValueCell(line, false), kMissing);  // cells missing at the end of a line

  // One call consumes at most one tab: two tabs in a row enclose an empty label cell.
  line = "\t\tb";
  EXPECT_EQ(ReadLabelCell(line, false), "");
  EXPECT_EQ(ReadLabelCell(line, false), "b");
}

TEST(TextScan, BlankRunIsOneDelimiterOnlyWhenTheBlankDelimits) {
  std::string_view line = "a   1  2";
  EXPECT_EQ(ReadLabelCell(line, true), "a");
  EXPECT_EQ(ParseValueCell(line, true), 1.0);
  EXPECT_EQ(ParseValueCell(line, true), 2.0);
  line = "New York\t3";
  EXPECT_EQ(ReadLabelCell(line, false), "New York");
}

TEST(TextScan, ValueCellGrammar) {
  EXPECT_EQ(Parse("2,5"), 2.5);
  EXPECT_EQ(Parse("1e3"), 1000.0);
  EXPECT_EQ(Parse("-1.5E-2"), -0.015);
  EXPECT_EQ(Parse("+7"), 7.0);
  EXPECT_EQ(Parse(".5"), 0.5);
  EXPECT_EQ(Parse("5."), 5.0);
  EXPECT_EQ(Parse("1 234"), 1234.0);  // blank not a delimiter: dropped inside the cell
  EXPECT_EQ(Parse("   "), 0.0);       // a cell of blanks reads 0
  for (const char* bad : {"NA", "inf", "-inf", "nan", "0x1A", "1e", "1.2.3", "--1", "e5", ".",
                          "1,5,2", "12abc", "+", "1e+", "\r5"}) {
    EXPECT_EQ(Parse(bad), kMissing) << bad;
  }
}

TEST(TextScan, HugeMagnitudesNeverBecomeInfinite) {
  EXPECT_EQ(Parse("1e400"), kMissing);
  EXPECT_EQ(Parse("-1e400"), kMissing);
  EXPECT_EQ(Parse("1e-400"), 0.0);
  EXPECT_EQ(Parse("0.00000000000000000000000000001e-300"), 0.0);
  double value = 0;
  EXPECT_TRUE(ParseDecimal("1.7976931348623157e308", value));
  EXPECT_EQ(value, 1.7976931348623157e308);
}

TEST(TextScan, ConversionIsCorrectlyRoundedLikeTheStandardLibrary) {
  std::mt19937_64 random(12345);
  std::uniform_int_distribution<int> digits(1, 24), exponent(-40, 40), digit(0, 9);
  for (int trial = 0; trial < 20000; ++trial) {
    std::string text;
    const int integerDigits = digits(random);
    for (int k = 0; k < integerDigits; ++k)
      text += static_cast<char>('0' + digit(random));
    if (trial % 2) {
      text += '.';
      const int fraction = digits(random);
      for (int k = 0; k < fraction; ++k)
        text += static_cast<char>('0' + digit(random));
    }
    if (trial % 3 == 0) text += "e" + std::to_string(exponent(random));
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    double actual = -1;
    ASSERT_TRUE(ParseDecimal(text, actual)) << text;
    EXPECT_EQ(actual, expected) << text;
  }
}

TEST(TextScan, DecimalPrefixReadsTheLeadingNumberOnly) {
  double value = 0;
  EXPECT_EQ(ParseDecimalPrefix("2.5abc", value), 3u);
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(ParseDecimalPrefix("abc", value), 0u);
  EXPECT_EQ(ParseDecimalPrefix("7e", value), 1u);
  EXPECT_EQ(value, 7.0);
}
