// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "base/Failure.h"
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
