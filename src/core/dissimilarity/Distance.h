// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "base/BigBlock.h"

class CProgressReporter;

// The packed triangle: large ones in huge pages, and sized without zeroing (see
// AllocateForOverwrite).
using CTriangleValues = std::vector<double, CBigBlockAllocator<double>>;

// The dissimilarity matrix of one side: the upper triangle with its diagonal, packed row by row
// (entry (i, j), i <= j, at i·n − i(i+1)/2 + j), plus the per-item sums the seriation methods
// read. d(a, b) is always read with the smaller index as the row.
class CDistance {
 public:
  // Where the entries of item i with partners j >= i start: Row(i)[j] is d(i, j).
  double* Row(int i) { return values.data() + RowOffset(i, size); }
  const double* Row(int i) const { return values.data() + RowOffset(i, size); }

  static size_t RowOffset(int i, int n) {
    const size_t row = static_cast<size_t>(i);
    return row * static_cast<size_t>(n) - row * (row + 1) / 2;
  }
  static size_t Index(int i, int j, int n) { return RowOffset(i, n) + static_cast<size_t>(j); }

  // d(a, b) by the lookup rule; d(a, a) = 0.
  double At(int a, int b) const {
    return a <= b ? values[Index(a, b, size)] : values[Index(b, a, size)];
  }
  void Set(int a, int b, double value) {
    if (a <= b) {
      values[Index(a, b, size)] = value;
    } else {
      values[Index(b, a, size)] = value;
    }
  }

  // Reserves the triangle and the two sum arrays for n items; every entry starts at 0.
  void Allocate(int n);
  // The same for a computation that writes every pair: only the diagonal (and the sums) is
  // set to 0, on both cores, so that the pages are first touched in parallel and not filled
  // twice. A triangle that already has the size keeps its storage (and stale pairs).
  void AllocateForOverwrite(int n);
  // Allocates `other` for this size and copies values, sums, mean and max.
  void CopyTo(CDistance& other) const;

  // rowSums, rankWeightedRowSums, mean and max from the stored values (progress above 1000
  // items). Shared among the cores with the bits of one pass row by row (TriangleSums.h).
  void SumByRows(CProgressReporter* progress);

  CTriangleValues values;
  double mean = 0.0;
  int size = 0;
  std::vector<double> rowSums;              // Σ_{j≠i} d(i, j)
  std::vector<double> rankWeightedRowSums;  // Σ_{j≠i} (j + 1)·d(i, j)
  double max = 0.0;
};
