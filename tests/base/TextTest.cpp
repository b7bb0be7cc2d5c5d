// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "base/Text.h"
#include "base/TextDecoding.h"

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

TEST(TextDecoding, MarksAreDroppedAndOtherEncodingsBecomeUtf8) {
  CDecodedText plain = DecodeText("a\tb\n");
  EXPECT_EQ(plain.text, "a\tb\n");
  EXPECT_EQ(plain.encoding, ETextEncoding::kUtf8);
  CDecodedText marked = DecodeText("\xEF\xBB\xBFS\xC3\xA3o");
  EXPECT_EQ(marked.text, "S\xC3\xA3o");
  EXPECT_EQ(marked.encoding, ETextEncoding::kUtf8WithMark);
  // Windows-1252: a-tilde, the euro sign of 0x80, and an undefined byte kept as its code point.
  CDecodedText latin = DecodeText("S\xE3o \x80\x81");
  EXPECT_EQ(latin.text, "S\xC3\xA3o \xE2\x82\xAC\xC2\x81");
  EXPECT_EQ(latin.encoding, ETextEncoding::kWindows1252);
  EXPECT_NE(EncodingNotice(latin.encoding, "x.txt").find("x.txt"), std::string::npos);
  EXPECT_TRUE(EncodingNotice(marked.encoding, "x.txt").empty());
  // UTF-16 both ways, with a surrogate pair, a lone surrogate and an odd last byte.
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE"
                                   "a\0\x3D\xD8\x00\xDE",
                                   8))
                .text,
            "a\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeText(std::string("\xFE\xFF\0a\xD8\x00\0b\x41", 9)).text,
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}
