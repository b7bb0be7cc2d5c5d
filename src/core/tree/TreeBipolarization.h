// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTree;

// Bipolarization of a node with children L and R: the farthest pair of items across the two
// children become poles, L's pole is brought to the front of L and R's pole to the back of R by
// exchanges of children, then every expanded node of each child is turned towards its pole.
// Nothing changes when no pair across the children lies at a positive dissimilarity. The blocks
// of both children in `order` are rewritten from the tree.
void Bipolarize(CTree& tree, int leftNode, int rightNode);
