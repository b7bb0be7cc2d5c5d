// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "base/Failure.h"
#include "base/StepTimer.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/TriangleRefill.h"
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

// The storage of a side's triangle, lent to its dissimilarities by leaf position. Give()
// returns it refilled; an exception on the way returns it all the same (refilled when that can
// be done), so the side never keeps consumed pairs.
class CBorrowedTriangle {
 public:
  CBorrowedTriangle(CDistance& matrix, CTriangleRefill& refill) : matrix_(matrix), refill_(refill) {
    positional.values.swap(matrix_.values);
  }
  ~CBorrowedTriangle() {
    if (given_) return;
    matrix_.values.swap(positional.values);
    try {
      refill_.Refill(matrix_);
    } catch (...) {
    }
  }
  CBorrowedTriangle(const CBorrowedTriangle&) = delete;
  CBorrowedTriangle& operator=(const CBorrowedTriangle&) = delete;

  void Give() {
    given_ = true;
    matrix_.values.swap(positional.values);
    if (!refill_.Refill(matrix_)) throw CProgramExit(1);
  }

  CDistance positional;

 private:
  CDistance& matrix_;
  CTriangleRefill& refill_;
  bool given_ = false;
};

// The leaf order works on the dissimilarities by leaf position. For the whole side, when the
// refill says so, they are computed from the table into the triangle's own storage, which is
// given back and refilled afterwards: one triangle in memory instead of two. Otherwise they are
// gathered from the triangle into a copy.
CLeafOrder SolveOnSide(const CBinaryTree& mirror, CDistance& matrix, CTriangleRefill* refill) {
  if (refill == nullptr) return OptimalLeafOrder(mirror, matrix);
  const std::vector<int> sequence = LeafSequence(mirror);
  const int m = static_cast<int>(sequence.size());
  const size_t bytes = matrix.values.size() * sizeof(double);
  if (m != matrix.size || m < 2 || !refill->WorkInside(bytes)) {
    return OptimalLeafOrder(mirror, matrix);
  }
  CBorrowedTriangle borrowed(matrix, *refill);
  if (!refill->ComputeInOrder(sequence.data(), m, borrowed.positional)) {
    borrowed.Give();
    return OptimalLeafOrder(mirror, matrix);
  }
  CLeafOrder best = OptimalLeafOrderByPosition(mirror, borrowed.positional);
  borrowed.Give();
  return best;
}

}  // namespace

bool OptimalLeafOrder(CTree& tree, int node, CTriangleRefill* refill) {
  if (tree.distance == nullptr || !tree.Descends(node)) return false;
  CBinaryTree mirror;
  std::vector<int> internal;
  if (!Mirror(tree, node, mirror, internal)) return false;
  CLeafOrder best;
  {
    CStepTimer timer("optimal leaf order");
    best = SolveOnSide(mirror, *tree.distance, refill);
  }
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
