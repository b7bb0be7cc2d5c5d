// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// A matrix read in place with any strides: element (i, j) lies at data[i·rowStride +
// j·columnStride], so a block of a larger matrix and its transpose are both views.
struct CStridedView {
  const double* data = nullptr;
  ptrdiff_t rowStride = 0;
  ptrdiff_t columnStride = 0;

  double At(ptrdiff_t i, ptrdiff_t j) const { return data[i * rowStride + j * columnStride]; }
};

// The same for the matrix a product is written to.
struct CStridedTarget {
  double* data = nullptr;
  ptrdiff_t rowStride = 0;
  ptrdiff_t columnStride = 0;

  double& At(ptrdiff_t i, ptrdiff_t j) const { return data[i * rowStride + j * columnStride]; }
};

// r(i, j) = min over k < depth of a(i, k) + b(k, j), for i < rows and j < columns; a sum replaces
// the running minimum only when strictly smaller, so NaN sums are passed over and an entry with
// no sum that is a number is +infinity. r must not overlap a or b. The work is vectorised with
// the widest vectors the processor has; `lanes` (2, 4 or 8) asks for a narrower kernel, to
// compare them. Every kernel and any number of threads give the same bits (but for the sign of a
// zero minimum reached both as +0 and −0).
void MinPlusProduct(int rows, int columns, int depth, CStridedView a, CStridedView b,
                    CStridedTarget r, int lanes = 0);

// y(i) = min over k < depth of a(i, k) + x(k), for i < rows, with the same rule: the (min, +)
// product of a matrix and a vector. Vectorised when a is stored by rows or by columns.
void MinPlusVector(int rows, int depth, CStridedView a, const double* x, double* y);

// The product with a vector over a packed upper triangle of order n (entry (p, q), p < q, at
// p·n − p(p+1)/2 + q), with the same rule and the same bits as MinPlusVector over the same
// entries of a full matrix: y(i) = min over k < depth of T(r0 + i, c0 + k) + x(k) when the block
// lies right of the diagonal (r0 + rows ≤ c0), or of T(c0 + k, r0 + i) when it lies below it
// (c0 + depth ≤ r0), i < rows.
void MinPlusVectorPacked(const double* triangle, int n, int r0, int rows, int c0, int depth,
                         const double* x, double* y);
