// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

class CDistance;

// Lets a step that reads a side's whole dissimilarity triangle once (the clustering, the minimum
// path under a tree) work inside the triangle's own storage instead of a copy of it, and gives
// the pairs back afterwards: one n² buffer in memory instead of two. Whoever owns the side gives
// one to the steps; none (null) means that they work on copies.
class CTriangleRefill {
 public:
  virtual ~CTriangleRefill() = default;

  // Whether a step that would otherwise copy `copyBytes` of the side's triangle should work
  // inside it.
  virtual bool WorkInside(size_t copyBytes) const = 0;

  // Puts the side's pairs back into `matrix`, the side's own matrix after a step consumed it:
  // in the same storage, with the bits of the load (its sums, mean and maximum stay as they
  // are, diagonal included). False when they cannot be put back; the owner has then said why
  // and the run must end.
  virtual bool Refill(CDistance& matrix) = 0;

  // target(p, q) = d(sequence[p], sequence[q]) for the `count` items of `sequence`, bit for bit
  // the side's values, computed without reading the side's matrix (which may be consumed
  // meanwhile). `target` is sized for `count` items (a triangle of that size keeps its
  // storage); its sums stay 0. False, writing nothing, when the pairs cannot be computed (they
  // were read from a file).
  virtual bool ComputeInOrder(const int* sequence, int count, CDistance& target) = 0;
};
