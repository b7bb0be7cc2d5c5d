// SPDX-License-Identifier: GPL-3.0-or-later
// Tree seriation: reorders the leaves of the selected subtree of a dendrogram without breaking
// it, by exchanging children of its nodes and reordering the lists of its groups.
//
// Inputs: the tree (its order current with its nodes), its dissimilarities, and the criterion
// (groups are ordered by the plain seriation).
//   multiple fragment, UDS, inertia: bottom-up junction flips (JunctionFlip.cpp), children
//      settled before their parent;
//   bipolarization: of the selected node only (TreeBipolarization.cpp);
//   minimum path: the exact minimum path of the selected node (TreeLeafOrder.cpp), refused when
//      a group of more than two leaves lies in it;
//   any other code: groups only.
// The selected node is then turned against its sibling, the sibling staying as it is.
// Tie rules: those of the criteria. Cost: O(m²) dissimilarities over a subtree of m leaves for
// UDS and inertia, O(m) for multiple fragment, O(m·p) for bipolarization of children of p and
// m − p leaves, that of the optimal leaf order for the minimum path; plus the plain seriation of
// each group.
#include "tree/TreeSeriation.h"

#include <utility>
#include <vector>

#include "seriation/Seriation.h"
#include "settings/TreatmentSettings.h"
#include "tree/JunctionFlip.h"
#include "tree/Tree.h"
#include "tree/TreeBipolarization.h"
#include "tree/TreeLeafOrder.h"

namespace {

// Orders a group's list by the plain seriation method and writes it into the group's block.
ESeriationOutcome SeriateGroup(CTree& tree, int group, const CTreeSeriationOptions& options,
                               const CSeriationRun& run) {
  CNode& node = tree.Node(group);
  const ESeriationOutcome outcome = SeriateSequence(
      node.items.data(), static_cast<int>(node.items.size()), tree, options.groups, run);
  tree.WriteLeaves(group, node.first);
  return outcome;
}

}  // namespace

CTreeSeriationOptions TreeSeriationOptionsOf(const TreatmentSettings& settings) {
  return {settings.TreeSeriationCriterion, SeriationOptionsOf(settings)};
}

ESeriationOutcome SeriateSubtree(CTree& tree, int node, const CTreeSeriationOptions& options,
                                 const CSeriationRun& run) {
  if (node == kNoNode || tree.IsLeaf(node)) return ESeriationOutcome::kDone;
  const ETreeSeriation criterion = options.criterion;
  const CNode& top = tree.Node(node);
  if (!top.expanded) return SeriateGroup(tree, node, options, run);
  if (criterion == ETreeSeriation::kBipolarization) {
    Bipolarize(tree, top.left, top.right);
    return ESeriationOutcome::kDone;
  }
  if (criterion == ETreeSeriation::kMinimumPath) {
    if (top.complete) OptimalLeafOrder(tree, node, run.refill);
    return ESeriationOutcome::kDone;
  }
  // Children before parents: left subtree, right subtree, then the junction of the two. A group
  // refused for its size stays as it was; the others are seriated all the same.
  ESeriationOutcome outcome = ESeriationOutcome::kDone;
  std::vector<std::pair<int, bool>> stack{{node, false}};
  while (!stack.empty()) {
    const auto [v, childrenDone] = stack.back();
    stack.pop_back();
    const CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (!current.expanded) {
      if (SeriateGroup(tree, v, options, run) == ESeriationOutcome::kRefusedForSize) {
        outcome = ESeriationOutcome::kRefusedForSize;
      }
    } else if (!childrenDone) {
      stack.emplace_back(v, true);
      stack.emplace_back(current.right, false);
      stack.emplace_back(current.left, false);
    } else {
      JunctionFlip(tree, current.left, current.right, true, true, criterion);
    }
  }
  return outcome;
}

CTreeSeriationResult TreeSeriate(CTree& tree, const CTreeSeriationOptions& options,
                                 const CSeriationRun& run) {
  CTreeSeriationResult result;
  const int node = tree.selectedNode;
  if (!tree.hasTree || node == kNoNode || tree.distance == nullptr) return result;
  const ETreeSeriation criterion = options.criterion;
  if (criterion == ETreeSeriation::kMinimumPath && !tree.Node(node).complete) {
    result.refusedForGroupedLeaves = true;
    return result;
  }
  result.refusedForSize =
      SeriateSubtree(tree, node, options, run) == ESeriationOutcome::kRefusedForSize;
  if (tree.Node(node).expanded) tree.RebuildOrder(node);
  // Against the sibling: only the selected node may turn. A node inside a group has no sibling
  // of its own to meet.
  const int parent = tree.Node(node).parent;
  if (node != tree.root && parent != 0 && tree.Node(parent).expanded) {
    const CNode& p = tree.Node(parent);
    JunctionFlip(tree, p.left, p.right, p.left == node, p.right == node, criterion);
  }
  tree.RebuildOrder(node);
  result.ran = true;
  return result;
}

void RecordTreeSeriationMarks(CTree& tree, ESeriation seriation, ETreeSeriation treeSeriation) {
  if (!tree.hasTree || tree.selectedNode == kNoNode) return;
  tree.SetMarks(tree.selectedNode, CodeOf(seriation), CodeOf(treeSeriation));
  tree.CombineMarks(tree.root);
}
