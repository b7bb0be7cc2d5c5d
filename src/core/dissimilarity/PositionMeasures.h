// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CDistance;
class CProgress;
struct CSideValues;

// The measures that walk the positions of a pair and sum (or take the largest of) one term per
// complete position.
enum class EPositionMeasure {
  kEuclidean,       // sqrt(Σ (x_i − x_j)² · n_pos / k)
  kManhattan,       // Σ |x_i − x_j| · n_pos / k
  kChebyshev,       // max |x_i − x_j|
  kPearson,         // 1 − r, r = Σ x'_i x'_j / ((k − 1) s_i s_j) on centred values x'
  kSquaredPearson,  // 1 − r²
  kHamming,         // number of complete positions whose codes differ
  kChiSquare,       // Σ (x_i − x_j)² / divisor, on profiles
};

// Fills the pairs i < j of `matrix` (sized for side.items) with `measure`. Returns false when
// some pair has no complete position: the walk stops at the first such pair in scan order and
// the entries from it on are 0. Steps `progress` once per outer item above 1000 items.
bool ComputePositionMeasure(EPositionMeasure measure, const CSideValues& side, CDistance& matrix,
                            CProgress* progress);
