// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Choices.h"

class CTree;

// Orients two sibling subtrees at their junction by the tree-seriation criterion `criterion`
// (multiple fragment, unidimensional scaling, inertia around the diagonal; any other criterion
// decides nothing). A subtree that may not flip stays as it is, and the other one then turns its
// nearer end towards it whatever the criterion. A flip reverses the subtree's leaf sequence
// (children exchanged at every expanded node, group lists reversed); the blocks of both
// subtrees in `order` are rewritten from the tree.
void JunctionFlip(CTree& tree, int leftNode, int rightNode, bool mayFlipLeft, bool mayFlipRight,
                  ETreeSeriation criterion);
