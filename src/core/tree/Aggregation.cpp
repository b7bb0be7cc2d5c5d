// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/Aggregation.h"

#include <vector>

#include "tree/Tree.h"

void CollapseSubtree(CTree& tree, int node, int groupIndex, double groupHeight) {
  std::vector<int> stack{node};
  while (!stack.empty()) {
    CNode& current = tree.Node(stack.back());
    stack.pop_back();
    current.height = groupHeight;
    current.expanded = false;
    current.parent = groupIndex;
    if (!current.IsLeaf()) {
      stack.push_back(current.right);
      stack.push_back(current.left);
    }
  }
}

bool Aggregate(CTree& tree) {
  if (!tree.hasTree || tree.selectedNode == kNoNode) return false;
  // A leaf or the whole side is not a group.
  if (!tree.Descends(tree.selectedNode) || tree.selectedNode == tree.root) return false;
  const int selected = tree.selectedNode;
  // A group of two leaves still allows every tree seriation; larger ones do not.
  if (tree.Node(selected).count > 2) tree.ClearComplete(selected);
  std::vector<int> items;
  items.reserve(static_cast<size_t>(tree.Node(selected).count));
  tree.CollectItems(selected, items);
  CNode& group = tree.Node(selected);
  group.items = std::move(items);
  group.expanded = false;
  CollapseSubtree(tree, group.left, group.index, group.height);
  CollapseSubtree(tree, group.right, group.index, group.height);
  return true;
}
