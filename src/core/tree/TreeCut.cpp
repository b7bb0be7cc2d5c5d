// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting a dendrogram into clusters.
//
// Input: a side's tree and either K or a height. The merges that can be undone are the internal
// nodes reached from the root through expanded nodes; an aggregated group and a leaf are units
// that stay whole. Starting from the root, the highest undoable merge among those whose parent
// merge is undone already is undone next (higher height first; on equal heights the later merge,
// the higher node index), until K − 1 merges are undone or none above the height is left. The
// children of undone merges that were not undone themselves are the clusters.
//
// Ties: as above, the later merge first. Cost: O(n) for the walks plus O(K log n) for the heap.
#include "tree/TreeCut.h"

#include <algorithm>
#include <map>
#include <queue>

#include "tree/ClusterColors.h"
#include "tree/Tree.h"

namespace {

// A merge that can be undone: an expanded internal node.
bool Undoable(const CTree& tree, int node) {
  return tree.Descends(node);
}

struct CHigherFirst {
  const CTree* tree;
  // The priority queue puts the greatest first: the higher merge, then the later one.
  bool operator()(int a, int b) const {
    const double ha = tree->Node(a).height;
    const double hb = tree->Node(b).height;
    if (ha != hb) return ha < hb;
    return a < b;
  }
};

}  // namespace

int CutUnitCount(const CTree& tree) {
  if (!tree.hasTree || tree.root == kNoNode || tree.nodes.empty()) return 0;
  int undoable = 0;
  std::vector<int> stack{tree.root};
  while (!stack.empty()) {
    const int v = stack.back();
    stack.pop_back();
    if (!Undoable(tree, v)) continue;
    ++undoable;
    stack.push_back(tree.Node(v).left);
    stack.push_back(tree.Node(v).right);
  }
  return undoable + 1;
}

CTreeCut CutTree(const CTree& tree, const CTreeCutRequest& request) {
  CTreeCut cut;
  const int units = CutUnitCount(tree);
  if (units == 0) return cut;
  const int wanted = std::clamp(request.clusters, 1, units);
  const bool byHeight = request.height.has_value();
  const double height = byHeight ? *request.height : 0.0;

  std::priority_queue<int, std::vector<int>, CHigherFirst> available(CHigherFirst{&tree});
  std::vector<int> clusters;  // the tops of the clusters, found as merges are undone
  const auto offer = [&](int node) {
    if (Undoable(tree, node)) {
      available.push(node);
    } else {
      clusters.push_back(node);
    }
  };
  offer(tree.root);
  int undone = 0;
  double lowestUndone = 0.0;
  while (!available.empty()) {
    const int top = available.top();
    const double topHeight = tree.Node(top).height;
    // A height that is no number undoes nothing.
    if (byHeight ? !(topHeight > height) : undone + 1 >= wanted) break;
    available.pop();
    ++undone;
    lowestUndone = topHeight;
    offer(tree.Node(top).left);
    offer(tree.Node(top).right);
  }
  // The merges still waiting are kept: each heads a cluster.
  while (!available.empty()) {
    clusters.push_back(available.top());
    available.pop();
  }
  if (undone > 0) {
    if (byHeight) {
      cut.lineHeight = height;
    } else {
      double highestKept = 0.0;
      for (int node : clusters) {
        if (!tree.IsLeaf(node)) highestKept = std::max(highestKept, tree.Node(node).height);
      }
      cut.lineHeight = (highestKept + lowestUndone) / 2.0;
    }
  }

  std::vector<int> partition(static_cast<size_t>(tree.count), 0);
  std::vector<int> items;
  for (size_t k = 0; k < clusters.size(); ++k) {
    items.clear();
    tree.CollectItems(clusters[k], items);
    for (int item : items) {
      if (item >= 0 && item < tree.count)
        partition[static_cast<size_t>(item)] = static_cast<int>(k) + 1;
    }
  }
  cut.clusterOfItem = ClustersInDisplayOrder(tree, partition);
  cut.clusterCount = static_cast<int>(clusters.size());
  return cut;
}

std::vector<int> ClustersInDisplayOrder(const CTree& tree, const std::vector<int>& partition) {
  std::vector<int> numbered(partition.size(), 0);
  std::map<int, int> numberOfLabel;
  for (const int item : tree.order) {
    if (item < 0 || static_cast<size_t>(item) >= partition.size()) continue;
    const int label = partition[static_cast<size_t>(item)];
    const auto found = numberOfLabel.try_emplace(label, static_cast<int>(numberOfLabel.size()) + 1);
    numbered[static_cast<size_t>(item)] = found.first->second;
  }
  return numbered;
}

bool ApplyCut(CTree& tree, const CTreeCut& cut) {
  if (cut.clusterCount == 0 || cut.clusterOfItem.size() != static_cast<size_t>(tree.count)) {
    return false;
  }
  tree.cutClusters = cut.clusterOfItem;
  tree.cutHeight = cut.lineHeight;
  const std::vector<ColorRef> colors = ClusterColors(cut.clusterCount);
  tree.marks.assign(static_cast<size_t>(tree.count), 0);
  for (int item = 0; item < tree.count; ++item) {
    const int cluster = cut.clusterOfItem[static_cast<size_t>(item)];
    if (cluster >= 1 && cluster <= cut.clusterCount) {
      tree.marks[static_cast<size_t>(item)] =
          static_cast<int>(colors[static_cast<size_t>(cluster - 1)]);
    }
  }
  if (tree.marksShown) return false;
  tree.marksShown = true;
  return true;
}

bool HasCut(const CTree& tree) {
  return tree.hasTree && tree.cutClusters.size() == static_cast<size_t>(tree.count) &&
         tree.count > 0;
}
