// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/TwoOpt.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "base/Parallel.h"
#include "base/Progress.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/ImproveLoop.h"
#include "seriation/SeriationRun.h"
#include "seriation/SquareByPosition.h"
#include "seriation/WorkArray.h"

namespace {

// A row's best reversal: the first j with the largest positive gain; j = -1 (gain 0) when no gain
// of the row is positive.
struct CRowBest {
  double gain = 0.0;
  int j = -1;
};

// Segment reversals of an open path. The dissimilarities are held as a full square matrix by
// current position, P[x][y] = d(s_x, s_y), permuted with every reversal, so that the gains of one
// i read rows i and i+1 from left to right.
//
// Each row i keeps its best reversal. Reversing s_a … s_b changes no gain of the rows i > b, and
// in the rows i < a − 1 only the gains of the columns a … b + 1; only those are computed again (a
// whole row only when its best lay among the changed columns and nothing larger replaced it).
// The move of a pass is then the first row with the largest gain, which is what a full scan in
// order i, then j, with strictly larger gains replacing the best, finds.
class CPathReversals final : public CImprovementMoves {
 public:
  CPathReversals(const CDistance& distance, int* sequence, int m)
      : sequence_(sequence),
        m_(m),
        items_(sequence, sequence + m),
        p_(SquareByPosition(distance, sequence, m)),
        edge_(WorkArray<double>(static_cast<size_t>(m))),
        rowBest_(WorkArray<CRowBest>(static_cast<size_t>(m))) {
    for (int k = 0; k + 1 < m; ++k)
      edge_[static_cast<size_t>(k)] = Row(k)[k + 1];
    ParallelFor(0, Rows(), Grain(),
                [&](int i) { rowBest_[static_cast<size_t>(i)] = Best(i, i + 3, m_ - 1); });
  }

  CMove FindBestMove() override {
    CMove best;
    for (int i = 0; i < Rows(); ++i) {
      const CRowBest& row = rowBest_[static_cast<size_t>(i)];
      if (row.gain > best.gain) best = CMove{i, row.j, row.gain};
    }
    return best;
  }

  void Apply(const CMove& move) override {
    const int a = move.i + 1;
    const int b = move.j - 1;
    for (int low = a, high = b; low < high; ++low, --high) {
      std::swap_ranges(Row(low), Row(low) + m_, Row(high));
    }
    ParallelFor(0, m_, 256, [&](int x) { std::reverse(Row(x) + a, Row(x) + b + 1); });
    std::reverse(items_.begin() + a, items_.begin() + b + 1);
    for (int k = a - 1; k <= b; ++k)
      edge_[static_cast<size_t>(k)] = Row(k)[k + 1];

    const int lastChanged = std::min(b, Rows() - 1);
    ParallelFor(0, lastChanged + 1, Grain(), [&](int i) {
      CRowBest& cached = rowBest_[static_cast<size_t>(i)];
      if (i >= a - 1) {
        cached = Best(i, i + 3, m_ - 1);
        return;
      }
      const int low = std::max(a, i + 3);
      const int high = std::min(b + 1, m_ - 1);
      if (low > high) return;
      const CRowBest changed = Best(i, low, high);
      if (cached.j >= low && cached.j <= high) {
        // The best was among the changed gains: a larger one there replaces it; otherwise the
        // whole row is looked at again.
        cached = changed.gain > cached.gain ? changed : Best(i, i + 3, m_ - 1);
      } else if (changed.gain > cached.gain ||
                 (changed.gain == cached.gain && changed.j >= 0 && changed.j < cached.j)) {
        cached = changed;
      }
    });
  }

  void Publish() override { std::copy(items_.begin(), items_.end(), sequence_); }

 private:
  int Rows() const { return m_ - 3; }
  int Grain() const { return m_ >= 1500 ? 16 : std::max(1, m_); }
  double* Row(int x) { return p_.data() + static_cast<size_t>(x) * static_cast<size_t>(m_); }
  const double* Row(int x) const {
    return p_.data() + static_cast<size_t>(x) * static_cast<size_t>(m_);
  }

  // The gain of reversing s_{i+1} … s_{j−1}.
  double Gain(int i, int j) const {
    return edge_[static_cast<size_t>(i)] + edge_[static_cast<size_t>(j - 1)] - Row(i)[j - 1] -
           Row(i + 1)[j];
  }

  // The first j in [low, high] with the largest positive gain of row i. Four lanes keep
  // independent running maxima (a gain replaces a lane's value only when strictly larger, so NaNs
  // never enter), then the first column holding the largest is looked up.
  CRowBest Best(int i, int low, int high) const {
    const double ei = edge_[static_cast<size_t>(i)];
    const double* rowI = Row(i);
    const double* rowNext = Row(i + 1);
    const double* edge = edge_.data();
    double lane[4] = {0.0, 0.0, 0.0, 0.0};
    int j = low;
    for (; j + 3 <= high; j += 4) {
      for (int k = 0; k < 4; ++k) {
        const double gain = ei + edge[j + k - 1] - rowI[j + k - 1] - rowNext[j + k];
        lane[k] = gain > lane[k] ? gain : lane[k];
      }
    }
    for (; j <= high; ++j) {
      const double gain = ei + edge[j - 1] - rowI[j - 1] - rowNext[j];
      lane[0] = gain > lane[0] ? gain : lane[0];
    }
    double largest = lane[0];
    for (int k = 1; k < 4; ++k) {
      if (lane[k] > largest) largest = lane[k];
    }
    if (!(largest > 0.0)) return {};
    for (j = low; j <= high; ++j) {
      if (Gain(i, j) == largest) return {largest, j};
    }
    return {};  // unreachable: the range holds its largest gain
  }

  int* sequence_;
  int m_;
  std::vector<int> items_;
  std::vector<double> p_;
  std::vector<double> edge_;  // edge_[k] = P[k][k+1]
  std::vector<CRowBest> rowBest_;
};

}  // namespace

void ImproveBy2Opt(CElements& elements, int* sequence, int m, const CSeriationRun& run) {
  std::unique_ptr<CProgress> progress;
  if (run.progress != nullptr) {
    progress = run.progress->OpenProgress("2-Opt local search heuristic. Improving the solution.",
                                          50, true);
  }
  if (m < 1) return;
  CPathReversals moves(*elements.distance, sequence, m);
  ImproveLoop(moves, progress.get(), run.observer);
}
