// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Iterations after which PowerIteration keeps the vector it has reached.
inline constexpr int kPowerIterationCap = 1000;

// What the power iteration reached: the eigenvalue estimate λ and the number of products made.
struct CPowerIterationResult {
  double value = 0.0;
  int steps = 0;
};

// The dominant eigenvector of the m × m matrix `matrix` (row after row) by power iteration, into
// `vector` (m components).
//
// The start vector and a first λ are pseudo-random integers (0 … 32767). Each step computes
// y = M x, takes λ = y_k for the first k from 1 upwards with y_k ≠ 0 and sets x = y / λ, so that
// component k is exactly 1: the component at position 1 comes out positive whenever it is not 0,
// which fixes the sign of the result whatever the start. The loop stops when λ moved by at most
// 1e−13, after kPowerIterationCap steps (keeping the last vector), or when the product is zero
// from position 1 on (then component 0 is taken if it is not 0, and an all-zero product is the
// result as it is, for a matrix that has nothing to say). With m < 2 the vector is all ones.
//
// The rows of the product are shared among threads, each a sum in column order, so the result
// does not depend on their number. Time O(m²) per step, memory O(m).
CPowerIterationResult PowerIteration(std::span<const double> matrix, int m,
                                     std::vector<double>& vector, uint32_t seed);
// The same, seeded from the clock.
CPowerIterationResult PowerIteration(std::span<const double> matrix, int m,
                                     std::vector<double>& vector);
