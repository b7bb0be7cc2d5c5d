// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/SortSubtree.h"

#include <utility>
#include <vector>

#include "tree/KeySort.h"
#include "tree/Tree.h"
#include "tree/TreeFlip.h"

namespace {

// Every node of the subtree, groups included, children before parents.
std::vector<int> PostOrder(const CTree& tree, int node) {
  std::vector<int> visited;
  std::vector<std::pair<int, bool>> stack{{node, false}};
  while (!stack.empty()) {
    const auto [v, childrenDone] = stack.back();
    stack.pop_back();
    if (!childrenDone && !tree.IsLeaf(v)) {
      stack.emplace_back(v, true);
      stack.emplace_back(tree.Node(v).right, false);
      stack.emplace_back(tree.Node(v).left, false);
    } else {
      visited.push_back(v);
    }
  }
  return visited;
}

}  // namespace

void SortSubtree(CTree& tree, int node, std::span<const double> itemKeys) {
  const std::vector<int> nodes = PostOrder(tree, node);
  for (int v : nodes) {
    CNode& current = tree.Node(v);
    if (current.IsLeaf()) {
      // The leaf's own item: inside a group the recorded positions may be stale, since groups
      // move as blocks without their leaves' positions being refreshed.
      current.sortKey = itemKeys[static_cast<size_t>(current.index)];
      continue;
    }
    const CNode& left = tree.Node(current.left);
    const CNode& right = tree.Node(current.right);
    current.sortKey =
        (left.count * left.sortKey + right.count * right.sortKey) / (left.count + right.count);
  }
  // Only the nodes reached through expanded ones are reordered: below a group the tree is kept
  // as it is and the group's list is sorted instead.
  for (int v : nodes) {
    CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (v != node && !tree.Node(current.parent).expanded) continue;
    if (!current.expanded) {
      SortItemsByKey(current.items, itemKeys);
    } else if (tree.Node(current.right).sortKey < tree.Node(current.left).sortKey) {
      std::swap(current.left, current.right);
    }
  }
  tree.RebuildOrder(tree.root);
}

bool SortSelection(CTree& tree, std::span<const double> itemKeys, bool descending) {
  if (tree.selectionLength <= 1) return false;
  if (tree.hasTree && tree.selectedNode != kNoNode && tree.Descends(tree.selectedNode)) {
    SortSubtree(tree, tree.selectedNode, itemKeys);
  } else {
    // With a tree, a block outside the subtrees can only lie inside one group (a selected
    // group, typically); any other block would be undone by the next rebuild of the order.
    const int group =
        tree.hasTree ? tree.GroupHoldingBlock(tree.selectionStart, tree.selectionLength) : kNoNode;
    if (tree.hasTree && group == kNoNode) return false;
    SortItemsByKey(std::span<int>(tree.order)
                       .subspan(static_cast<size_t>(tree.selectionStart),
                                static_cast<size_t>(tree.selectionLength)),
                   itemKeys);
    if (group != kNoNode) tree.StoreGroupItems(group);
  }
  tree.ResetEditedMarks();
  if (descending) FlipSelection(tree);
  return true;
}
