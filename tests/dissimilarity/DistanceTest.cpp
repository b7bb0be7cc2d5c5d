// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "dissimilarity/Distance.h"

TEST(Distance, PackedIndexRuleAndLookupWithTheSmallerIndexFirst) {
  CDistance d;
  d.Allocate(4);
  EXPECT_EQ(d.values.size(), 10u);
  EXPECT_EQ(CDistance::Index(0, 0, 4), 0u);
  EXPECT_EQ(CDistance::Index(1, 1, 4), 4u);
  EXPECT_EQ(CDistance::Index(2, 3, 4), 8u);
  d.Set(3, 1, 7.5);
  EXPECT_EQ(d.Row(1)[3], 7.5);
  EXPECT_EQ(d.At(1, 3), 7.5);
  EXPECT_EQ(d.At(3, 1), 7.5);
  EXPECT_EQ(d.At(2, 2), 0.0);
}

TEST(Distance, SumsMeanAndMax) {
  CDistance d;
  d.Allocate(3);
  d.Set(0, 1, 1);
  d.Set(0, 2, 2);
  d.Set(1, 2, 4);
  d.SumByRows(nullptr);
  EXPECT_EQ(d.rowSums[0], 3.0);
  EXPECT_EQ(d.rowSums[2], 6.0);
  EXPECT_EQ(d.rankWeightedRowSums[0], 2 * 1 + 3 * 2.0);
  EXPECT_EQ(d.rankWeightedRowSums[2], 1 * 2 + 2 * 4.0);
  EXPECT_EQ(d.mean, 2 * 7.0 / 9);
  EXPECT_EQ(d.max, 4.0);
  CDistance copy;
  d.CopyTo(copy);
  EXPECT_EQ(copy.At(2, 1), 4.0);
  EXPECT_EQ(copy.rowSums[1], 5.0);

  CDistance single;
  single.Allocate(1);
  single.SumByRows(nullptr);
  EXPECT_EQ(single.mean, 0.0);
  EXPECT_EQ(single.max, 0.0);
}
