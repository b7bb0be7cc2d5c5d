// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class CDistance;

// A fully developed binary tree over items, as the optimal leaf order reads it. Node v is a leaf
// when left[v] < 0, and then item[v] is its item; otherwise left[v] and right[v] are its two
// children in their current order. Only the nodes reached from `root` take part; the three arrays
// have one entry per node.
struct CBinaryTree {
  std::vector<int> left;
  std::vector<int> right;
  std::vector<int> item;
  int root = 0;
};

// The leaf order of least path length that exchanges of children can reach.
struct CLeafOrder {
  // The items of the leaves, left to right.
  std::vector<int> items;
  // Per node (indexed like the tree's arrays): 1 when the node's two children must be exchanged.
  // Exchanging the children of every marked node, each as a whole (what lies below keeps its own
  // orientation), turns the tree's leaf order into `items`, in whatever order the nodes are
  // treated. Leaves and nodes outside the tree stay 0.
  std::vector<char> exchange;
  // Σ d(consecutive items), summed left to right.
  double length = 0.0;
};

// Among the leaf orders of `tree` reachable by exchanging the children of internal nodes, one of
// least path length under `distance`. Throws std::invalid_argument when the arrays do not
// describe a binary tree from `root` whose leaves carry items of `distance`, and fails with
// message 2 when its work (a copy of the triangle by leaf position, and the tables) cannot be
// reserved.
// `tableDepth` 0 lets the work estimate choose which subtrees get tables of path costs; a
// positive value tables exactly the nodes that many levels or more below the root (for tests and
// measurements: each level without tables doubles the work below it). The order found is optimal
// either way; between equally short orders the choice may differ.
CLeafOrder OptimalLeafOrder(const CBinaryTree& tree, const CDistance& distance, int tableDepth = 0);

// The items of the tree's leaves, left to right (the positions of OptimalLeafOrderByPosition).
// Throws std::invalid_argument as above.
std::vector<int> LeafSequence(const CBinaryTree& tree);

// The same order from the dissimilarities by leaf position, positional(p, q) = d(leaf p, leaf q)
// over LeafSequence(tree), which the caller computes (for instance from the table, while the
// side's triangle is borrowed): the result is bit for bit that of OptimalLeafOrder, without its
// copy of the triangle. Throws std::invalid_argument when the size differs from the leaf count.
CLeafOrder OptimalLeafOrderByPosition(const CBinaryTree& tree, const CDistance& positional,
                                      int tableDepth = 0);
