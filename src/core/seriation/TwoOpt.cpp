#include "seriation/TwoOpt.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "base/Parallel.h"
#include "base/Services.h"
#include "data/Distance.h"
#include "seriation/Elements.h"
#include "seriation/ImproveLoop.h"
#include "seriation/SquareByPosition.h"
#include "seriation/WorkArray.h"
#include "settings/DocumentContext.h"

namespace {

// Segment reversals of an open path. The dissimilarities are held as a full square matrix by
// current position, P[x][y] = d(s_x, s_y), and permuted with every reversal, so that the gains of
// one i read rows i and i+1 from left to right.
class CPathReversals final : public CImprovementMoves {
 public:
  CPathReversals(const CDistance& distance, int* sequence, int m)
      : sequence_(sequence),
        m_(m),
        items_(sequence, sequence + m),
        p_(SquareByPosition(distance, sequence, m)),
        edge_(WorkArray<double>(static_cast<size_t>(m))),
        rowBest_(WorkArray<CMove>(static_cast<size_t>(m))) {
    for (int k = 0; k + 1 < m; ++k)
      edge_[static_cast<size_t>(k)] = Row(k)[k + 1];
  }

  CMove FindBestMove() override {
    // The rows are independent: each finds its own first best, and the rows are then compared in
    // order with the same strict rule, which is the sequential scan's result bit for bit.
    const int rows = m_ - 3;
    if (rows <= 0) return {};
    const int grain = m_ >= 1500 ? 16 : rows;
    ParallelFor(0, rows, grain, [&](int i) { rowBest_[static_cast<size_t>(i)] = RowBest(i); });
    CMove best;
    for (int i = 0; i < rows; ++i) {
      if (rowBest_[static_cast<size_t>(i)].gain > best.gain)
        best = rowBest_[static_cast<size_t>(i)];
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
  }

  void Publish() override { std::copy(items_.begin(), items_.end(), sequence_); }

 private:
  double* Row(int x) { return p_.data() + static_cast<size_t>(x) * static_cast<size_t>(m_); }

  CMove RowBest(int i) {
    const double ei = edge_[static_cast<size_t>(i)];
    const double* rowI = Row(i);
    const double* rowNext = Row(i + 1);
    const double* edge = edge_.data();
    CMove best{i, 0, 0.0};
    for (int j = i + 3; j < m_; ++j) {
      const double gain = ei + edge[j - 1] - rowI[j - 1] - rowNext[j];
      if (gain > best.gain) {
        best.gain = gain;
        best.j = j;
      }
    }
    return best;
  }

  int* sequence_;
  int m_;
  std::vector<int> items_;
  std::vector<double> p_;
  std::vector<double> edge_;  // edge_[k] = P[k][k+1]
  std::vector<CMove> rowBest_;
};

}  // namespace

void ImproveBy2Opt(CElements& elements, int* sequence, int m) {
  std::unique_ptr<CProgress> progress;
  if (elements.document != nullptr) {
    progress = elements.document->Services().OpenProgress(
        "2-Opt local search heuristic. Improving the solution.", 50, true);
  }
  if (m < 1) return;
  CPathReversals moves(*elements.distance, sequence, m);
  ImproveLoop(moves, progress.get(), elements.observer);
}
