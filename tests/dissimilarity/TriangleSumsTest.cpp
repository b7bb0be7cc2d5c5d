// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/TriangleSums.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "dissimilarity/Distance.h"

namespace {

// The one pass row by row whose bits the shared work must give.
struct CReference {
  std::vector<double> rowSums, rankWeighted;
  double total = 0.0, largest = 0.0;
};

CReference OnePass(const CDistance& d) {
  const int n = d.size;
  CReference r;
  r.rowSums.assign(static_cast<size_t>(n), 0.0);
  r.rankWeighted.assign(static_cast<size_t>(n), 0.0);
  for (int i = 0; i < n; ++i) {
    const double* row = d.Row(i);
    double sum = r.rowSums[static_cast<size_t>(i)];
    double weighted = r.rankWeighted[static_cast<size_t>(i)];
    for (int j = i + 1; j < n; ++j) {
      const double v = row[j];
      sum += v;
      weighted += (j + 1.0) * v;
      r.rowSums[static_cast<size_t>(j)] += v;
      r.rankWeighted[static_cast<size_t>(j)] += (i + 1.0) * v;
      r.total += v;
      if (v > r.largest) r.largest = v;
    }
    r.rowSums[static_cast<size_t>(i)] = sum;
    r.rankWeighted[static_cast<size_t>(i)] = weighted;
  }
  return r;
}

bool Same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

}  // namespace

TEST(TriangleSums, SameBitsAsOnePassRowByRow) {
  // Values over many magnitudes make every change of the order of additions visible; the sizes
  // cover fewer rows than a group of four, ragged ends and many ranges per core.
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> exponent(-12.0, 12.0);
  for (const int n : {0, 1, 2, 3, 5, 7, 64, 65, 130, 1003, 2500}) {
    SCOPED_TRACE(testing::Message() << "n " << n);
    CDistance d;
    d.Allocate(n);
    for (int i = 0; i < n; ++i) {
      for (int j = i + 1; j < n; ++j)
        d.Set(i, j, std::exp2(exponent(random)) * (random() % 4 == 0 ? 0.0 : 1.0));
    }
    if (n > 10) d.Set(3, 9, std::nan(""));  // passed over by the largest, spreads in the sums
    const CReference expected = OnePass(d);
    std::vector<double> rowSums(static_cast<size_t>(n), -1.0), rankWeighted(rowSums);
    const CTriangleSums sums = SumTriangle(d.values.data(), n, rowSums.data(), rankWeighted.data());
    EXPECT_TRUE(Same(sums.total, expected.total)) << sums.total << " " << expected.total;
    EXPECT_TRUE(Same(sums.largest, expected.largest));
    for (int i = 0; i < n; ++i) {
      ASSERT_TRUE(Same(rowSums[static_cast<size_t>(i)], expected.rowSums[static_cast<size_t>(i)]))
          << "row sum " << i;
      ASSERT_TRUE(
          Same(rankWeighted[static_cast<size_t>(i)], expected.rankWeighted[static_cast<size_t>(i)]))
          << "rank-weighted sum " << i;
    }
  }
}

TEST(TriangleSums, SumByRowsKeepsItsResultsAndALargestOfAtLeastZero) {
  CDistance d;
  d.Allocate(3);
  d.Set(0, 1, -2.0);
  d.Set(0, 2, -1.0);
  d.Set(1, 2, -4.0);
  d.SumByRows(nullptr);
  EXPECT_EQ(d.max, 0.0);
  EXPECT_EQ(d.rowSums, (std::vector<double>{-3.0, -6.0, -5.0}));
  EXPECT_EQ(d.rankWeightedRowSums,
            (std::vector<double>{2 * -2.0 + 3 * -1.0, 1 * -2.0 + 3 * -4.0, 1 * -1.0 + 2 * -4.0}));
  EXPECT_DOUBLE_EQ(d.mean, 2.0 * -7.0 / 9.0);
}
