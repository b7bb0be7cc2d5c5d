// SPDX-License-Identifier: GPL-3.0-or-later
// Sums of a packed dissimilarity triangle, on every core, bit for bit those of one pass.
//
// The pass row by row adds to item i first its partners k < i (the entries (k, i) met while the
// rows above are walked, in k order), then its own row (j > i, in j order), each sum being one
// chain of additions. Here the items are cut into ranges; the task of a range adds, for its
// items, the column parts (walking the rows above through the range's stripe, k ascending, one
// addition per item and row as before) and then continues each item's two chains along its own
// row, a few rows side by side. The grand total is one chain through the whole triangle in row
// order, so it is its own task, started first. No sum is split or reassociated, so the bits do
// not depend on the threads.
// Cost: three reads of the triangle, shared by the cores; memory O(1) beyond the outputs.
#include "dissimilarity/TriangleSums.h"

#include <algorithm>
#include <cstddef>

#include "base/Parallel.h"

namespace {

inline size_t RowOffset(int i, int n) {
  const size_t row = static_cast<size_t>(i);
  return row * static_cast<size_t>(n) - row * (row + 1) / 2;
}

// Column parts of items [a, b): the entries (k, j) for k < j, k ascending.
void ColumnParts(const double* triangle, int n, int a, int b, double* rowSums, double* rankWeighted,
                 double& largest) {
  for (int j = a; j < b; ++j)
    rowSums[j] = rankWeighted[j] = 0.0;
  double top = 0.0;
  for (int k = 0; k + 1 < b; ++k) {
    const double* row = triangle + RowOffset(k, n);
    const double rank = static_cast<double>(k) + 1.0;
    for (int j = std::max(a, k + 1); j < b; ++j) {
      const double d = row[j];
      rowSums[j] += d;
      rankWeighted[j] += rank * d;
      top = d > top ? d : top;
    }
  }
  largest = std::max(largest, top);
}

// Continues the chains of items [a, b) along their own rows, four rows at a time.
void RowParts(const double* triangle, int n, int a, int b, double* rowSums, double* rankWeighted) {
  int i = a;
  for (; i + 4 <= b; i += 4) {
    const double* r0 = triangle + RowOffset(i, n);
    const double* r1 = triangle + RowOffset(i + 1, n);
    const double* r2 = triangle + RowOffset(i + 2, n);
    const double* r3 = triangle + RowOffset(i + 3, n);
    double s0 = rowSums[i], s1 = rowSums[i + 1], s2 = rowSums[i + 2], s3 = rowSums[i + 3];
    double w0 = rankWeighted[i], w1 = rankWeighted[i + 1], w2 = rankWeighted[i + 2],
           w3 = rankWeighted[i + 3];
    // The heads of the three upper rows, up to where all four run together.
    for (int j = i + 1; j < std::min(n, i + 4); ++j) {
      const double rank = static_cast<double>(j) + 1.0;
      s0 += r0[j];
      w0 += rank * r0[j];
      if (j > i + 1) {
        s1 += r1[j];
        w1 += rank * r1[j];
      }
      if (j > i + 2) {
        s2 += r2[j];
        w2 += rank * r2[j];
      }
    }
    for (int j = i + 4; j < n; ++j) {
      const double rank = static_cast<double>(j) + 1.0;
      s0 += r0[j];
      w0 += rank * r0[j];
      s1 += r1[j];
      w1 += rank * r1[j];
      s2 += r2[j];
      w2 += rank * r2[j];
      s3 += r3[j];
      w3 += rank * r3[j];
    }
    rowSums[i] = s0, rowSums[i + 1] = s1, rowSums[i + 2] = s2, rowSums[i + 3] = s3;
    rankWeighted[i] = w0, rankWeighted[i + 1] = w1, rankWeighted[i + 2] = w2;
    rankWeighted[i + 3] = w3;
  }
  for (; i < b; ++i) {
    const double* row = triangle + RowOffset(i, n);
    double s = rowSums[i], w = rankWeighted[i];
    for (int j = i + 1; j < n; ++j) {
      s += row[j];
      w += (static_cast<double>(j) + 1.0) * row[j];
    }
    rowSums[i] = s;
    rankWeighted[i] = w;
  }
}

double Total(const double* triangle, int n) {
  double total = 0.0;
  for (int i = 0; i + 1 < n; ++i) {
    const double* row = triangle + RowOffset(i, n);
    for (int j = i + 1; j < n; ++j)
      total += row[j];
  }
  return total;
}

}  // namespace

CTriangleSums SumTriangle(const double* triangle, int n, double* rowSums, double* rankWeighted) {
  CTriangleSums sums;
  if (n <= 0) return sums;
  // Ranges of about equal work (each reads about n·width entries), several per core.
  constexpr int kRanges = 32;
  const int width = std::max(64, (n + kRanges - 1) / kRanges);
  const int ranges = (n + width - 1) / width;
  std::vector<double> largest(static_cast<size_t>(ranges), 0.0);
  ParallelFor(0, ranges + 1, 1, [&](int task) {
    if (task == 0) {
      sums.total = Total(triangle, n);
      return;
    }
    const int a = (task - 1) * width;
    const int b = std::min(n, a + width);
    double& top = largest[static_cast<size_t>(task - 1)];
    ColumnParts(triangle, n, a, b, rowSums, rankWeighted, top);
    RowParts(triangle, n, a, b, rowSums, rankWeighted);
  });
  for (const double top : largest)
    sums.largest = std::max(sums.largest, top);
  return sums;
}
