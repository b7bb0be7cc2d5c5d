// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class CRan1;
class CRand15;
class CTree;

// Random reorientation of a subtree, children before parents: each expanded node exchanges its
// children when a coin toss (a 15-bit draw / 32768 ≥ 0.5) says so; each aggregated group
// shuffles its item list. Then the order is rebuilt from the root and the seriation marks of the
// selected subtree reset (the caller recomputes R and S).
void RandomFlips(CTree& tree, int node, CRand15& coin, CRan1& uniform);

// The randomise command on a side: nothing for a single selected item; the selected subtree
// through RandomFlips; otherwise the selected block of the order is shuffled (and, inside a
// group, the group's list with it) and the seriation marks reset. Both
// generators start from `seed` (the clock's seconds in the program). Returns false when nothing
// was done.
bool RandomiseSelection(CTree& tree, std::int64_t seed);
