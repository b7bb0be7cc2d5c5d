// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "seriation/Elements.h"
#include "settings/TreatmentSettings.h"
#include "tree/AgglomerativeClustering.h"

bool ClusterTree(CTree& tree, ELinkage linkage, CProgressReporter* progress) {
  if (!BuildTree(tree, linkage, progress)) return false;
  ComputeObjectives(tree, true, progress);
  return true;
}

CTreeSeriationResult SeriateTree(CTree& tree, const TreatmentSettings& settings,
                                 CProgressReporter* progress) {
  const CTreeSeriationResult result =
      TreeSeriate(tree, TreeSeriationOptionsOf(settings), CSeriationRun{progress, nullptr});
  if (result.ran) ComputeObjectives(tree, true, progress);
  return result;
}

void RecomputeObjectives(CTree& tree) {
  ComputeObjectives(tree, true, nullptr);
}

CSide::CSide(const FullMatrix& d, int linkage) {
  const int n = static_cast<int>(d.size());
  distance.Allocate(n);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j)
      distance.Set(i, j, d[i][j]);
  }
  distance.SumByRows(nullptr);
  for (int i = 0; i < n; ++i)
    labels.push_back("i" + std::to_string(i));
  tree.Initialize(n, &distance, &labels, {});
  if (linkage >= 0) ClusterTree(tree, ChoiceOf<ELinkage>(linkage));
}

FullMatrix TwoTriples() {
  FullMatrix d(6, std::vector<double>(6, 10.0));
  auto set = [&](int a, int b, double v) { d[a][b] = d[b][a] = v; };
  for (int i = 0; i < 6; ++i)
    d[i][i] = 0;
  set(0, 1, 1);
  set(3, 4, 2);
  set(0, 2, 3);
  set(1, 2, 3);
  set(3, 5, 4);
  set(4, 5, 4);
  return d;
}

FullMatrix RandomEuclidean(int n, int dimensions, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> coordinate(0.0, 1.0);
  std::vector<std::vector<double>> points(n, std::vector<double>(dimensions));
  for (auto& point : points) {
    for (double& x : point)
      x = coordinate(random);
  }
  FullMatrix d(n, std::vector<double>(n, 0.0));
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      double sum = 0.0;
      for (int c = 0; c < dimensions; ++c)
        sum += (points[i][c] - points[j][c]) * (points[i][c] - points[j][c]);
      d[i][j] = d[j][i] = std::sqrt(sum);
    }
  }
  return d;
}

FullMatrix RandomIntegers(int n, int maxValue, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> value(0, maxValue);
  FullMatrix d(n, std::vector<double>(n, 0.0));
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j)
      d[i][j] = d[j][i] = value(random);
  }
  return d;
}

std::vector<int> LeafSequence(const CTree& tree, int node) {
  const CNode& v = tree.Node(node);
  if (v.IsLeaf()) return {v.index};
  if (!v.expanded) return v.items;
  std::vector<int> sequence = LeafSequence(tree, v.left);
  const std::vector<int> right = LeafSequence(tree, v.right);
  sequence.insert(sequence.end(), right.begin(), right.end());
  return sequence;
}

void SelectNode(CTree& tree, int node) {
  const int selected = tree.Node(node).expanded ? node : tree.TopAggregated(node);
  tree.selectedNode = selected;
  tree.selectionStart = tree.Node(selected).first;
  tree.selectionLength = tree.Node(selected).count;
}

namespace {

// Leaves of the merge structure (through groups too), sorted.
std::vector<int> MergedItems(const CTree& tree, int node) {
  const CNode& v = tree.Node(node);
  if (v.IsLeaf()) return {v.index};
  std::vector<int> items = MergedItems(tree, v.left);
  const std::vector<int> right = MergedItems(tree, v.right);
  items.insert(items.end(), right.begin(), right.end());
  std::sort(items.begin(), items.end());
  return items;
}

void CheckNode(const CTree& tree, int node) {
  const CNode& v = tree.Node(node);
  const std::vector<int> block(tree.order.begin() + v.first,
                               tree.order.begin() + v.first + v.count);
  EXPECT_EQ(block, LeafSequence(tree, node)) << "node " << node;
  if (v.IsLeaf()) return;
  std::vector<int> sorted = block;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, MergedItems(tree, node)) << "node " << node;
  if (!v.expanded) return;
  EXPECT_EQ(v.count, tree.Node(v.left).count + tree.Node(v.right).count);
  EXPECT_EQ(tree.Node(v.left).parent, node);
  EXPECT_EQ(tree.Node(v.right).parent, node);
  CheckNode(tree, v.left);
  CheckNode(tree, v.right);
}

}  // namespace

void ExpectConsistent(const CTree& tree) {
  ASSERT_TRUE(tree.hasTree);
  std::vector<int> sorted = tree.order;
  std::sort(sorted.begin(), sorted.end());
  for (int k = 0; k < tree.count; ++k)
    ASSERT_EQ(sorted[k], k) << "order is not a permutation";
  EXPECT_EQ(LeafSequence(tree, tree.root), tree.order);
  EXPECT_EQ(tree.Node(tree.root).first, 0);
  CheckNode(tree, tree.root);
}
