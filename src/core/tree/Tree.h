// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "seriation/Elements.h"
#include "settings/Choices.h"
#include "tree/Node.h"

// The provenance pair of a subtree: the seriation method and the tree-seriation criterion last
// applied to it. −1: none applied; −2: mixed; −3: nothing to say (neutral when combined).
struct CMarkPair {
  int method = -3;
  int criterion = -1;
  friend bool operator==(const CMarkPair&, const CMarkPair&) = default;
};

// Combines the values of a left and a right child into the value of their parent.
int CombineMark(int left, int right);

// The order of one side together with its dendrogram. The leaf sequence of the tree, read left
// before right from the root, always equals `order` once a tree exists. Nodes are referred to by
// their index in `nodes`, so copies are deep and refer to their own nodes.
class CTree : public CElements {
 public:
  CTree() = default;

  // Starts the side for a loaded table: the element set's identity order with everything
  // selected, no dendrogram shown, no selection of the user and no marks. The nodes of an
  // earlier clustering stay allocated for the next one.
  void Initialize(int n, CDistance* sideDistance, const std::vector<std::string>* sideLabels,
                  const std::vector<double>& weights);

  CNode& Node(int node) { return nodes[static_cast<size_t>(node)]; }
  const CNode& Node(int node) const { return nodes[static_cast<size_t>(node)]; }
  bool IsLeaf(int node) const { return Node(node).IsLeaf(); }
  // An internal node whose children are shown.
  bool Descends(int node) const { return !Node(node).IsLeaf() && Node(node).expanded; }

  // Sets parent and first of every node reached through expanded nodes below `node`.
  void ComputePositions(int node);
  // Writes the items of the subtree into `order` from `cursor` on and refreshes the counts of
  // the expanded nodes; returns the number written.
  int WriteLeaves(int node, int cursor);
  // ComputePositions then WriteLeaves from the node's first position.
  void RebuildOrder(int node);
  // Appends the items of the subtree in display order to `out` (counts unchanged).
  void CollectItems(int node, std::vector<int>& out) const;

  // Climbs from a leaf to the first node whose block reaches `end` (first + count ≥ end), or the
  // root.
  int SmallestEnclosing(int leaf, int end) const;
  // From an aggregated node, the outermost aggregated ancestor (whose parent is expanded).
  int TopAggregated(int node) const;
  void SetHighlight(int node, bool value);
  void MarkComplete(int node);
  void ClearComplete(int node);

  // Provenance marks of seriations, read by the report.
  void SetMarks(int node, int method, int criterion);
  void ResetMarks(int node);
  CMarkPair CombineMarks(int node);
  void MarkItemGroup(int value);
  bool HasMethodMark() const;
  // After an edit of the selection: resets the marks of the selected subtree and recombines the
  // root (without a tree, forgets the seriation method of the order).
  void ResetEditedMarks();

  // The aggregated group that holds the item at `position` of the order, or kNoNode.
  int GroupAtPosition(int position) const;
  // The aggregated group whose block holds the positions start … start + length − 1, or kNoNode.
  int GroupHoldingBlock(int start, int length) const;
  // Copies the group's block of the order back into its item list, after the block was
  // reordered in place.
  void StoreGroupItems(int group);

  bool isRowSide = true;
  bool hasTree = false;
  bool marksShown = false;
  bool userSelection = false;
  int orderMethodMark = -1;
  ELinkage linkage = ChoiceOf<ELinkage>(-1);
  int lastClicked = kNoNode;
  int root = kNoNode;
  std::vector<CNode> nodes;  // 2n − 1 nodes once clustered: leaves, then merges
  double rootHeight = 0.0;
  int selectedNode = kNoNode;
  // The last cut of this dendrogram into clusters (empty: none): each item's cluster, and the
  // height the cut line is drawn at. A new clustering or a new table forgets it.
  std::vector<int> cutClusters;
  std::optional<double> cutHeight;
};
