// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "MeasureFixture.h"
#include "base/Failure.h"
#include "base/Missing.h"
#include "dissimilarity/SideDistances.h"

namespace {

double RowDistance(CMeasureFixture& f, int a, int b) {
  return f.rowDistances.At(a, b);
}

}  // namespace

TEST(NumericalMeasures, SumsAreRescaledToAllPositionsButTheLargestDifferenceIsNot) {
  // Two complete positions of three: k = 2, differences 1 and 2.
  const std::string table = "T\ta\tb\tc\nr1\t1\t2\t\nr2\t2\t4\t6\n";
  const struct {
    int code;
    double expected;
  } cases[] = {{1, std::sqrt(5.0 * 3 / 2)}, {7, 4.5}, {8, 2.0}};
  for (const auto& c : cases) {
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(table, 0, c.code));
    ASSERT_EQ(f.ComputeRows(), "");
    EXPECT_EQ(RowDistance(f, 0, 1), c.expected) << c.code;
  }
}

TEST(NumericalMeasures, PearsonWithoutAnEstimableCorrelationCountsAsUncorrelated) {
  // Rows 1 and 2 share one position (k = 1); row 4 is constant (deviation 0).
  const std::string table = "T\ta\tb\tc\nr1\t1\t2\t\nr2\t\t3\t4\nr3\t5\t6\t8\nr4\t7\t7\t7\n";
  for (const int code : {2, 3}) {
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(table, 0, code));
    ASSERT_EQ(f.ComputeRows(), "");
    EXPECT_EQ(RowDistance(f, 0, 1), 1.0);
    EXPECT_EQ(RowDistance(f, 0, 3), 1.0);
    EXPECT_EQ(RowDistance(f, 2, 3), 1.0);
    // Rows 1 and 3 over positions a, b: perfectly correlated only with their own statistics.
    EXPECT_TRUE(std::isfinite(RowDistance(f, 0, 2)));
  }
}

TEST(BinaryMeasures, MatchCountsOfTwoRows) {
  // a = b = c = d = 1.
  const std::string table = "T\ta\tb\tc\td\nr1\t1\t1\t0\t0\nr2\t1\t0\t1\t0\n";
  const struct {
    int code;
    double expected;
  } cases[] = {{4, 1.0 - 1.0 / 3.0}, {5, 1.0 - 3.0 / 5.0}, {1, std::sqrt(2.0)}, {7, 2.0}};
  for (const auto& c : cases) {
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(table, 1, c.code));
    ASSERT_EQ(f.ComputeRows(), "");
    EXPECT_EQ(RowDistance(f, 0, 1), c.expected) << c.code;
  }
}

TEST(BinaryMeasures, TwoAllZeroRowsStopAlthoughNothingIsMissing) {
  CMeasureFixture f;
  ASSERT_TRUE(f.Load("T\ta\tb\tc\nr1\t0\t0\t0\nr2\t0\t0\t0\n", 1, 4));
  EXPECT_EQ(f.ComputeRows(),
            "STOP !\tThere are too many missing data in your dataset\n\tto calculate distances "
            "between columns.\t\nBetween rows: the measure cannot compare two of them with these "
            "values (two rows or columns of zeros under a binary measure, for instance): choose "
            "another measure.");
}

TEST(BinaryMeasures, ZeroZeroMatchesBesideMissingCellsMeanNoDissimilarity) {
  // Both rows are 0 where both are known; the only 1 lies beside a missing cell.
  for (const int code : {4, 5}) {
    CMeasureFixture f;
    f.Build(1, 2, 3, code, [](int i, int j) { return j < 2 ? 0.0 : i == 0 ? kMissing : 1.0; });
    ASSERT_EQ(f.ComputeRows(), "");
    EXPECT_EQ(RowDistance(f, 0, 1), 0.0) << code;
  }
}

TEST(NominalMeasures, HammingCountsMismatchesWithoutRescaling) {
  CMeasureFixture f;
  ASSERT_TRUE(f.Load("T\ta\tb\tc\td\nr1\t0\t1\t2\t\nr2\t0\t2\t2\t1\nr3\t0\t0\t0\t0\n", 2, 6));
  ASSERT_EQ(f.ComputeRows(), "");
  EXPECT_EQ(RowDistance(f, 0, 1), 1.0);
  EXPECT_EQ(RowDistance(f, 0, 2), 2.0);
  EXPECT_EQ(RowDistance(f, 1, 2), 3.0);
}

TEST(NominalMeasures, BadCodesEndTheProgramBeforeAnyPair) {
  CMeasureFixture f;
  ASSERT_TRUE(f.Load("T\ta\tb\nr1\t0\t1\nr2\t0\t2\n", 2, 6));
  try {
    f.ComputeRows();
    FAIL() << "column b starts with code 1";
  } catch (const CError& error) {
    EXPECT_EQ(error.ExitStatus(), 14);
  }
}

TEST(ContingencyMeasures, ChiSquareOfProfilesWhateverTheCode) {
  // Counts 1 3 / 2 2: row totals 4 and 4, column totals 3 and 5, N = 8.
  for (const int code : {9, 1}) {
    CMeasureFixture f;
    ASSERT_TRUE(f.Load("T\ta\tb\nr1\t1\t3\nr2\t2\t2\n", 3, code));
    ASSERT_EQ(f.ComputeRows(), "");
    ASSERT_EQ(f.ComputeColumns(), "");
    EXPECT_NEAR(RowDistance(f, 0, 1), 1.0 / 6 + 1.0 / 10, 1e-15);
    // Columns: (1/3 − 3/5)² / (4/8) + (2/3 − 2/5)² / (4/8).
    const double expected = (2 * (4.0 / 15) * (4.0 / 15)) / 0.5;
    EXPECT_NEAR(f.columnDistances.At(0, 1), expected, 1e-15);
  }
}

TEST(ContingencyMeasures, AnEmptyRowOrColumnIsRefusedByNumber) {
  const struct {
    const char* table;
    const char* message;
  } cases[] = {
      {"T\ta\tb\tc\nr1\t1\t0\t2\nr2\t0\t0\t0\nr3\t4\t0\t1\n",
       "STOP !\tRow 2 of your contingency table has a total of 0 !\n\tThe Chi-square distance "
       "cannot be calculated.\t"},
      {"T\ta\tb\tc\nr1\t1\t0\t2\nr2\t3\t0\t1\n",
       "STOP !\tColumn 2 of your contingency table has a total of 0 !\n\tThe Chi-square distance "
       "cannot be calculated.\t"},
  };
  for (const auto& c : cases) {
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(c.table, 3, 9));
    EXPECT_EQ(f.ComputeRows(), c.message);
  }
}

TEST(DistanceMatrices, OneItemSideHasOnlyItsZeroDiagonal) {
  CMeasureFixture f;
  ASSERT_TRUE(f.Load("T\ta\nr1\t1\nr2\t4\nr3\t6\n", 0, 1));
  ASSERT_EQ(f.ComputeRows(), "");
  ASSERT_EQ(f.ComputeColumns(), "");
  const CDistance& columns = f.columnDistances;
  EXPECT_EQ(columns.size, 1);
  EXPECT_EQ(std::vector<double>(columns.values.begin(), columns.values.end()),
            std::vector<double>{0.0});
  EXPECT_EQ(columns.mean, 0.0);
  EXPECT_EQ(columns.max, 0.0);
  // The row side got its sums: d(0,1) = 3, d(0,2) = 5, d(1,2) = 2.
  EXPECT_EQ(f.rowDistances.rowSums, (std::vector<double>{8.0, 5.0, 7.0}));
  EXPECT_EQ(f.rowDistances.max, 5.0);
}

TEST(MissingDataStop, NamesTheSideAndTheItemThatStops) {
  CMeasureFixture f;
  // The row without values of the fixture tests/data/tables/empty-row.txt.
  ASSERT_TRUE(f.Load("T\ta\tb\nr1\t1\t2\nhollow\t\t\nr3\t5\t6\n", 0, 1));
  const std::string rows = f.ComputeRows();
  EXPECT_TRUE(rows.starts_with(kTooManyMissingMessage));
  EXPECT_TRUE(
      rows.ends_with("\nBetween rows: row 2 (label 'hollow') has no value: remove it or "
                     "fill it."))
      << rows;
  CMeasureFixture g;
  ASSERT_TRUE(g.Load("T\ta\tb\tc\nr1\t1\t\t3\nr2\t\t5\t\nr3\t\t\t9\n", 0, 1));
  EXPECT_TRUE(g.ComputeColumns().ends_with(
      "Between columns: column 1 (label 'a') and column 2 (label 'b') have no value in the same "
      "place: fill one of them, or remove one."))
      << g.ComputeColumns();
}
