// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "MeasureFixture.h"
#include "data/DataContingency.h"
#include "data/DataNumerical.h"
#include "dissimilarity/SideDistances.h"

namespace {

std::string ThreeRows(const std::string& a, const std::string& b, const std::string& c) {
  return "T\tx\ty\nr1\t" + a + "\nr2\t" + b + "\nr3\t" + c + "\n";
}

}  // namespace

TEST(HostileValues, ContingencyTotalsBeyondTheCountRangeAreRefusedByName) {
  // Each count fits in 64 bits (they are held below 9.2e18); their sums do not.
  const struct {
    const char* table;
    const char* names;
  } cases[] = {
      {"T\ta\tb\nr1\t1\t1\nr2\t9e18\t9e18\n", "Row 2 of your contingency table"},
      {"T\ta\tb\tc\nr1\t1\t0\t9e18\nr2\t1\t1\t9e18\n", "Column 3 of your contingency table"},
      {"T\ta\tb\nr1\t5e18\t1\nr2\t1\t5e18\n", "The grand total of your contingency table"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    // The chi-square distance as well as distances read from files: the profiles need the
    // totals too.
    for (const int code : {9, 10}) {
      CMeasureFixture f;
      ASSERT_TRUE(f.Load(c.table, 3, code));
      const std::string failure = f.ComputeRows();
      EXPECT_NE(failure.find(c.names), std::string::npos) << failure;
      EXPECT_NE(failure.find("beyond 9.2e18"), std::string::npos) << failure;
      EXPECT_EQ(f.ComputeColumns(), failure);
    }
  }
  // Totals just inside the range stay exact.
  CMeasureFixture f;
  ASSERT_TRUE(f.Load("T\ta\tb\nr1\t4e18\t1\nr2\t1\t5e18\n", 3, 9));
  ASSERT_EQ(f.ComputeRows(), "");
  const auto& table = dynamic_cast<const CData_ContingencyTable&>(*f.data);
  EXPECT_EQ(table.grandTotal, int64_t{9000000000000000002});
  EXPECT_EQ(table.rowTotals[1], int64_t{5000000000000000001});
}

TEST(HostileValues, HugeValuesAreRefusedNamingTheMeasure) {
  // Squares of values near 1e155 leave the range of a double; so do the products of Pearson's
  // correlation and the sums of R and S over large distances.
  for (const char* value : {"1e155", "1e200", "1.7e308", "-1e150"}) {
    for (const int code : {1, 2, 3, 7, 8}) {
      SCOPED_TRACE(testing::Message() << value << ", code " << code);
      CMeasureFixture f;
      ASSERT_TRUE(f.Load(ThreeRows("1\t2", std::string(value) + "\t3", "4\t5"), 0, code));
      const std::string failure = f.ComputeRows();
      EXPECT_NE(failure.find("values too large for the " +
                             std::string(DissimilarityLabel(ChoiceOf<EDissimilarity>(code)))),
                std::string::npos)
          << failure;
      EXPECT_EQ(f.ComputeColumns(), failure);
    }
  }
}

TEST(HostileValues, LargeValuesWithinTheBoundKeepFiniteExactDistances) {
  for (const int code : {1, 2, 3, 7, 8}) {
    SCOPED_TRACE(code);
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(ThreeRows("1e95\t2e95", "-3e95\t1e95", "4e95\t5e95"), 0, code));
    ASSERT_EQ(f.ComputeRows(), "");
    ASSERT_EQ(f.ComputeColumns(), "");
    for (const double d : f.rowDistances.values)
      EXPECT_TRUE(std::isfinite(d));
    EXPECT_TRUE(std::isfinite(f.rowDistances.mean));
  }
  CMeasureFixture f;
  ASSERT_TRUE(f.Load(ThreeRows("0\t0", "3e95\t4e95", "0\t0"), 0, 1));
  ASSERT_EQ(f.ComputeRows(), "");
  EXPECT_DOUBLE_EQ(f.rowDistances.At(0, 1), 5e95);
  // A distance of three values of 6e99 each is beyond the bound, although every value is not.
  CMeasureFixture beyond;
  ASSERT_TRUE(beyond.Load("T\tx\ty\tz\nr1\t0\t0\t0\nr2\t6e99\t6e99\t6e99\n", 0, 1));
  EXPECT_NE(beyond.ComputeRows().find("too large for the Euclidean distance"), std::string::npos);
}

TEST(HostileValues, HugeValuesAreNormalisedWithoutOverflow) {
  // The squares of the deviations overflow; the Z-scores themselves are ordinary numbers.
  CMeasureFixture f;
  f.settings.DataRepresentation = 3;
  ASSERT_TRUE(f.Load(ThreeRows("1e200\t1", "2e200\t2", "3e200\t4"), 0, 1));
  const auto& table = dynamic_cast<const CData_Numerical&>(*f.data);
  EXPECT_NEAR(table.At(0, 0), -1.0, 1e-12);
  EXPECT_NEAR(table.At(1, 0), 0.0, 1e-12);
  EXPECT_NEAR(table.At(2, 0), 1.0, 1e-12);
  ASSERT_EQ(f.ComputeRows(), "");
  EXPECT_TRUE(std::isfinite(f.rowDistances.At(0, 2)));
  // The sum of two cells of 2^1023 overflows too: the mean still comes out.
  CMeasureFixture centred;
  centred.settings.DataRepresentation = 1;
  ASSERT_TRUE(
      centred.Load("T\tx\ty\nr1\t8.98846567431158e307\t1\nr2\t8.98846567431158e307\t3\n", 0, 1));
  const auto& centredTable = dynamic_cast<const CData_Numerical&>(*centred.data);
  EXPECT_EQ(centredTable.At(0, 0), 0.0);
  EXPECT_EQ(centredTable.At(1, 0), 0.0);
  EXPECT_EQ(centredTable.At(1, 1), 1.0);
  EXPECT_EQ(centred.ComputeRows(), "");
}

TEST(HostileValues, DissimilarityFilesWithValuesBeyondTheBoundAreRefused) {
  for (const char* value : {"1e300", "-1e101"}) {
    SCOPED_TRACE(value);
    CMeasureFixture f;
    ASSERT_TRUE(f.Load(ThreeRows("1\t2", "3\t4", "5\t6"), 0, 10));
    f.settings.RowDissimilarityFileName =
        f.folder.Write("rows.txt", std::string("0\n1\t0\n2\t") + value + "\t0\n");
    const std::string failure = f.ComputeRows();
    EXPECT_NE(failure.find("rows.txt"), std::string::npos) << failure;
    EXPECT_NE(failure.find("beyond 1e100"), std::string::npos) << failure;
  }
}
