// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/Bipolarization.h"

#include <vector>

#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/FarthestPair.h"
#include "seriation/WorkArray.h"

namespace {

struct CPoleEntry {
  double value;
  int position;
};

// Stable insertion sort, ascending: an entry moves left only past strictly greater values.
void InsertionSort(std::vector<CPoleEntry>& entries) {
  for (size_t k = 1; k < entries.size(); ++k) {
    const CPoleEntry entry = entries[k];
    size_t slot = k;
    while (slot > 0 && entries[slot - 1].value > entry.value) {
      entries[slot] = entries[slot - 1];
      --slot;
    }
    entries[slot] = entry;
  }
}

}  // namespace

void SeriateByBipolarization(CElements& elements, int* sequence, int m) {
  if (m < 2) return;
  const CDistance& d = *elements.distance;
  const CItemPair poles = FindFarthestPair(elements);
  std::vector<CPoleEntry> fromFirst = WorkArray<CPoleEntry>(static_cast<size_t>(m));
  std::vector<CPoleEntry> fromSecond = WorkArray<CPoleEntry>(static_cast<size_t>(m));
  for (int k = 0; k < m; ++k) {
    fromFirst[static_cast<size_t>(k)] = {d.At(sequence[k], poles.first), k};
    fromSecond[static_cast<size_t>(k)] = {d.At(sequence[k], poles.second), k};
  }
  InsertionSort(fromFirst);
  InsertionSort(fromSecond);

  std::vector<char> used = WorkArray<char>(static_cast<size_t>(m), 0);
  std::vector<int> slots = WorkArray<int>(static_cast<size_t>(m), -1);
  int endFirst = m - 1;
  int endSecond = m - 1;
  // Takes the unused entry nearest the end of `list`, or -1 when every entry is used.
  auto takeLast = [&](const std::vector<CPoleEntry>& list, int& end) {
    while (end >= 0 && used[static_cast<size_t>(list[static_cast<size_t>(end)].position)])
      --end;
    if (end < 0) return -1;
    const int position = list[static_cast<size_t>(end)].position;
    used[static_cast<size_t>(position)] = 1;
    return position;
  };
  for (int i = 0; i < (m + 1) / 2; ++i) {
    const int front = takeLast(fromFirst, endFirst);
    if (front >= 0) slots[static_cast<size_t>(i)] = front;
    const int back = takeLast(fromSecond, endSecond);
    if (back >= 0) slots[static_cast<size_t>(m - 1 - i)] = back;
  }
  ApplyLocalOrder(sequence, slots);
}
