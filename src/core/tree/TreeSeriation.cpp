// Tree seriation: reorders the leaves of the selected subtree of a dendrogram without breaking
// it, by exchanging children of its nodes and reordering the lists of its groups.
//
// Inputs: the tree (its order current with its nodes), its dissimilarities, and the criterion
// TreeSeriationCriterion (groups are ordered by SetSeriationCriterion).
//   0, 1, 2: bottom-up junction flips (JunctionFlip.cpp), children settled before their parent;
//   3: bipolarization of the selected node only (TreeBipolarization.cpp);
//   4: the exact minimum path of the selected node (TreeLeafOrder.cpp), refused when a group of
//      more than two leaves lies in it;
//   any other code: groups only.
// The selected node is then turned against its sibling, the sibling staying as it is.
// Tie rules: those of the criteria. Cost: O(m²) dissimilarities over a subtree of m leaves for
// UDS and inertia, O(m) for multiple fragment, O(m·p) for bipolarization of children of p and
// m − p leaves, that of the optimal leaf order for the minimum path; plus the plain seriation of
// each group.
#include "tree/TreeSeriation.h"

#include <utility>
#include <vector>

#include "base/Services.h"
#include "seriation/Seriation.h"
#include "settings/DocumentContext.h"
#include "settings/TreatmentSettings.h"
#include "tree/JunctionFlip.h"
#include "tree/Tree.h"
#include "tree/TreeBipolarization.h"
#include "tree/TreeLeafOrder.h"

namespace {

// The plain seriation of a group reads the settings of the element set: they are the given ones
// while the tree is seriated.
class CSettingsScope {
 public:
  CSettingsScope(CTree& tree, const TreatmentSettings& settings)
      : tree_(tree), saved_(tree.settings), local_(settings) {
    tree_.settings = &local_;
  }
  ~CSettingsScope() { tree_.settings = saved_; }
  CSettingsScope(const CSettingsScope&) = delete;
  CSettingsScope& operator=(const CSettingsScope&) = delete;

 private:
  CTree& tree_;
  TreatmentSettings* saved_;
  TreatmentSettings local_;
};

// Orders a group's list by the plain seriation method and writes it into the group's block.
void SeriateGroup(CTree& tree, int group) {
  CNode& node = tree.Node(group);
  SeriateSequence(node.items.data(), static_cast<int>(node.items.size()), tree);
  tree.WriteLeaves(group, node.first);
}

}  // namespace

void SeriateSubtree(CTree& tree, int node, const TreatmentSettings& settings) {
  if (node == kNoNode || tree.IsLeaf(node)) return;
  CSettingsScope scope(tree, settings);
  const int criterion = settings.TreeSeriationCriterion;
  const CNode& top = tree.Node(node);
  if (!top.expanded) {
    SeriateGroup(tree, node);
    return;
  }
  if (criterion == 3) {
    Bipolarize(tree, top.left, top.right);
    return;
  }
  if (criterion == 4) {
    if (top.complete) OptimalLeafOrder(tree, node);
    return;
  }
  // Children before parents: left subtree, right subtree, then the junction of the two.
  std::vector<std::pair<int, bool>> stack{{node, false}};
  while (!stack.empty()) {
    const auto [v, childrenDone] = stack.back();
    stack.pop_back();
    const CNode& current = tree.Node(v);
    if (current.IsLeaf()) continue;
    if (!current.expanded) {
      SeriateGroup(tree, v);
    } else if (!childrenDone) {
      stack.emplace_back(v, true);
      stack.emplace_back(current.right, false);
      stack.emplace_back(current.left, false);
    } else {
      JunctionFlip(tree, current.left, current.right, true, true, criterion);
    }
  }
}

bool TreeSeriate(CTree& tree, const TreatmentSettings& settings) {
  const int node = tree.selectedNode;
  if (!tree.hasTree || node == kNoNode || tree.distance == nullptr) return false;
  const int criterion = settings.TreeSeriationCriterion;
  if (criterion == 4 && !tree.Node(node).complete) {
    if (tree.document != nullptr) tree.document->Services().ShowMessageBox(kGroupedLeavesWarning);
    if (tree.observer != nullptr) tree.observer->Repaint();
    return false;
  }
  SeriateSubtree(tree, node, settings);
  if (tree.Node(node).expanded) tree.RebuildOrder(node);
  // Against the sibling: only the selected node may turn. A node inside a group has no sibling
  // of its own to meet.
  const int parent = tree.Node(node).parent;
  if (node != tree.root && parent != 0 && tree.Node(parent).expanded) {
    const CNode& p = tree.Node(parent);
    JunctionFlip(tree, p.left, p.right, p.left == node, p.right == node, criterion);
  }
  tree.RebuildOrder(node);
  ComputeObjectives(tree);
  return true;
}

void RecordTreeSeriationMarks(CTree& tree, int seriationCode, int treeSeriationCode) {
  if (!tree.hasTree || tree.selectedNode == kNoNode) return;
  tree.SetMarks(tree.selectedNode, seriationCode, treeSeriationCode);
  tree.CombineMarks(tree.root);
}
