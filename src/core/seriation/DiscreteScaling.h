// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seriation/SeriationRun.h"

#include <cstddef>
#include <vector>

#include "seriation/ImproveLoop.h"

class CDistance;
class CElements;

// The swap moves of discrete UDS (kScaling) and discrete inertia (kInertia) on one
// sequence s_0 … s_{m−1}. It holds the dissimilarities by current position, the row sums R of the
// items at each position and the rank-weighted sums W[p] = Σ_k (k + 1)·d(s_p, s_k) of the
// sequence (k ascending), all kept up to date through the swaps.
//
// R is summed over the side in item order when the sequence is the whole side, over the sequence
// in position order otherwise. W is always summed for the sequence as it stands, whatever its
// order. Memory m² doubles.
class CSwapMoves final : public CImprovementMoves {
 public:
  CSwapMoves(const CDistance& distance, int* sequence, int m, ESeriation criterion);

  // What swapping positions i < j gains (a = s_i, b = s_j):
  // - UDS: Σ_k (d(s_k, b) − d(s_k, a))·(|i − k| − |j − k|) over the k ≠ i, j ascending, the
  //   increase of Σ_{p<q} (q − p)·d(s_p, s_q). O(m).
  // - inertia: 2(j − i)²·d(a, b) + (R[a] − R[b])·((j + 1)² − (i + 1)²) + 2(j − i)·(W[j] − W[i]),
  //   the increase of Σ_{p<q} (q − p)²·d(s_p, s_q). O(1).
  double Gain(int i, int j) const;
  // Exchanges positions i and j: every W[k] moves by (i − j)·(d(s_k, s_j) − d(s_k, s_i)), then
  // W[i] and W[j] are summed again for their new items. O(m).
  void SwapPositions(int i, int j);

  const std::vector<double>& RankWeightedSums() const { return w_; }

  CMove FindBestMove() override;
  void Apply(const CMove& move) override { SwapPositions(move.i, move.j); }
  void Publish() override;

 private:
  double At(int x, int y) const {
    return p_[static_cast<size_t>(x) * static_cast<size_t>(m_) + static_cast<size_t>(y)];
  }
  double& At(int x, int y) {
    return p_[static_cast<size_t>(x) * static_cast<size_t>(m_) + static_cast<size_t>(y)];
  }
  double SumOfRow(int x) const;
  // The inertia gain with its integer factors read from tables (the same exact values as
  // computing them, without converting in the inner loop).
  double InertiaGain(int i, int j) const {
    const size_t gap = static_cast<size_t>(j - i);
    const size_t x = static_cast<size_t>(i);
    const size_t y = static_cast<size_t>(j);
    return twiceSquare_[gap] * At(i, j) + (r_[x] - r_[y]) * (rankSquare_[y] - rankSquare_[x]) +
           twice_[gap] * (w_[y] - w_[x]);
  }

  int* sequence_;
  int m_;
  ESeriation criterion_;
  std::vector<int> items_;
  std::vector<double> p_;  // p_[x·m + y] = d(s_x, s_y)
  std::vector<double> r_;  // R of the item at each position
  std::vector<double> w_;
  std::vector<double> rowLargest_;   // largest inertia gain of each row in a pass
  std::vector<double> twiceSquare_;  // 2g² for a gap g
  std::vector<double> twice_;        // 2g
  std::vector<double> rankSquare_;   // (p + 1)² for a position p
};

// Discrete UDS or inertia (`criterion` kScaling or kInertia; nothing for another): the
// improvement loop with swap moves. UDS refuses sequences of 201 items or more and shows its
// progress above 100 items; inertia refuses 1001 or more and shows progress above 500. A refusal
// leaves the sequence as it is; the caller shows kTooManyElementsText. The progress window "This
// treatment could be long. Please wait." has range m and a stop button. A pass costs O(m³) for
// UDS and O(m²) for inertia.
ESeriationOutcome SeriateDiscrete(CElements& elements, int* sequence, int m, ESeriation criterion,
                                  const CSeriationRun& run);
