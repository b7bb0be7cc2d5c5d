// SPDX-License-Identifier: GPL-3.0-or-later
// Random shuffle of a block of items by sorting them on uniform numbers.
//
// Input: the items and the generator. The order is the one of an exchange sort (for each
// position, every later position whose number is strictly smaller is swapped in). With distinct
// numbers that is simply their ascending order, found in O(n log n); the generator's numbers
// repeat only at its clamped upper end, and only then does the O(n²) exchange sort itself run.
// Memory O(n).
#include "tree/RandomShuffle.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "tree/Ran1.h"

void SortItemsOnNumbers(std::span<int> items, std::vector<double> numbers) {
  const size_t n = items.size();
  std::vector<size_t> rank(n);
  std::iota(rank.begin(), rank.end(), size_t{0});
  std::sort(rank.begin(), rank.end(), [&](size_t a, size_t b) { return numbers[a] < numbers[b]; });
  bool distinct = true;
  for (size_t p = 1; p < n && distinct; ++p)
    distinct = numbers[rank[p - 1]] < numbers[rank[p]];
  if (distinct) {
    const std::vector<int> original(items.begin(), items.end());
    for (size_t p = 0; p < n; ++p)
      items[p] = original[rank[p]];
    return;
  }
  for (size_t p = 0; p + 1 < n; ++p) {
    for (size_t q = p + 1; q < n; ++q) {
      if (numbers[q] < numbers[p]) {
        std::swap(numbers[p], numbers[q]);
        std::swap(items[p], items[q]);
      }
    }
  }
}

void ShuffleItems(std::span<int> items, CRan1& random) {
  std::vector<double> numbers(items.size());
  for (double& number : numbers)
    number = random.Next();
  SortItemsOnNumbers(items, std::move(numbers));
}
