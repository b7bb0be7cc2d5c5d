// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeFlip.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tree/Tree.h"

namespace {

// Reverses the part of an aggregated node's block that lies inside the selection, in the order
// and in the node's item list alike.
void FlipGroup(CTree& tree, int node) {
  CNode& group = tree.Node(node);
  const int begin = std::max(tree.selectionStart, group.first);
  const int end = std::min(tree.selectionStart + tree.selectionLength, group.first + group.count);
  if (end - begin < 2) return;
  std::reverse(tree.order.begin() + begin, tree.order.begin() + end);
  if (group.items.size() == static_cast<size_t>(group.count)) {
    std::copy(tree.order.begin() + begin, tree.order.begin() + end,
              group.items.begin() + (begin - group.first));
  }
  if (tree.hasTree) tree.MarkItemGroup(-1);
}

}  // namespace

void FlipSubtree(CTree& tree, int node) {
  // Each expanded node exchanges its children and each group reverses its own block: the
  // changes are independent of each other, so one walk in any order does them all.
  std::vector<int> stack{node};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (!current.expanded) {
      FlipGroup(tree, v);
      continue;
    }
    stack.push_back(current.left);
    stack.push_back(current.right);
    std::swap(current.left, current.right);
  }
}

void FlipNode(CTree& tree, int node) {
  if (tree.selectionLength == 1) return;
  if (tree.Node(node).expanded) {
    FlipSubtree(tree, node);
  } else {
    FlipGroup(tree, node);
  }
}

bool FlipSelection(CTree& tree) {
  if (tree.selectionLength <= 1) return false;
  if (tree.hasTree && tree.selectedNode != kNoNode) {
    FlipNode(tree, tree.selectedNode);
    if (tree.Node(tree.root).expanded) tree.RebuildOrder(tree.root);
  } else {
    // With a tree, a block outside the subtrees can only lie inside one group, whose list
    // follows the order so that the next rebuild keeps the reversal; any other block would be
    // undone by that rebuild.
    const int group =
        tree.hasTree ? tree.GroupHoldingBlock(tree.selectionStart, tree.selectionLength) : kNoNode;
    if (tree.hasTree && group == kNoNode) return false;
    const auto begin = tree.order.begin() + tree.selectionStart;
    std::reverse(begin, begin + tree.selectionLength);
    if (group != kNoNode) {
      tree.StoreGroupItems(group);
      tree.MarkItemGroup(-1);
    }
  }
  if (tree.selectionLength != tree.count) tree.ResetEditedMarks();
  return true;
}
