// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// Index meaning "no node" for the node references of a tree (selected node, last click, root).
inline constexpr int kNoNode = -1;

// One node of a dendrogram. Leaves 0 … n−1 stand for the items of the same index; internal nodes
// follow in merge order, so a node's children always have smaller indices than the node.
struct CNode {
  int index = 0;
  int left = 0;    // left child; for a leaf, the item it stands for (equal to index)
  int right = -1;  // right child; −1 marks a leaf
  // The parent; 0 for the root (leaf 0 is never a parent). Below an aggregated node every
  // descendant's parent is the aggregated node itself.
  int parent = 0;
  std::vector<int> items;  // only on an aggregated node: its leaves' items in display order
  int first = 0;           // position in the order of the subtree's first leaf
  double sortKey = 0.0;    // count-weighted mean key of the sort command
  double height = 0.0;     // merge level; 0 for a leaf
  int count = 0;           // leaves under the node
  bool expanded = false;   // false: aggregated, handled as one group of leaves
  bool complete = false;   // no aggregated node of more than two leaves at or below this node
  bool highlighted = false;
  int criterionMark = -1;  // tree-seriation criterion last applied to the subtree
  int methodMark = -3;     // seriation method last applied to the subtree

  bool IsLeaf() const { return right < 0; }
};
