#include "dissimilarity/PairWalk.h"

#include <algorithm>

#include "base/Parallel.h"
#include "base/Services.h"
#include "data/Distance.h"

void CPairStop::Report(int i, int j) {
  const int64_t key = Key(i, j);
  int64_t current = first_.load();
  while (key < current && !first_.compare_exchange_weak(current, key)) {
  }
}

namespace {

// Tiles handed to the threads at once: enough to keep both cores busy on the shrinking rows of
// the triangle, few enough that the progress window moves.
constexpr int kTilesPerBatch = 64;

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

bool WalkPairs(CDistance& matrix, int tileItems, CProgress* progress,
               const std::function<void(int, int, CPairStop&)>& tile) {
  const int n = matrix.size;
  const int outer = n - 1;  // items with partners above them
  if (outer <= 0) return true;
  tileItems = std::max(1, tileItems);
  const bool stepping = progress != nullptr && n > 1000;
  CPairStop stop(n);
  const int batchItems = tileItems * kTilesPerBatch;
  for (int batchStart = 0; batchStart < outer; batchStart += batchItems) {
    const int batchEnd = std::min(outer, batchStart + batchItems);
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
  }
  return true;
}
