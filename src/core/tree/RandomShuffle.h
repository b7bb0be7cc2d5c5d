// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

class CRan1;

// Shuffles a block of items: each item gets a uniform number from `random` (drawn in block
// order), and the items are put in ascending order of their numbers.
void ShuffleItems(std::span<int> items, CRan1& random);

// Puts the items in the order an exchange sort on their numbers gives (for each position,
// every later position whose number is strictly smaller is swapped in).
void SortItemsOnNumbers(std::span<int> items, std::vector<double> numbers);
