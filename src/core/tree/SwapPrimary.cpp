// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/SwapPrimary.h"

#include <utility>

#include "tree/Tree.h"

bool SwapPrimary(CTree& tree) {
  if (tree.selectionLength == 1 || !tree.hasTree || tree.selectedNode == kNoNode) return false;
  if (!tree.Descends(tree.selectedNode)) return false;
  CNode& node = tree.Node(tree.selectedNode);
  std::swap(node.left, node.right);
  tree.RebuildOrder(tree.root);
  tree.ResetEditedMarks();
  return true;
}
