// SPDX-License-Identifier: GPL-3.0-or-later
// Orientation of two sibling subtrees L (items A_0 … A_p−1 in the current order) and R (items
// B_0 … B_q−1) at the place where they meet, deciding for each whether to reverse it.
//
// Inputs: the tree with its dissimilarities, the two siblings, which of them may flip, and the
// criterion. e decides the flip of L and f that of R:
//   multiple fragment: e = best junction dissimilarity with L flipped − best without;
//                      f = best without R flipped − best with (the junction is minimised);
//   UDS:     e = Σ (p − 1 − 2i)·d(A_i, B_j),   f = Σ (q − 1 − 2j)·d(A_i, B_j);
//   inertia: e = Σ [(p + j − i)² − (i + j + 1)²]·d(A_i, B_j),
//            f = Σ [(p + q − 1 − i − j)² − (p + j − i)²]·d(A_i, B_j)
//   (the weighted sums across the junction are maximised; e is the sum without the flip of L
//   minus the sum with it, f the sum with the flip of R minus the sum without). The sums run over
//   i ascending, then j ascending, in one accumulator each.
// When L may not flip, e = 1 and f = d(A_z, B_0) − d(A_z, B_z); when R may not flip,
// w = d(A_0, B_0) − d(A_z, B_0) and f = −1; otherwise w = e.
// Tie rule: nothing happens when w = f = 0; otherwise L flips when w ≤ 0 and R when f ≥ 0, so a
// flip that leaves the criterion unchanged is made.
// Cost: O(p·q) dissimilarities for UDS and inertia (over a whole tree, one per pair of items),
// four for multiple fragment; a flip costs the size of the flipped subtree.
#include "tree/JunctionFlip.h"

#include <algorithm>
#include <cstdint>

#include "dissimilarity/Distance.h"
#include "tree/Tree.h"
#include "tree/TreeFlip.h"

namespace {

// Reverses a whole subtree and rewrites its block. The group lists inside it are reversed
// entirely: the selection the flip command works within is widened to the subtree meanwhile.
void FlipWhole(CTree& tree, int node) {
  const int start = tree.selectionStart;
  const int length = tree.selectionLength;
  tree.selectionStart = tree.Node(node).first;
  tree.selectionLength = tree.Node(node).count;
  FlipSubtree(tree, node);
  tree.selectionStart = start;
  tree.selectionLength = length;
  tree.RebuildOrder(node);
}

struct CJunctionScores {
  double e = 0.0;
  double f = 0.0;
};

CJunctionScores ScoreUds(const CDistance& d, const int* a, int p, const int* b, int q) {
  CJunctionScores s;
  for (int i = 0; i < p; ++i) {
    const double wi = static_cast<double>(p - 1 - 2 * i);
    for (int j = 0; j < q; ++j) {
      const double dij = d.At(a[i], b[j]);
      s.e += wi * dij;
      s.f += static_cast<double>(q - 1 - 2 * j) * dij;
    }
  }
  return s;
}

CJunctionScores ScoreInertia(const CDistance& d, const int* a, int p, const int* b, int q) {
  CJunctionScores s;
  for (int i = 0; i < p; ++i) {
    for (int j = 0; j < q; ++j) {
      const double dij = d.At(a[i], b[j]);
      const std::int64_t apart = p + j - i;                 // neither flipped
      const std::int64_t leftFlipped = i + j + 1;           // L flipped
      const std::int64_t rightFlipped = p + q - 1 - i - j;  // R flipped
      s.e += static_cast<double>(apart * apart - leftFlipped * leftFlipped) * dij;
      s.f += static_cast<double>(rightFlipped * rightFlipped - apart * apart) * dij;
    }
  }
  return s;
}

}  // namespace

void JunctionFlip(CTree& tree, int leftNode, int rightNode, bool mayFlipLeft, bool mayFlipRight,
                  ETreeSeriation criterion) {
  if (tree.distance == nullptr || (!mayFlipLeft && !mayFlipRight)) return;
  // Group blocks are rewritten too: a group's list may have been seriated since its block was
  // last written.
  tree.RebuildOrder(leftNode);
  tree.RebuildOrder(rightNode);
  const CDistance& d = *tree.distance;
  const int p = tree.Node(leftNode).count;
  const int q = tree.Node(rightNode).count;
  if (p <= 1 && q <= 1) return;
  const int* a = tree.order.data() + tree.Node(leftNode).first;
  const int* b = tree.order.data() + tree.Node(rightNode).first;
  const int a0 = a[0];
  const int az = a[p - 1];
  const int b0 = b[0];
  const int bz = b[q - 1];

  CJunctionScores s;
  switch (criterion) {
    case ETreeSeriation::kMultipleFragment:
      s.e = std::min(d.At(a0, b0), d.At(a0, bz)) - std::min(d.At(az, b0), d.At(az, bz));
      s.f = std::min(d.At(a0, b0), d.At(az, b0)) - std::min(d.At(a0, bz), d.At(az, bz));
      break;
    case ETreeSeriation::kScaling:
      s = ScoreUds(d, a, p, b, q);
      break;
    case ETreeSeriation::kInertia:
      s = ScoreInertia(d, a, p, b, q);
      break;
    default:
      break;
  }
  double f = s.f;
  double w = s.e;
  if (!mayFlipLeft) f = d.At(az, b0) - d.At(az, bz);
  if (!mayFlipRight) {
    w = d.At(a0, b0) - d.At(az, b0);
    f = -1.0;
  } else if (!mayFlipLeft) {
    w = 1.0;
  }
  if (w == 0.0 && f == 0.0) return;
  if (w <= 0.0) FlipWhole(tree, leftNode);
  if (f >= 0.0) FlipWhole(tree, rightNode);
}
