// SPDX-License-Identifier: GPL-3.0-or-later
// Bipolarization under a dendrogram: orders the leaves of a node with children L and R so that
// the two farthest items across the junction end up at the two ends of the node.
//
// Inputs: the tree with its dissimilarities and the two children, whose blocks of `order` are
// current.
// 1. Poles: over the pairs (A_i, B_j) of L's and R's items, i ascending then j ascending, the
//    first pair of largest dissimilarity (replaced only on a strictly larger value, from 0).
// 2. L's pole goes to the front of L: on the path from L down to the pole, every node whose
//    pole-holding child is its right one exchanges its children, provided the pole opens the
//    leaf or group at the bottom of the path (a group keeps its list). R's pole goes to the back
//    of R the same way, mirrored.
// 3. With b the first and c the last item of a node's block after step 2, every expanded node of
//    L whose b is not the pole exchanges its children when d(pole, c) < d(pole, b); every one of
//    R whose c is not the pole when d(pole, b) < d(pole, c). All these decisions read the order
//    of step 2.
// Tie rule: the first farthest pair in scan order; equal distances to a pole exchange nothing.
// Cost: O(p·q) dissimilarities for the poles, O(p + q) for the rest.
#include "tree/TreeBipolarization.h"

#include <utility>
#include <vector>

#include "dissimilarity/Distance.h"
#include "tree/Tree.h"

namespace {

// The expanded nodes from `top` down to the leaf or group whose block holds `position`,
// followed by that leaf or group.
std::vector<int> PathTo(const CTree& tree, int top, int position) {
  std::vector<int> path{top};
  while (tree.Descends(path.back())) {
    const CNode& node = tree.Node(path.back());
    const CNode& left = tree.Node(node.left);
    path.push_back(position < left.first + left.count ? node.left : node.right);
  }
  return path;
}

// Brings the leaf at `position` to the front of `top` (toFront) or to its back.
void BringToEnd(CTree& tree, int top, int position, bool toFront) {
  const std::vector<int> path = PathTo(tree, top, position);
  const CNode& bottom = tree.Node(path.back());
  const int end = toFront ? bottom.first : bottom.first + bottom.count - 1;
  if (end != position) return;  // inside a group, away from its end
  for (size_t k = path.size() - 1; k-- > 0;) {
    CNode& node = tree.Node(path[k]);
    const int child = path[k + 1];
    if (child == (toFront ? node.right : node.left)) std::swap(node.left, node.right);
  }
}

// Turns every expanded node of the subtree towards the pole at its front (towardsFront) or at
// its back, deciding on the current order.
void OrientTowards(CTree& tree, int top, int pole, bool towardsFront) {
  const CDistance& d = *tree.distance;
  std::vector<int> stack{top};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    if (!tree.Descends(v)) continue;
    CNode& node = tree.Node(v);
    stack.push_back(node.left);
    stack.push_back(node.right);
    const int b = tree.order[static_cast<size_t>(node.first)];
    const int c = tree.order[static_cast<size_t>(node.first + node.count - 1)];
    if (towardsFront) {
      if (b != pole && d.At(pole, c) < d.At(pole, b)) std::swap(node.left, node.right);
    } else {
      if (c != pole && d.At(pole, b) < d.At(pole, c)) std::swap(node.left, node.right);
    }
  }
}

}  // namespace

void Bipolarize(CTree& tree, int leftNode, int rightNode) {
  if (tree.distance == nullptr) return;
  const CDistance& d = *tree.distance;
  const int leftFirst = tree.Node(leftNode).first;
  const int rightFirst = tree.Node(rightNode).first;
  const int p = tree.Node(leftNode).count;
  const int q = tree.Node(rightNode).count;
  double farthest = 0.0;
  int leftPole = -1;  // positions in the order
  int rightPole = -1;
  for (int i = 0; i < p; ++i) {
    const int a = tree.order[static_cast<size_t>(leftFirst + i)];
    for (int j = 0; j < q; ++j) {
      const double value = d.At(a, tree.order[static_cast<size_t>(rightFirst + j)]);
      if (value > farthest) {
        farthest = value;
        leftPole = leftFirst + i;
        rightPole = rightFirst + j;
      }
    }
  }
  if (leftPole < 0) return;
  const int leftItem = tree.order[static_cast<size_t>(leftPole)];
  const int rightItem = tree.order[static_cast<size_t>(rightPole)];

  BringToEnd(tree, leftNode, leftPole, true);
  BringToEnd(tree, rightNode, rightPole, false);
  tree.RebuildOrder(leftNode);
  tree.RebuildOrder(rightNode);

  OrientTowards(tree, leftNode, leftItem, true);
  OrientTowards(tree, rightNode, rightItem, false);
  tree.RebuildOrder(leftNode);
  tree.RebuildOrder(rightNode);
}
