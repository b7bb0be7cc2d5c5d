// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "workbook/RkValue.h"

TEST(RkValue, IntegerFlagAndHundredthsFlag) {
  const CWorkbookCell integer = DecodeRk((25u << 2) | 2u);
  EXPECT_EQ(integer.kind, CellKind::kInteger);
  EXPECT_EQ(integer.Number(), 25.0);
  EXPECT_EQ(integer.Integer(), 25);
  const CWorkbookCell hundredths = DecodeRk((25u << 2) | 3u);
  EXPECT_EQ(hundredths.kind, CellKind::kReal);
  EXPECT_EQ(hundredths.Number(), 0.25);
  EXPECT_EQ(hundredths.Integer(), 0);
  // The 30-bit integer is signed: shifted arithmetically.
  EXPECT_EQ(DecodeRk(static_cast<uint32_t>(-7 * 4) | 2u).Number(), -7.0);
  EXPECT_EQ(DecodeRk(0x7FFFFFFEu).Number(), 536870911.0);
  EXPECT_EQ(DecodeRk(0x80000002u).Number(), -536870912.0);
  EXPECT_EQ(DecodeRk(static_cast<uint32_t>(-175 * 4) | 3u).Number(), -1.75);
}

TEST(RkValue, RealsKeepTheUpperHalfOfADouble) {
  // 1.5 is 0x3FF8000000000000: its upper half alone is exact.
  const CWorkbookCell real = DecodeRk(0x3FF80000u);
  EXPECT_EQ(real.kind, CellKind::kReal);
  EXPECT_EQ(real.Number(), 1.5);
  EXPECT_EQ(real.Integer(), 1);
  EXPECT_EQ(DecodeRk(0x3FF80001u).Number(), 1.5 / 100.0);
  EXPECT_EQ(DecodeRk(0xBFF80000u).Integer(), -1);  // truncated toward zero
}

TEST(RkValue, MatchesTheFormatRulesOnRandomValues) {
  const unsigned seed = 20261208;
  std::mt19937 random(seed);
  for (int trial = 0; trial < 20000; ++trial) {
    const uint32_t v = random();
    const CWorkbookCell cell = DecodeRk(v);
    double expected;
    if (v & 2u) {
      // Arithmetic shift right by 2 is floor division by 4.
      expected = std::floor(static_cast<double>(static_cast<int32_t>(v)) / 4.0);
    } else {
      const uint64_t bits = static_cast<uint64_t>(v & 0xFFFFFFFCu) << 32;
      std::memcpy(&expected, &bits, sizeof expected);
    }
    if (v & 1u) expected /= 100.0;
    ASSERT_EQ(cell.kind, (v & 3u) == 2u ? CellKind::kInteger : CellKind::kReal) << seed << " " << v;
    if (std::isnan(expected)) {
      ASSERT_TRUE(std::isnan(cell.number)) << v;
    } else {
      ASSERT_EQ(cell.number, expected) << seed << " " << v;
    }
  }
}

TEST(WorkbookCell, OtherKindsReadAsZeroAndHugeRealsClamp) {
  CWorkbookCell text{CellKind::kText, 5.0, u"x"};
  EXPECT_EQ(text.Number(), 0.0);
  EXPECT_EQ(text.Integer(), 0);
  EXPECT_EQ(CWorkbookCell{}.Number(), 0.0);
  EXPECT_EQ((CWorkbookCell{CellKind::kReal, 1e300, {}}).Integer(), INT_MAX);
  EXPECT_EQ((CWorkbookCell{CellKind::kReal, -1e300, {}}).Integer(), INT_MIN);
  EXPECT_EQ((CWorkbookCell{CellKind::kReal, std::nan(""), {}}).Integer(), 0);
  EXPECT_EQ((CWorkbookCell{CellKind::kReal, -2.9, {}}).Integer(), -2);
}
