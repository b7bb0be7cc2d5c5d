// The exact minimum-path criterion of tree seriation, on a subtree of a dendrogram.
//
// Inputs: the tree, its dissimilarities and the top node of the subtree. The subtree is mirrored
// as a plain binary tree (a group of two leaves counts as a node with its two leaves in list
// order), handed to the optimal leaf order, and its answer read back: every node it marks
// exchanges its children (a group reverses its list), each as a whole, and the block is
// rewritten.
// Tie rule: that of the optimal leaf order (the first ends in the current leaf order).
// Cost: that of the optimal leaf order (at worst O(m³) time for m leaves, m² doubles), plus
// O(nodes of the tree) for the mirror arrays.
#include "tree/TreeLeafOrder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tree/OptimalLeafOrder.h"
#include "tree/Tree.h"

namespace {

// The mirror of the subtree, indexed like the tree's nodes; false when a group of more than two
// leaves lies in it.
bool Mirror(const CTree& tree, int top, CBinaryTree& mirror, std::vector<int>& internal) {
  const size_t size = tree.nodes.size();
  mirror.left.assign(size, -1);
  mirror.right.assign(size, -1);
  mirror.item.assign(size, -1);
  mirror.root = top;
  std::vector<int> stack{top};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    const CNode& node = tree.Node(v);
    const size_t at = static_cast<size_t>(v);
    if (node.IsLeaf()) {
      mirror.item[at] = node.index;
      continue;
    }
    internal.push_back(v);
    if (node.expanded) {
      mirror.left[at] = node.left;
      mirror.right[at] = node.right;
      stack.push_back(node.right);
      stack.push_back(node.left);
      continue;
    }
    if (node.items.size() != 2) return false;
    // The two leaves of a group are the leaves of its items.
    for (const int item : node.items) {
      if (item < 0 || static_cast<size_t>(item) >= size || !tree.IsLeaf(item)) return false;
      mirror.item[static_cast<size_t>(item)] = item;
    }
    mirror.left[at] = node.items[0];
    mirror.right[at] = node.items[1];
  }
  return true;
}

}  // namespace

bool OptimalLeafOrder(CTree& tree, int node) {
  if (tree.distance == nullptr || !tree.Descends(node)) return false;
  CBinaryTree mirror;
  std::vector<int> internal;
  if (!Mirror(tree, node, mirror, internal)) return false;
  const CLeafOrder best = OptimalLeafOrder(mirror, *tree.distance);
  for (const int v : internal) {
    if (!best.exchange[static_cast<size_t>(v)]) continue;
    CNode& current = tree.Node(v);
    if (current.expanded) {
      std::swap(current.left, current.right);
    } else {
      std::reverse(current.items.begin(), current.items.end());
    }
  }
  tree.RebuildOrder(node);
  return true;
}
