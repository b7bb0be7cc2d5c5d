#pragma once

class CTree;

// Orders the leaves of a fully developed subtree (groups of at most two leaves allowed) along a
// path of least length Σ d(consecutive leaves) among the orders that exchanges of children
// reach, and rewrites the subtree's block of `order`. Returns false, changing nothing, for a
// leaf, a group, or a subtree holding a group of more than two leaves.
bool OptimalLeafOrder(CTree& tree, int node);
