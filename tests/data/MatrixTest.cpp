#include <gtest/gtest.h>

#include "base/Failure.h"
#include "data/Distance.h"
#include "data/Matrix.h"

TEST(Matrix, AllocateZeroesAndCopyIsDeep) {
  CMatrix a;
  a.Allocate(2, 3);
  EXPECT_EQ(a.Row(1)[2], 0.0);
  a.Row(1)[2] = 5;
  CMatrix b;
  a.CopyTo(b);
  a.Row(1)[2] = 6;
  EXPECT_EQ(b.At(1, 2), 5.0);
  EXPECT_EQ(b.rowCount, 2);
  EXPECT_EQ(b.columnCount, 3);
  CSquareMatrix square(4);
  EXPECT_EQ(square.rowCount, 4);
  EXPECT_EQ(square.columnCount, 4);
}

TEST(Matrix, ImpossibleSizesAreMessageTwoWithTheSizeAskedFor) {
  CMatrix a;
  try {
    a.Allocate(2000000000, 2000000000);
    FAIL();
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 2);
    EXPECT_EQ(error.Warning().rows, 2000000000);
    EXPECT_EQ(error.Warning().columns, 2000000000);
  }
}

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
  EXPECT_STREQ(d.ClassName(), "CDistance");
}

TEST(Distance, SumsMeanAndMax) {
  CDistance d;
  d.Allocate(3);
  d.Set(0, 1, 1);
  d.Set(0, 2, 2);
  d.Set(1, 2, 4);
  d.SumByRows();
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
  single.SumByRows();
  EXPECT_EQ(single.mean, 0.0);
  EXPECT_EQ(single.max, 0.0);
}
