// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/RandomFlips.h"

#include <span>
#include <utility>
#include <vector>

#include "tree/Ran1.h"
#include "tree/Rand15.h"
#include "tree/RandomShuffle.h"
#include "tree/Tree.h"

void RandomFlips(CTree& tree, int node, CRand15& coin, CRan1& uniform) {
  // Post-order (left subtree, right subtree, node), so that the draws come in the same sequence
  // whatever the walk's implementation.
  std::vector<std::pair<int, bool>> stack{{node, false}};
  while (!stack.empty()) {
    const auto [v, childrenDone] = stack.back();
    stack.pop_back();
    CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (!current.expanded) {
      ShuffleItems(current.items, uniform);
      continue;
    }
    if (!childrenDone) {
      stack.emplace_back(v, true);
      stack.emplace_back(current.right, false);
      stack.emplace_back(current.left, false);
      continue;
    }
    const double r = coin.Next() / 32768.0;
    if (r >= 0.5) std::swap(current.left, current.right);
  }
  tree.RebuildOrder(tree.root);
  tree.ResetEditedMarks();
}

bool RandomiseSelection(CTree& tree, std::int64_t seed) {
  if (tree.selectionLength <= 1) return false;
  CRand15 coin(static_cast<std::uint32_t>(seed));
  CRan1 uniform(seed);
  if (tree.hasTree && tree.selectedNode != kNoNode) {
    RandomFlips(tree, tree.selectedNode, coin, uniform);
    return true;
  }
  // With a tree, a block outside the subtrees can only lie inside one group; any other block
  // would be undone by the next rebuild of the order.
  const int group =
      tree.hasTree ? tree.GroupHoldingBlock(tree.selectionStart, tree.selectionLength) : kNoNode;
  if (tree.hasTree && group == kNoNode) return false;
  ShuffleItems(std::span<int>(tree.order)
                   .subspan(static_cast<size_t>(tree.selectionStart),
                            static_cast<size_t>(tree.selectionLength)),
               uniform);
  if (group != kNoNode) tree.StoreGroupItems(group);
  tree.ResetEditedMarks();
  return true;
}
