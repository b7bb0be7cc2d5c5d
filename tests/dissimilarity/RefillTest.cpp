// SPDX-License-Identifier: GPL-3.0-or-later
// A side's dissimilarities computed again (after a consumer borrowed the triangle) or for a
// sequence of its items must carry the bits of the matrix the load computed.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <random>

#include "MeasureFixture.h"
#include "base/Missing.h"
#include "dissimilarity/SideRefill.h"

namespace {

std::function<double(int, int)> Cells(unsigned seed, double missingShare, int distinct,
                                      double offset) {
  auto random = std::make_shared<std::mt19937>(seed);
  return [=](int i, int) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    if (i > 0 && unit(*random) < missingShare) return kMissing;
    if (distinct > 0) {
      return offset + std::uniform_int_distribution<int>(0, distinct - 1)(*random);
    }
    return std::uniform_real_distribution<double>(-50.0, 50.0)(*random);
  };
}

// Every measure of every type, on tables with missing cells and ties.
struct CCase {
  int dataType;
  int code;
  double missing;
  int distinct;
  double offset;
};
constexpr CCase kCases[] = {{0, 1, 0.1, 0, 0}, {0, 2, 0.1, 0, 0}, {0, 3, 0.0, 3, 0},
                            {0, 7, 0.1, 4, 0}, {0, 8, 0.1, 0, 0}, {1, 1, 0.1, 3, 0},
                            {1, 4, 0.0, 2, 0}, {1, 5, 0.1, 2, 0}, {1, 7, 0.0, 2, 0},
                            {2, 6, 0.1, 4, 0}, {3, 9, 0.0, 20, 1}};

bool Same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

void Load(CMeasureFixture& f, const CCase& c, unsigned seed) {
  const auto cells = Cells(seed, c.missing, c.distinct, c.offset);
  // Nominal codes must start at 0 in every column.
  f.Build(c.dataType, 70, 23, c.code,
          [&](int i, int j) { return c.dataType == 2 && i == 0 ? 0.0 : cells(i, j); });
  ASSERT_EQ(f.ComputeRows(), "");
  ASSERT_EQ(f.ComputeColumns(), "");
}

// The refill of one side of the fixture's table; the message boxes go to the fixture.
CSideRefill RefillOf(CMeasureFixture& f, bool byColumns, CInsidePolicy policy = {}) {
  return CSideRefill(*f.data, byColumns, DissimilarityOptionsOf(f.settings), policy,
                     [&f](const std::string& text) { f.services.ShowMessageBox(text); });
}

}  // namespace

TEST(RefillDistances, InOrderEqualsTheLoadedPairsForEveryMeasure) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  for (const CCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << "type " << c.dataType << ", code " << c.code);
    CMeasureFixture f;
    Load(f, c, seed + static_cast<unsigned>(c.code));
    for (const bool byColumns : {false, true}) {
      const CDistance& matrix = byColumns ? f.columnDistances : f.rowDistances;
      CSideRefill refill = RefillOf(f, byColumns);
      // A permutation of all items, and a part of them.
      std::vector<int> sequence(static_cast<size_t>(matrix.size));
      std::iota(sequence.begin(), sequence.end(), 0);
      std::shuffle(sequence.begin(), sequence.end(), random);
      for (const int count : {matrix.size, matrix.size / 3}) {
        CDistance target;
        ASSERT_TRUE(refill.ComputeInOrder(sequence.data(), count, target));
        ASSERT_EQ(target.size, count);
        for (int p = 0; p < count; ++p) {
          ASSERT_EQ(target.At(p, p), 0.0);
          for (int q = p + 1; q < count; ++q) {
            ASSERT_TRUE(Same(target.At(p, q), matrix.At(sequence[p], sequence[q])))
                << (byColumns ? "columns " : "rows ") << p << ", " << q;
          }
        }
      }
      // An item out of range is refused, writing nothing.
      CDistance untouched;
      const int outside[] = {0, matrix.size};
      EXPECT_FALSE(refill.ComputeInOrder(outside, 2, untouched));
      EXPECT_EQ(untouched.size, 0);
    }
  }
}

TEST(RefillDistances, RecomputedPairsKeepTheirBitsAndTheSums) {
  for (const CCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << "type " << c.dataType << ", code " << c.code);
    CMeasureFixture f;
    Load(f, c, 99);
    CDistance& rows = f.rowDistances;
    CSideRefill refill = RefillOf(f, false);
    ASSERT_TRUE(refill.Cheap());
    const std::vector<double> before(rows.values.begin(), rows.values.end());
    const std::vector<double> sums = rows.rowSums;
    std::fill(rows.values.begin(), rows.values.end(), -1.0);  // as a consumer leaves it
    const double* storage = rows.values.data();
    ASSERT_TRUE(refill.Refill(rows));
    EXPECT_EQ(rows.values.data(), storage);  // refilled where it was
    EXPECT_TRUE(std::equal(before.begin(), before.end(), rows.values.begin(), Same));
    EXPECT_EQ(rows.rowSums, sums);
    // A matrix that is not the side's is not refilled.
    CDistance other;
    EXPECT_FALSE(refill.Refill(other));
  }
}

TEST(RefillDistances, FilesAreReadAgainAndAChangedFileStopsTheRun) {
  CMeasureFixture f;
  f.Build(0, 3, 2, 10, [](int i, int j) { return i + j; });
  const std::string name = f.folder.Write("rows.txt", "0\n1\t0\n2\t3\t0\n");
  f.settings.RowDissimilarityFileName = name;
  f.settings.ColDissimilarityFileName = f.folder.Write("columns.txt", "0\n5\t0\n");
  ASSERT_EQ(f.ComputeRows(), "");
  CDistance& rows = f.rowDistances;
  CSideRefill refill = RefillOf(f, false);
  EXPECT_FALSE(refill.Cheap());
  // A file is not computed from the table, so no sequence of it can be.
  CDistance target;
  const int sequence[] = {2, 0, 1};
  EXPECT_FALSE(refill.ComputeInOrder(sequence, 3, target));
  std::fill(rows.values.begin(), rows.values.end(), 7.0);
  rows.values[0] = rows.values[3] = rows.values[5] = 0.0;
  ASSERT_TRUE(refill.Refill(rows));
  EXPECT_EQ(rows.At(0, 1), 1.0);
  EXPECT_EQ(rows.At(0, 2), 2.0);
  EXPECT_EQ(rows.At(1, 2), 3.0);
  EXPECT_TRUE(f.services.messageBoxes.empty());

  f.folder.Write("rows.txt", "0\n1\t0\n2\t4\t0\n");
  EXPECT_FALSE(refill.Refill(rows));
  ASSERT_EQ(f.services.messageBoxes.size(), 1u);
  EXPECT_NE(f.services.messageBoxes[0].find("has changed"), std::string::npos);
}

TEST(RefillDistances, InsideOnlyUnwatchedFromTheSizeOrWhenTheCopyCannotFit) {
  CMeasureFixture f;
  Load(f, kCases[0], 5);
  constexpr size_t kHuge = SIZE_MAX / 2;  // beyond any machine
  CInsidePolicy unwatched;
  unwatched.unwatched = true;
  unwatched.fromBytes = 1000;
  const CSideRefill batch = RefillOf(f, false, unwatched);
  EXPECT_TRUE(batch.WorkInside(1000));
  EXPECT_FALSE(batch.WorkInside(999));
  EXPECT_TRUE(batch.WorkInside(kHuge));
  // With windows (the desktop program) only a copy that cannot fit sends the steps inside.
  const CSideRefill desktop = RefillOf(f, false);
  EXPECT_FALSE(desktop.WorkInside(1 << 20));
  EXPECT_TRUE(desktop.WorkInside(kHuge));

  // Pairs over more positions than are cheap to compute again stay on copies while they fit;
  // so do the pairs of a file.
  CMeasureFixture wide;
  wide.Build(0, 4, kCheapRecomputePositions + 1, 1, [](int i, int j) { return i * j % 7; });
  ASSERT_EQ(wide.ComputeRows(), "");
  EXPECT_FALSE(RefillOf(wide, false, unwatched).WorkInside(1 << 20));
  EXPECT_TRUE(RefillOf(wide, true, unwatched).WorkInside(1 << 20));
  CMeasureFixture file;
  file.Build(0, 3, 2, 10, [](int i, int j) { return i + j; });
  file.settings.RowDissimilarityFileName = file.folder.Write("rows.txt", "0\n1\t0\n2\t3\t0\n");
  ASSERT_EQ(file.ComputeRows(), "");
  EXPECT_FALSE(RefillOf(file, false, unwatched).WorkInside(1 << 20));
  EXPECT_TRUE(RefillOf(file, false, unwatched).WorkInside(kHuge));
}
