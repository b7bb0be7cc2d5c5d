// SPDX-License-Identifier: GPL-3.0-or-later
// Sort keys of the items of a side and the stable insertion sort on them.
//
// SortKeySums: for each item, the sum of its values over a block of the other side's display
// order, added in display order. Time O(items × block).
// SortItemsByKey: insertion sort ascending; an item passes another only on a strictly smaller
// key, so equal keys keep their relative order. Time O(n²) at worst, O(n) on sorted input;
// memory O(1).
#include "tree/KeySort.h"

#include <algorithm>

#include "data/Matrix.h"

std::vector<double> SortKeySums(const CMatrix& data, bool rowSide, std::span<const int> otherOrder,
                                int keyStart, int keyCount) {
  const int items = rowSide ? data.rowCount : data.columnCount;
  std::vector<double> sums(static_cast<size_t>(std::max(items, 0)), 0.0);
  const int positions = static_cast<int>(otherOrder.size());
  if (positions == 0) return sums;
  const int start = std::clamp(keyStart, 0, positions - 1);
  const int end = std::min(positions, start + std::max(keyCount, 1));
  for (int item = 0; item < items; ++item) {
    double sum = 0.0;
    for (int p = start; p < end; ++p) {
      const int other = otherOrder[static_cast<size_t>(p)];
      sum += rowSide ? data.At(item, other) : data.At(other, item);
    }
    sums[static_cast<size_t>(item)] = sum;
  }
  return sums;
}

void SortItemsByKey(std::span<int> items, std::span<const double> itemKeys) {
  for (size_t p = 1; p < items.size(); ++p) {
    const int item = items[p];
    const double key = itemKeys[static_cast<size_t>(item)];
    size_t q = p;
    while (q > 0 && key < itemKeys[static_cast<size_t>(items[q - 1])]) {
      items[q] = items[q - 1];
      --q;
    }
    items[q] = item;
  }
}
