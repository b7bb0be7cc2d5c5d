// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <span>
#include <vector>

#include "MeasureFixture.h"
#include "base/Missing.h"
#include "dissimilarity/Objective.h"
#include "dissimilarity/SideDistances.h"

namespace {

bool AllFinite(std::span<const double> values) {
  for (const double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// Every entry, sum, mean and maximum of a computed matrix, and R and S of the file order.
void ExpectFiniteSide(const CDistance& matrix) {
  EXPECT_TRUE(AllFinite(matrix.values));
  EXPECT_TRUE(AllFinite(matrix.rowSums));
  EXPECT_TRUE(AllFinite(matrix.rankWeightedRowSums));
  EXPECT_TRUE(std::isfinite(matrix.mean));
  EXPECT_TRUE(std::isfinite(matrix.max));
  std::vector<int> order(static_cast<size_t>(matrix.size));
  std::iota(order.begin(), order.end(), 0);
  EXPECT_TRUE(std::isfinite(ObjectiveR(order.data(), matrix.size, matrix, nullptr)));
  const CPathLength path = ObjectiveS(order.data(), matrix.size, matrix, nullptr);
  EXPECT_TRUE(std::isfinite(path.s));
  EXPECT_TRUE(std::isfinite(path.s2));
}

void ExpectFiniteMatrices(CMeasureFixture& f) {
  ASSERT_EQ(f.ComputeRows(), "");
  ASSERT_EQ(f.ComputeColumns(), "");
  ExpectFiniteSide(f.rowDistances);
  ExpectFiniteSide(f.columnDistances);
}

}  // namespace

TEST(FiniteValues, TablesThatProvokeEveryDivisionLoadWithoutNanOrInfinity) {
  const struct {
    const char* what;
    const char* table;
    int representation;
  } tables[] = {
      // Row pair (1, 2) and column pair (a, c) share a single position: k − 1 = 0.
      {"one shared position", "T\ta\tb\tc\nr1\t1\t2\t\nr2\t\t3\t4\nr3\t5\t6\t7\n", 0},
      // Row r1 and column b are constant: standard deviation 0.
      {"constant lines", "T\ta\tb\tc\nr1\t5\t5\t5\nr2\t1\t5\t3\nr3\t2\t5\t9\n", 0},
      // The interaction term of this table is 0 everywhere: every deviation and distance is 0.
      {"all zero", "T\ta\tb\nr1\t1\t2\nr2\t3\t4\n", 5},
      // A single present cell per column after centring the rows.
      {"centred rows", "T\ta\tb\tc\nr1\t1\t\t\nr2\t3\t2\t\nr3\t4\t6\t8\n", 2},
  };
  for (const auto& t : tables) {
    for (const int code : {1, 2, 3, 7, 8}) {
      SCOPED_TRACE(testing::Message() << t.what << ", code " << code);
      CMeasureFixture f;
      f.settings.DataRepresentation = t.representation;
      ASSERT_TRUE(f.Load(t.table, 0, code));
      ExpectFiniteMatrices(f);
    }
  }
}

TEST(FiniteValues, BinaryPairsKnownOnlyAsZeroZeroMatches) {
  // The text reader refuses empty binary cells; a workbook can leave them missing.
  for (const int code : {1, 4, 5, 7}) {
    SCOPED_TRACE(code);
    CMeasureFixture f;
    f.Build(1, 3, 4, code, [](int i, int j) {
      const double cells[3][4] = {{0, 0, kMissing, 1}, {0, 0, 1, kMissing}, {1, 0, 1, 1}};
      return cells[i][j];
    });
    ExpectFiniteMatrices(f);
  }
}
