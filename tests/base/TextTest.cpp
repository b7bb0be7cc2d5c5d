#include <gtest/gtest.h>

#include "base/Text.h"

TEST(Text, CharacterCountCountsCodePointsOfUtf8AndBytesOtherwise) {
  EXPECT_EQ(CharacterCount("abc"), 3);
  EXPECT_EQ(CharacterCount("M\u00fcnsingen"), 9);
  EXPECT_EQ(CharacterCount("M\xfcnsingen"), 9);  // Latin-1 byte
  EXPECT_EQ(CharacterCount(""), 0);
}

TEST(Text, Utf8ValidationRejectsOverlongAndTruncatedSequences) {
  EXPECT_TRUE(IsValidUtf8("\u00e9t\u00e9 \u4e2d"));
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xe2\x82"));      // truncated
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));  // surrogate
}

TEST(Text, CaseIsIgnoredForAsciiOnly) {
  EXPECT_TRUE(EqualsIgnoringCase("EWeight", "eweight"));
  EXPECT_FALSE(EqualsIgnoringCase("NAME", "NAMES"));
  EXPECT_EQ(ToLowerAscii("WaRD/\u00c9"), "ward/\u00c9");
}
