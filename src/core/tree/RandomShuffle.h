#pragma once

#include <span>

class CRan1;

// Shuffles a block of items: each item gets a uniform number from `random` (drawn in block
// order), and the items are put in ascending order of their numbers.
void ShuffleItems(std::span<int> items, CRan1& random);
