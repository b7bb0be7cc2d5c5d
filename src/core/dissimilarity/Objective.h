// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CDistance;
class CProgress;

// The objective functions of an order of n items over their dissimilarity matrix.
//
// R is the Pearson correlation, over all n² ordered pairs of positions (p, q), between
// d(o_p, o_q) and |p − q|, from closed forms for the moments of |p − q| (the factor
// sqrt(n² + 2) in single precision). The sum over the pairs runs over the stored triangle row by
// row, each row summed in partner order and the rows added in item order: the terms are those
// of the position order, and the value no longer depends on the direction of the order. A zero
// denominator (n < 2, or every dissimilarity equal) gives R = 0. Time O(n²), memory O(n).
double ObjectiveR(const int* order, int n, const CDistance& distance, CProgress* progress);

// S, the path length Σ d(o_k, o_{k+1}), and S2, the sum of the squared steps. Time O(n).
struct CPathLength {
  double s = 0.0;
  double s2 = 0.0;
};
CPathLength ObjectiveS(const int* order, int n, const CDistance& distance, CProgress* progress);
