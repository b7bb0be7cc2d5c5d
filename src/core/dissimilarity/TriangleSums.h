// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sums a packed dissimilarity triangle (entry (i, j), i < j, at i·n − i(i+1)/2 + j) gives
// its side, with the bits of one pass row by row:
//   rowSums[i] = Σ_{j≠i} d(i, j) and rankWeighted[i] = Σ_{j≠i} (j + 1)·d(i, j), each added
//   in partner order from 0; total = Σ_{i<j} d(i, j) added row by row; largest = the greatest
//   pair (NaN passed over), at least 0.
// `rowSums` and `rankWeighted` receive n values each.
struct CTriangleSums {
  double total = 0.0;
  double largest = 0.0;
};
CTriangleSums SumTriangle(const double* triangle, int n, double* rowSums, double* rankWeighted);
