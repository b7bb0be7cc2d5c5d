// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTree;
class CTriangleRefill;

// Orders the leaves of a fully developed subtree (groups of at most two leaves allowed) along a
// path of least length Σ d(consecutive leaves) among the orders that exchanges of children
// reach, and rewrites the subtree's block of `order`. Returns false, changing nothing, for a
// leaf, a group, or a subtree holding a group of more than two leaves. With `refill`, the order
// of the whole side may work inside the side's triangle (CTriangleRefill), which is put back
// afterwards; a refill that fails ends the program (CProgramExit(1)).
bool OptimalLeafOrder(CTree& tree, int node, CTriangleRefill* refill = nullptr);
