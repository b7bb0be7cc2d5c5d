// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

class CTree;

// What a cut of a dendrogram asks for: a number of clusters, or a height (every merge above it
// is undone) when `height` is set.
struct CTreeCutRequest {
  int clusters = 0;
  std::optional<double> height;
};

// A cut of a side's dendrogram into clusters.
struct CTreeCut {
  // Per item: its cluster, 1 … clusterCount, numbered in the order the clusters first appear
  // in the display order.
  std::vector<int> clusterOfItem;
  int clusterCount = 0;
  // Where a line across the dendrogram shows the cut: between the lowest undone merge and the
  // highest kept one (the height asked for, for a cut at a height); none when nothing was
  // undone.
  std::optional<double> lineHeight;
};

// The pieces a cut can separate: the leaves and aggregated groups shown by the tree. A cut
// never splits an aggregated group, which the user chose to see as one.
int CutUnitCount(const CTree& tree);

// Cuts the dendrogram by undoing its highest merges, from the root down: K − 1 of them for K
// clusters (K below 1 counts as 1, above CutUnitCount as that count), or all those strictly
// above the height. Ties: the merge made later (the higher node index) is undone first. For the
// monotone trees of the linkage rules this undoes exactly the K − 1 highest merges; the walk
// from the root keeps every cluster a subtree whatever the heights. No cut (no clusters) without
// a tree. Cost O(n + K log n).
CTreeCut CutTree(const CTree& tree, const CTreeCutRequest& request);

// The clusters of a partition (any labels per item, such as CTree::cutClusters) renumbered
// 1 … K by first appearance in the tree's current display order.
std::vector<int> ClustersInDisplayOrder(const CTree& tree, const std::vector<int>& partition);

// Keeps the cut in the tree and shows it: every item of the side is marked with the colour of
// its cluster (ClusterColors), replacing the marks set before, and the mark strip is shown.
// Returns true when the strip appeared (the window is laid out again).
bool ApplyCut(CTree& tree, const CTreeCut& cut);

// The side carries a cut of its current dendrogram.
bool HasCut(const CTree& tree);
