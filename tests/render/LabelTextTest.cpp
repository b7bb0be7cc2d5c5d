// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "render/LabelText.h"
#include "render/NumberText.h"

TEST(LabelText, ValidUtf8IsDecodedAsUtf8) {
  EXPECT_EQ(DecodeLabel("caf\xC3\xA9"), U"caf\u00E9");
  EXPECT_EQ(DecodeLabel("\xE2\x82\xAC 5"), U"\u20AC 5");
  EXPECT_EQ(DecodeLabel("\xF0\x9F\x98\x80"), U"\U0001F600");
  EXPECT_EQ(DecodeLabel(""), U"");
}

TEST(LabelText, AnythingElseIsReadByteByByteAsLatin1) {
  EXPECT_EQ(DecodeLabel("caf\xE9"), U"caf\u00E9");
  EXPECT_EQ(DecodeLabel("\xC3("), U"\u00C3(");  // a broken sequence is not UTF-8
}

TEST(NumberText, WritesWhatPrintfWritesInTheCLocale) {
  for (const double value : {0.0, 1.0, -0.5, 1.0 / 255.0, 254.0 / 255.0, 12345.678, 0.00049,
                             -0.0049999, 1e15, 2.5, 3.5, 0.125}) {
    for (const int precision : {0, 1, 2, 4, 8}) {
      char expected[128];
      std::snprintf(expected, sizeof expected, "%.*f", precision, value);
      EXPECT_EQ(FixedText(value, precision), expected) << value << " " << precision;
    }
  }
  EXPECT_EQ(FixedText(0.0, 2, 5), " 0.00");
  EXPECT_EQ(FixedText(-12.5, 2, 5), "-12.50");
  EXPECT_EQ(IntegerText(-42), "-42");
}

TEST(NumberText, KeepsThePointInADecimalCommaLocale) {
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"}) {
    if (std::setlocale(LC_NUMERIC, name)) {
      chosen = name;
      break;
    }
  }
  if (!chosen) GTEST_SKIP() << "no decimal-comma locale installed";
  const std::string text = FixedText(0.5, 8);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(text, "0.50000000");
}
