// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Prototypes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "base/Missing.h"

namespace {

struct CTable {
  int rows = 0;
  int positions = 0;
  std::vector<double> cells;
  std::vector<int> blob;  // the blob each row was drawn from
};

// Rows around `centres` well-separated centres (100 apart, spread 1), in random order; a share
// of the cells missing.
CTable Blobs(int rows, int positions, int centres, double missing, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> spread(0.0, 1.0);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  CTable t{rows, positions, {}, {}};
  for (int r = 0; r < rows; ++r) {
    const int b = static_cast<int>(random() % static_cast<unsigned>(centres));
    t.blob.push_back(b);
    for (int p = 0; p < positions; ++p) {
      const double x = 100.0 * ((b + p) % centres) + 7.0 * p + spread(random);
      t.cells.push_back(unit(random) < missing ? kMissing : x);
    }
  }
  return t;
}

CPrototypes Summarise(const CTable& t, int count, uint64_t seed = 0x51ED5EED) {
  CPrototypeOptions options;
  options.count = count;
  options.seed = seed;
  return ComputePrototypes(t.cells.data(), t.rows, t.positions, options);
}

// Groups partition the rows, sizes count them, numbers follow first appearance, and each mean
// is the mean of its rows' present values in row order, bit for bit.
void ExpectConsistent(const CTable& t, const CPrototypes& p) {
  ASSERT_EQ(p.prototypeOfRow.size(), static_cast<size_t>(t.rows));
  ASSERT_EQ(p.means.size(), static_cast<size_t>(p.Count()) * t.positions);
  std::vector<int64_t> sizes(static_cast<size_t>(p.Count()), 0);
  int next = 0;
  for (int r = 0; r < t.rows; ++r) {
    const int k = p.prototypeOfRow[static_cast<size_t>(r)];
    ASSERT_GE(k, 0);
    ASSERT_LT(k, p.Count());
    ASSERT_LE(k, next) << "numbered by first appearance";
    if (k == next) ++next;
    ++sizes[static_cast<size_t>(k)];
  }
  EXPECT_EQ(sizes, p.sizes);
  for (int k = 0; k < p.Count(); ++k) {
    for (int q = 0; q < t.positions; ++q) {
      double sum = 0.0;
      int64_t present = 0;
      for (int r = 0; r < t.rows; ++r) {
        const double x = t.cells[static_cast<size_t>(r) * t.positions + q];
        if (p.prototypeOfRow[static_cast<size_t>(r)] != k || IsMissing(x)) continue;
        sum += x;
        ++present;
      }
      const double expected = present == 0 ? kMissing : sum / static_cast<double>(present);
      ASSERT_EQ(std::bit_cast<uint64_t>(p.Mean(k)[q]), std::bit_cast<uint64_t>(expected))
          << "prototype " << k << ", position " << q;
    }
  }
}

}  // namespace

TEST(Prototypes, RecoverWellSeparatedGroups) {
  for (const double missing : {0.0, 0.2}) {
    SCOPED_TRACE(testing::Message() << "missing share " << missing);
    const CTable t = Blobs(600, 6, 5, missing, 7);
    const CPrototypes p = Summarise(t, 5);
    ExpectConsistent(t, p);
    ASSERT_EQ(p.Count(), 5);
    // Each prototype holds exactly one blob.
    std::vector<int> blobOf(5, -1);
    for (int r = 0; r < t.rows; ++r) {
      int& b = blobOf[static_cast<size_t>(p.prototypeOfRow[static_cast<size_t>(r)])];
      if (b < 0) b = t.blob[static_cast<size_t>(r)];
      EXPECT_EQ(b, t.blob[static_cast<size_t>(r)]) << "row " << r;
    }
    EXPECT_EQ(std::set<int>(blobOf.begin(), blobOf.end()).size(), 5u);
    EXPECT_EQ(p.prototypeOfRow[0], 0);
    EXPECT_EQ(p.Label(0), "P1 (n=" + std::to_string(p.sizes[0]) + ")");
    EXPECT_TRUE(p.converged);
  }
}

TEST(Prototypes, TheSameTableGivesTheSameBits) {
  // More rows than the training sample takes, so that the sampling and the final pass over
  // every row both count.
  const CTable t = Blobs(12000, 9, 30, 0.05, 3);
  CPrototypeOptions options;
  options.count = 120;
  options.trainingRowsPerPrototype = 20;
  const CPrototypes a = ComputePrototypes(t.cells.data(), t.rows, t.positions, options);
  const CPrototypes b = ComputePrototypes(t.cells.data(), t.rows, t.positions, options);
  ExpectConsistent(t, a);
  EXPECT_EQ(a.prototypeOfRow, b.prototypeOfRow);
  EXPECT_EQ(a.sizes, b.sizes);
  ASSERT_EQ(a.means.size(), b.means.size());
  for (size_t k = 0; k < a.means.size(); ++k)
    ASSERT_EQ(std::bit_cast<uint64_t>(a.means[k]), std::bit_cast<uint64_t>(b.means[k]));
  EXPECT_EQ(a.iterations, b.iterations);
  EXPECT_LE(a.Count(), 120);
  EXPECT_GE(a.Count(), 30);
}

TEST(Prototypes, AsManyAsRowsOrNoneAskedKeepsEveryRow) {
  const CTable t = Blobs(40, 3, 2, 0.1, 1);
  for (const int count : {40, 41, 1000, 0, -3}) {
    const CPrototypes p = Summarise(t, count);
    ASSERT_EQ(p.Count(), 40);
    for (int r = 0; r < 40; ++r) {
      EXPECT_EQ(p.prototypeOfRow[static_cast<size_t>(r)], r);
      EXPECT_EQ(p.sizes[static_cast<size_t>(r)], 1);
    }
    EXPECT_EQ(p.means, t.cells);
  }
  EXPECT_EQ(Summarise(CTable{}, 5).Count(), 0);
}

TEST(Prototypes, FewerDistinctRowsThanAskedGiveFewerPrototypes) {
  // Three distinct rows, repeated: every further draw would sit on a centre.
  CTable t{90, 2, {}, {}};
  for (int r = 0; r < 90; ++r) {
    t.cells.push_back(r % 3);
    t.cells.push_back(10.0 * (r % 3));
  }
  const CPrototypes p = Summarise(t, 10);
  ExpectConsistent(t, p);
  EXPECT_EQ(p.Count(), 3);
  EXPECT_EQ(p.sizes, (std::vector<int64_t>{30, 30, 30}));
  EXPECT_EQ(p.prototypeOfRow[4], 1);
}

TEST(Prototypes, MissingCellsAreSkippedNotCounted) {
  CTable t = Blobs(300, 4, 3, 0.0, 5);
  // One position missing in every row of one blob, and one row without any value.
  for (int r = 0; r < t.rows; ++r) {
    if (t.blob[static_cast<size_t>(r)] == 1) t.cells[static_cast<size_t>(r) * 4 + 2] = kMissing;
  }
  for (int q = 0; q < 4; ++q)
    t.cells[static_cast<size_t>(17) * 4 + q] = kMissing;
  const CPrototypes p = Summarise(t, 3);
  ExpectConsistent(t, p);
  ASSERT_EQ(p.Count(), 3);
  int blobOne = -1;
  for (int r = 0; r < t.rows; ++r) {
    if (t.blob[static_cast<size_t>(r)] == 1 && r != 17) {
      blobOne = p.prototypeOfRow[static_cast<size_t>(r)];
      break;
    }
  }
  ASSERT_GE(blobOne, 0);
  EXPECT_EQ(p.Mean(blobOne)[2], kMissing);  // none of its rows has the value
  for (int r = 0; r < t.rows; ++r) {
    if (r == 17) continue;
    EXPECT_EQ(p.prototypeOfRow[static_cast<size_t>(r)] == blobOne,
              t.blob[static_cast<size_t>(r)] == 1)
        << "row " << r;
  }
}
