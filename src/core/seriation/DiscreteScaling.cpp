// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/DiscreteScaling.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/Progress.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/SquareByPosition.h"
#include "seriation/WorkArray.h"

CSwapMoves::CSwapMoves(const CDistance& distance, int* sequence, int m, ESeriation criterion)
    : sequence_(sequence),
      m_(m),
      criterion_(criterion),
      items_(sequence, sequence + m),
      p_(SquareByPosition(distance, sequence, m)),
      r_(WorkArray<double>(static_cast<size_t>(m))),
      w_(WorkArray<double>(static_cast<size_t>(m))),
      rowLargest_(WorkArray<double>(static_cast<size_t>(m))),
      twiceSquare_(WorkArray<double>(static_cast<size_t>(m))),
      twice_(WorkArray<double>(static_cast<size_t>(m))),
      rankSquare_(WorkArray<double>(static_cast<size_t>(m))) {
  for (int g = 0; g < m; ++g) {
    twiceSquare_[static_cast<size_t>(g)] = 2.0 * static_cast<double>(g) * static_cast<double>(g);
    twice_[static_cast<size_t>(g)] = 2.0 * static_cast<double>(g);
    rankSquare_[static_cast<size_t>(g)] = static_cast<double>(g + 1) * static_cast<double>(g + 1);
  }
  if (m == distance.size) {
    // The whole side: the sums of the side's items, partners in item order.
    std::vector<double> byItem = WorkArray<double>(static_cast<size_t>(m));
    for (int a = 0; a < m; ++a) {
      double sum = 0.0;
      for (int b = 0; b < m; ++b) {
        if (b != a) sum += distance.At(a, b);
      }
      byItem[static_cast<size_t>(a)] = sum;
    }
    for (int x = 0; x < m; ++x)
      r_[static_cast<size_t>(x)] = byItem[static_cast<size_t>(sequence[x])];
  } else {
    for (int x = 0; x < m; ++x) {
      double sum = 0.0;
      for (int y = 0; y < m; ++y) {
        if (y != x) sum += At(x, y);
      }
      r_[static_cast<size_t>(x)] = sum;
    }
  }
  for (int x = 0; x < m; ++x)
    w_[static_cast<size_t>(x)] = SumOfRow(x);
}

double CSwapMoves::SumOfRow(int x) const {
  double sum = 0.0;
  for (int k = 0; k < m_; ++k)
    sum += (static_cast<double>(k) + 1.0) * At(x, k);
  return sum;
}

double CSwapMoves::Gain(int i, int j) const {
  if (criterion_ == ESeriation::kScaling) {
    double gain = 0.0;
    for (int k = 0; k < m_; ++k) {
      const double toA = At(k, i);
      const double toB = At(k, j);
      // Every third position counts, also where a or b lies at dissimilarity 0 from it: leaving
      // those out makes the gain differ from the criterion's change, and the loop then swaps
      // back and forth for ever on tables with equal items.
      if (k == i || k == j) continue;
      gain += (toB - toA) * static_cast<double>(std::abs(i - k) - std::abs(j - k));
    }
    return gain;
  }
  return InertiaGain(i, j);
}

void CSwapMoves::SwapPositions(int i, int j) {
  const double shift = static_cast<double>(i - j);
  for (int k = 0; k < m_; ++k)
    w_[static_cast<size_t>(k)] += shift * (At(k, j) - At(k, i));
  std::swap_ranges(&At(i, 0), &At(i, 0) + m_, &At(j, 0));
  for (int k = 0; k < m_; ++k)
    std::swap(At(k, i), At(k, j));
  std::swap(r_[static_cast<size_t>(i)], r_[static_cast<size_t>(j)]);
  std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
  w_[static_cast<size_t>(i)] = SumOfRow(i);
  w_[static_cast<size_t>(j)] = SumOfRow(j);
}

CMove CSwapMoves::FindBestMove() {
  CMove best;
  if (criterion_ != ESeriation::kInertia) {
    for (int i = 0; i + 1 < m_; ++i) {
      for (int j = i + 1; j < m_; ++j) {
        const double gain = Gain(i, j);
        if (gain > best.gain) best = CMove{i, j, gain};
      }
    }
    return best;
  }
  // Inertia: each row's largest gain from four independent lanes (a running maximum of the same
  // values), the first row holding the pass's largest, then its first column with that gain:
  // the sequential scan's move bit for bit.
  const int rows = m_ - 1;
  // One thread: a pass is too short (m ≤ 1000) to pay for starting others.
  for (int i = 0; i < rows; ++i) {
    double lane[4] = {0.0, 0.0, 0.0, 0.0};
    int j = i + 1;
    for (; j + 3 < m_; j += 4) {
      for (int k = 0; k < 4; ++k) {
        const double gain = InertiaGain(i, j + k);
        lane[k] = gain > lane[k] ? gain : lane[k];
      }
    }
    for (; j < m_; ++j) {
      const double gain = InertiaGain(i, j);
      lane[0] = gain > lane[0] ? gain : lane[0];
    }
    double largest = lane[0];
    for (int k = 1; k < 4; ++k) {
      if (lane[k] > largest) largest = lane[k];
    }
    rowLargest_[static_cast<size_t>(i)] = largest;
  }
  int bestRow = -1;
  for (int i = 0; i < rows; ++i) {
    if (rowLargest_[static_cast<size_t>(i)] > best.gain) {
      best.gain = rowLargest_[static_cast<size_t>(i)];
      bestRow = i;
    }
  }
  if (bestRow < 0) return {};
  for (int j = bestRow + 1; j < m_; ++j) {
    if (InertiaGain(bestRow, j) == best.gain) return CMove{bestRow, j, best.gain};
  }
  return {};  // unreachable: the row holds its largest gain
}

void CSwapMoves::Publish() {
  std::copy(items_.begin(), items_.end(), sequence_);
}

ESeriationOutcome SeriateDiscrete(CElements& elements, int* sequence, int m, ESeriation criterion,
                                  const CSeriationRun& run) {
  if (criterion != ESeriation::kScaling && criterion != ESeriation::kInertia) {
    return ESeriationOutcome::kDone;
  }
  const bool scaling = criterion == ESeriation::kScaling;
  const int refusedFrom = scaling ? 201 : 1001;
  const int shownAbove = scaling ? 100 : 500;
  if (m >= refusedFrom) return ESeriationOutcome::kRefusedForSize;
  if (m < 2) return ESeriationOutcome::kDone;
  std::unique_ptr<CProgress> progress;
  if (m > shownAbove && run.progress != nullptr) {
    progress = run.progress->OpenProgress("This treatment could be long. Please wait.", m, true);
  }
  CSwapMoves moves(*elements.distance, sequence, m, criterion);
  ImproveLoop(moves, progress.get(), run.observer);
  return ESeriationOutcome::kDone;
}
