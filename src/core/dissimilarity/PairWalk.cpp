// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/PairWalk.h"

#include <algorithm>

#include "base/Parallel.h"
#include "base/Progress.h"
#include "dissimilarity/Distance.h"

void CPairStop::Report(int i, int j) {
  const int64_t key = Key(i, j);
  int64_t current = first_.load();
  while (key < current && !first_.compare_exchange_weak(current, key)) {
  }
}

namespace {

// While a progress window is shown, a batch ends once it holds about this much work (pairs
// times pair cost), so that the window moves every few tens of milliseconds; it holds at least
// this many tiles, so that every core has work. Without a window there is one batch.
constexpr int64_t kBatchWork = int64_t{1} << 27;
constexpr int kMinimumTilesPerBatch = 8;

// Clears every entry from the pair (item, partner) on in scan order.
void ClearFrom(CDistance& matrix, int item, int partner) {
  const int n = matrix.size;
  double* row = matrix.Row(item);
  std::fill(row + partner, row + n, 0.0);
  for (int i = item + 1; i < n; ++i) {
    double* next = matrix.Row(i);
    std::fill(next + i + 1, next + n, 0.0);
  }
}

}  // namespace

bool WalkPairs(CDistance& matrix, int tileItems, int64_t pairCost, CProgress* progress,
               const std::function<void(int, int, CPairStop&)>& tile) {
  const int n = matrix.size;
  const int outer = n - 1;  // items with partners above them
  if (outer <= 0) return true;
  tileItems = std::max(1, tileItems);
  const bool stepping = progress != nullptr && ShowsProgressFor(n);
  CPairStop stop(n);
  for (int batchStart = 0; batchStart < outer;) {
    int batchEnd = outer;
    if (stepping) {
      int64_t work = 0;
      int tiles = 0;
      batchEnd = batchStart;
      while (batchEnd < outer && (tiles < kMinimumTilesPerBatch || work < kBatchWork)) {
        const int last = std::min(outer, batchEnd + tileItems);
        for (int i = batchEnd; i < last; ++i)
          work += static_cast<int64_t>(n - 1 - i) * pairCost;
        batchEnd = last;
        ++tiles;
      }
    }
    const int tiles = (batchEnd - batchStart + tileItems - 1) / tileItems;
    ParallelFor(0, tiles, 1, [&](int t) {
      const int first = batchStart + t * tileItems;
      const int last = std::min(batchEnd, first + tileItems);
      if (stop.Passed(first, first + 1)) return;
      tile(first, last, stop);
    });
    if (stop.Stopped()) {
      const int item = stop.Item();
      if (stepping) {
        for (int i = batchStart; i <= item; ++i)
          progress->Step();
      }
      ClearFrom(matrix, item, stop.Partner());
      return false;
    }
    if (stepping) {
      for (int i = batchStart; i < batchEnd; ++i)
        progress->Step();
    }
    batchStart = batchEnd;
  }
  return true;
}
