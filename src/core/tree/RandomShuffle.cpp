// Random shuffle of a block of items by sorting them on uniform numbers.
//
// Input: the items and the generator. The order is the one of an exchange sort (for each
// position, every later position whose number is strictly smaller is swapped in), which is the
// ascending order of the numbers whenever they are distinct; the generator's numbers repeat only
// at its clamped upper end, and only then does the exchange sort itself run. Time O(n log n)
// (O(n²) with repeated numbers), memory O(n).
#include "tree/RandomShuffle.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tree/Ran1.h"

void ShuffleItems(std::span<int> items, CRan1& random) {
  const size_t n = items.size();
  std::vector<std::pair<double, int>> keyed(n);
  for (size_t p = 0; p < n; ++p)
    keyed[p] = {random.Next(), items[p]};
  std::vector<std::pair<double, int>> sorted = keyed;
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  bool distinct = true;
  for (size_t p = 1; p < n && distinct; ++p)
    distinct = sorted[p - 1].first < sorted[p].first;
  if (distinct) {
    for (size_t p = 0; p < n; ++p)
      items[p] = sorted[p].second;
    return;
  }
  for (size_t p = 0; p + 1 < n; ++p) {
    for (size_t q = p + 1; q < n; ++q) {
      if (keyed[q].first < keyed[p].first) std::swap(keyed[p], keyed[q]);
    }
  }
  for (size_t p = 0; p < n; ++p)
    items[p] = keyed[p].second;
}
