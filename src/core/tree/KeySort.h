// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

class CMatrix;

// The sort keys of the items of one side: for each item, the sum of its data values over
// `keyCount` consecutive positions of the other side's display order from `keyStart`. The key
// block is clamped to the other side's positions (at least the one position keyStart, itself
// clamped to the last position). `rowSide` tells whether the items are the rows of `data`.
std::vector<double> SortKeySums(const CMatrix& data, bool rowSide, std::span<const int> otherOrder,
                                int keyStart, int keyCount);

// Stable insertion sort of items by their keys (indexed by item), ascending: an item moves
// before another only when its key is strictly smaller.
void SortItemsByKey(std::span<int> items, std::span<const double> itemKeys);
