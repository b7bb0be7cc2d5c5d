// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "MeasureFixture.h"
#include "base/Missing.h"
#include "dissimilarity/SideDistances.h"

namespace {

// Random cells: real or integer values (integers force ties and equal terms), a share of them
// missing.
std::function<double(int, int)> RandomCells(unsigned seed, double missingShare, int distinct) {
  auto random = std::make_shared<std::mt19937>(seed);
  return [random, missingShare, distinct](int, int) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    if (unit(*random) < missingShare) return kMissing;
    if (distinct > 0)
      return static_cast<double>(std::uniform_int_distribution<int>(0, distinct - 1)(*random));
    return std::uniform_real_distribution<double>(-50.0, 50.0)(*random);
  };
}

// Computes both sides through the loader's entry points and compares each with the oracle.
void ExpectBothSidesMatchReference(CMeasureFixture& f) {
  for (const bool byColumns : {false, true}) {
    SCOPED_TRACE(byColumns ? "columns" : "rows");
    const CReferenceMatrix expected =
        ReferenceDistances(*f.data, byColumns, CodeOf(f.settings.Dissimilarity));
    ASSERT_FALSE(expected.stopped) << "pick a table whose pairs all form";
    EXPECT_EQ(byColumns ? f.ComputeColumns() : f.ComputeRows(), "");
    const CDistance& matrix = byColumns ? f.columnDistances : f.rowDistances;
    EXPECT_TRUE(SameBits(matrix.values, expected.values));
  }
  EXPECT_TRUE(f.services.messageBoxes.empty());
}

struct CShape {
  int rows;
  int columns;
};
// Sizes that leave partial panels, several tiles and several batches on the row side.
constexpr CShape kShapes[] = {{2, 3}, {37, 41}, {301, 24}};

}  // namespace

TEST(MeasuresMatchSequentialLoop, NumericalEveryMeasureWithAndWithoutMissingCells) {
  for (const int code : {1, 2, 3, 7, 8}) {
    for (const CShape shape : kShapes) {
      for (const double missing : {0.0, 0.1}) {
        for (const int distinct : {0, 4}) {
          const unsigned seed = static_cast<unsigned>(code * 1000 + shape.rows + distinct);
          SCOPED_TRACE(testing::Message()
                       << "code " << code << " " << shape.rows << "x" << shape.columns
                       << " missing " << missing << " distinct " << distinct << " seed " << seed);
          CMeasureFixture f;
          // Small tables get no missing cell: a pair of two cells would too often have none.
          const double share = shape.rows < 10 ? 0.0 : missing;
          f.Build(0, shape.rows, shape.columns, code, RandomCells(seed, share, distinct));
          ExpectBothSidesMatchReference(f);
        }
      }
    }
  }
}

TEST(MeasuresMatchSequentialLoop, BinaryEveryMeasureWithAndWithoutMissingCells) {
  for (const int code : {1, 4, 5, 7}) {
    for (const CShape shape : kShapes) {
      if (shape.rows < 10) continue;
      for (const double missing : {0.0, 0.1}) {
        const unsigned seed = static_cast<unsigned>(code * 77 + shape.rows);
        SCOPED_TRACE(testing::Message()
                     << "code " << code << " " << shape.rows << "x" << shape.columns << " missing "
                     << missing << " seed " << seed);
        CMeasureFixture f;
        // Cells outside 0/1 are read as present (non-zero) or absent.
        f.Build(1, shape.rows, shape.columns, code, RandomCells(seed, missing, 3));
        ExpectBothSidesMatchReference(f);
      }
    }
  }
}

TEST(MeasuresMatchSequentialLoop, NominalHammingAndContingencyChiSquare) {
  for (const CShape shape : kShapes) {
    if (shape.rows < 10) continue;
    SCOPED_TRACE(testing::Message() << shape.rows << "x" << shape.columns);
    CMeasureFixture nominal;
    const auto codes = RandomCells(5, 0.1, 4);
    // Every column starts with code 0, as validation demands.
    nominal.Build(2, shape.rows, shape.columns, 6,
                  [&](int i, int j) { return i == 0 ? 0.0 : codes(i, j); });
    ExpectBothSidesMatchReference(nominal);

    CMeasureFixture contingency;
    const auto counts = RandomCells(6, 0.0, 20);
    contingency.Build(3, shape.rows, shape.columns, 9,
                      [&](int i, int j) { return 1.0 + counts(i, j); });
    ExpectBothSidesMatchReference(contingency);
  }
}

TEST(MissingDataStop, StopsAtTheFirstPairInScanOrderWithOneMessage) {
  // Rows 150 and 151 share no present position, nor do rows 40 and 270: the walk must stop at
  // (40, 270), although the tile of row 150 may run at the same time; every other pair forms.
  CMeasureFixture f;
  const auto values = RandomCells(11, 0.0, 0);
  f.Build(0, 301, 6, 1, [&](int i, int j) {
    const bool missing = (i == 40 && j < 3) || (i == 270 && j >= 3) ||
                         (i == 150 && j != 2 && j != 5) || (i == 151 && (j == 2 || j == 5));
    return missing ? kMissing : values(i, j);
  });
  const CReferenceMatrix expected = ReferenceDistances(*f.data, false, 1);
  ASSERT_TRUE(expected.stopped);
  ASSERT_EQ(expected.item, 40);
  ASSERT_EQ(expected.partner, 270);
  EXPECT_TRUE(f.ComputeRows().starts_with(kTooManyMissingMessage));
  // The pairs before the stop hold their values, the others are still 0.
  EXPECT_TRUE(SameBits(f.rowDistances.values, expected.values));
}

TEST(MissingDataStop, ProgressStepsOncePerItemUpToTheStoppingItem) {
  CMeasureFixture f;
  f.Build(0, 1201, 2, 7, [](int i, int j) {
    if (i == 1100 && j == 0) return kMissing;
    if (i == 1150 && j == 1) return kMissing;
    return static_cast<double>((i * 7 + j * 3) % 11);
  });
  EXPECT_TRUE(f.ComputeRows().starts_with(kTooManyMissingMessage));
  ASSERT_EQ(f.services.progresses.size(), 1u);
  EXPECT_EQ(f.services.progresses[0].caption, "Computing distances matrix.");
  EXPECT_EQ(f.services.progresses[0].range, 1201);
  EXPECT_EQ(f.services.progresses[0].steps, 1101);
}

TEST(Progress, ShownFrom1001ItemsAndSteppedOncePerOuterItem) {
  CMeasureFixture f;
  f.Build(1, 1001, 2, 7, [](int i, int j) { return (i + j) % 2 == 0 ? 1.0 : 0.0; });
  ASSERT_EQ(f.ComputeRows(), "");
  ASSERT_EQ(f.services.progresses.size(), 2u);
  EXPECT_EQ(f.services.progresses[0].caption, "Computing distances matrix.");
  EXPECT_EQ(f.services.progresses[0].range, 1001);
  EXPECT_EQ(f.services.progresses[0].steps, 1000);
  EXPECT_EQ(f.services.progresses[1].caption, "Adding distances by rows in distances matrix.");
  EXPECT_EQ(f.rowDistances.At(0, 1000), 0.0);  // rows 0 and 1000 are alike
  EXPECT_EQ(f.rowDistances.At(0, 999), 2.0);

  CMeasureFixture small;
  small.Build(1, 1000, 2, 7, [](int i, int j) { return (i + j) % 2 == 0 ? 1.0 : 0.0; });
  ASSERT_EQ(small.ComputeRows(), "");
  EXPECT_TRUE(small.services.progresses.empty());
}

TEST(UnimplementedCode, LeavesTheMatrixAtZeroWithoutMessage) {
  const struct {
    int dataType;
    int code;
  } cases[] = {{0, 4}, {0, 5}, {0, 6}, {0, 9}, {1, 2}, {1, 8}, {2, 1}, {0, 42}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.dataType << " code " << c.code);
    CMeasureFixture f;
    // Missing cells would stop an implemented measure; here nothing is computed at all.
    f.Build(c.dataType, 5, 4, c.code, [](int i, int j) {
      return i == 1 && j < 2 ? kMissing : i == 2 && j >= 2 ? kMissing : (i + j) % 2;
    });
    EXPECT_EQ(f.ComputeRows(), "");
    EXPECT_EQ(f.ComputeColumns(), "");
    for (const double d : f.rowDistances.values)
      EXPECT_EQ(d, 0.0);
    for (const double d : f.columnDistances.values)
      EXPECT_EQ(d, 0.0);
    EXPECT_EQ(f.rowDistances.max, 0.0);
    EXPECT_TRUE(f.services.messageBoxes.empty());
  }
}
