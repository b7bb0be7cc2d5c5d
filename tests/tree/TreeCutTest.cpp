// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "TreeFixture.h"
#include "tree/Aggregation.h"
#include "tree/ClusterColors.h"
#include "tree/ClusterMarks.h"
#include "tree/TreeCut.h"
#include "tree/TreeFlip.h"

namespace {

std::vector<int> ClustersOf(const CTree& tree, int k) {
  return CutTree(tree, CTreeCutRequest{k, std::nullopt}).clusterOfItem;
}

std::vector<int> ClustersAt(const CTree& tree, double height) {
  return CutTree(tree, CTreeCutRequest{0, height}).clusterOfItem;
}

// The partition left by undoing the k − 1 highest merges of the whole merge list (later merge
// first on equal heights), by joining the items of every merge kept: the plain definition the
// walk from the root must agree with on monotone trees.
std::vector<int> ReferencePartition(const CTree& tree, int k) {
  const int n = tree.count;
  std::vector<int> merges(static_cast<size_t>(n - 1));
  std::iota(merges.begin(), merges.end(), n);
  std::sort(merges.begin(), merges.end(), [&](int a, int b) {
    const double ha = tree.Node(a).height, hb = tree.Node(b).height;
    return ha != hb ? ha > hb : a > b;
  });
  std::vector<int> parent(static_cast<size_t>(2 * n - 1));
  std::iota(parent.begin(), parent.end(), 0);
  const auto find = [&](int x) {
    while (parent[static_cast<size_t>(x)] != x)
      x = parent[static_cast<size_t>(x)] =
          parent[static_cast<size_t>(parent[static_cast<size_t>(x)])];
    return x;
  };
  const std::set<int> undone(merges.begin(), merges.begin() + (k - 1));
  for (int v = n; v < 2 * n - 1; ++v) {
    if (undone.count(v)) continue;
    parent[static_cast<size_t>(find(tree.Node(v).left))] = v;
    parent[static_cast<size_t>(find(tree.Node(v).right))] = v;
  }
  std::vector<int> partition(static_cast<size_t>(n));
  for (int item = 0; item < n; ++item)
    partition[static_cast<size_t>(item)] = find(item);
  return ClustersInDisplayOrder(tree, partition);
}

}  // namespace

// The tree of TwoTriples: ((0, 1)@1, 2)@3 and ((3, 4)@2, 5)@4 under the root @10.
TEST(TreeCut, KClustersUndoTheHighestMergesAndNumberTheClustersInDisplayOrder) {
  CSide side(TwoTriples());
  const CTree& tree = side.tree;
  EXPECT_EQ(CutUnitCount(tree), 6);
  const CTreeCut two = CutTree(tree, {2, std::nullopt});
  EXPECT_EQ(two.clusterCount, 2);
  EXPECT_EQ(two.clusterOfItem, (std::vector<int>{1, 1, 1, 2, 2, 2}));
  ASSERT_TRUE(two.lineHeight.has_value());
  EXPECT_DOUBLE_EQ(*two.lineHeight, 7.0) << "halfway between the kept 4 and the undone 10";
  EXPECT_EQ(ClustersOf(tree, 3), (std::vector<int>{1, 1, 1, 2, 2, 3}));
  EXPECT_EQ(ClustersOf(tree, 4), (std::vector<int>{1, 1, 2, 3, 3, 4}));
  EXPECT_EQ(ClustersOf(tree, 6), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(TreeCut, OneClusterTooManyClustersAndNoTree) {
  CSide side(TwoTriples());
  for (int k : {1, 0, -3}) {
    const CTreeCut cut = CutTree(side.tree, {k, std::nullopt});
    EXPECT_EQ(cut.clusterCount, 1) << k;
    EXPECT_EQ(cut.clusterOfItem, std::vector<int>(6, 1));
    EXPECT_FALSE(cut.lineHeight.has_value()) << "nothing undone, no line";
  }
  const CTreeCut many = CutTree(side.tree, {50, std::nullopt});
  EXPECT_EQ(many.clusterCount, 6) << "no more clusters than leaves";
  ASSERT_TRUE(many.lineHeight.has_value());
  EXPECT_DOUBLE_EQ(*many.lineHeight, 0.5) << "between the leaves and the lowest merge";

  CSide plain(TwoTriples(), -1);
  EXPECT_EQ(CutUnitCount(plain.tree), 0);
  EXPECT_EQ(CutTree(plain.tree, {3, std::nullopt}).clusterCount, 0);
}

TEST(TreeCut, AHeightUndoesTheMergesStrictlyAboveIt) {
  CSide side(TwoTriples());
  EXPECT_EQ(ClustersAt(side.tree, 3.5), ClustersOf(side.tree, 3));
  EXPECT_EQ(ClustersAt(side.tree, 3.0), ClustersOf(side.tree, 3)) << "the merge at 3 stays";
  EXPECT_EQ(ClustersAt(side.tree, 0.0), ClustersOf(side.tree, 6));
  const CTreeCut cut = CutTree(side.tree, {0, 3.5});
  ASSERT_TRUE(cut.lineHeight.has_value());
  EXPECT_DOUBLE_EQ(*cut.lineHeight, 3.5);
  EXPECT_EQ(ClustersAt(side.tree, 10.0), std::vector<int>(6, 1));
  EXPECT_EQ(ClustersAt(side.tree, std::numeric_limits<double>::quiet_NaN()),
            std::vector<int>(6, 1));
}

TEST(TreeCut, EqualHeightsUndoTheLaterMergeFirst) {
  // Two pairs merged at the same height: (0, 1) is node 4, (2, 3) node 5, the root at 5.
  FullMatrix d(4, std::vector<double>(4, 5.0));
  for (int i = 0; i < 4; ++i)
    d[i][i] = 0;
  d[0][1] = d[1][0] = 1;
  d[2][3] = d[3][2] = 1;
  CSide side(d);
  ASSERT_EQ(side.tree.Node(4).left, 0);
  ASSERT_EQ(side.tree.Node(5).left, 2);
  EXPECT_EQ(ClustersOf(side.tree, 3), (std::vector<int>{1, 1, 2, 3}));
}

TEST(TreeCut, NumbersFollowTheDisplayOrderAfterAFlip) {
  CSide side(TwoTriples());
  ASSERT_TRUE(FlipSelection(side.tree));
  EXPECT_EQ(ClustersOf(side.tree, 2), (std::vector<int>{2, 2, 2, 1, 1, 1}));
  // The same partition renumbered.
  EXPECT_EQ(ClustersInDisplayOrder(side.tree, {7, 7, 7, 4, 4, 4}),
            (std::vector<int>{2, 2, 2, 1, 1, 1}));
}

TEST(TreeCut, AnAggregatedGroupStaysWhole) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 8);
  ASSERT_TRUE(Aggregate(tree));
  EXPECT_EQ(CutUnitCount(tree), 4);
  EXPECT_EQ(ClustersOf(tree, 6), (std::vector<int>{1, 1, 1, 2, 3, 4}));
  EXPECT_EQ(ClustersAt(tree, 0.0), (std::vector<int>{1, 1, 1, 2, 3, 4}));
  const CTreeCut cut = CutTree(tree, {4, std::nullopt});
  ASSERT_TRUE(cut.lineHeight.has_value());
  // The group (at 3) is kept while the merge at 2 is undone: the line goes halfway.
  EXPECT_DOUBLE_EQ(*cut.lineHeight, 2.5);
}

TEST(TreeCut, AgreesWithUndoingTheHighestMergesOfTheMergeList) {
  for (int linkage : {0, 1, 2, 3, 4}) {
    for (std::uint32_t seed : {1u, 2u}) {
      CSide side(seed == 1 ? RandomEuclidean(40, 3, seed) : RandomIntegers(40, 4, seed), linkage);
      for (int k : {2, 3, 5, 9, 17, 40}) {
        EXPECT_EQ(ClustersOf(side.tree, k), ReferencePartition(side.tree, k))
            << "linkage " << linkage << " seed " << seed << " k " << k;
      }
    }
  }
}

TEST(TreeCut, ApplyingACutReplacesTheMarksAndANewClusteringForgetsIt) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  tree.selectionStart = 0;
  tree.selectionLength = 1;
  Mark(tree, Rgb(1, 2, 3));
  ASSERT_TRUE(tree.marksShown);
  const CTreeCut cut = CutTree(tree, {3, std::nullopt});
  EXPECT_FALSE(ApplyCut(tree, cut)) << "the strip was shown already";
  EXPECT_TRUE(HasCut(tree));
  const std::vector<ColorRef> colors = ClusterColors(3);
  for (int item = 0; item < 6; ++item) {
    EXPECT_EQ(static_cast<ColorRef>(tree.marks[static_cast<size_t>(item)]),
              colors[static_cast<size_t>(cut.clusterOfItem[static_cast<size_t>(item)] - 1)]);
  }
  EXPECT_EQ(tree.cutHeight, cut.lineHeight);
  ClusterTree(tree, ELinkage::kAverage);
  EXPECT_FALSE(HasCut(tree));
  EXPECT_FALSE(tree.cutHeight.has_value());
  EXPECT_NE(tree.marks[0], 0) << "marks belong to the items and stay";

  CSide fresh(TwoTriples());
  EXPECT_TRUE(ApplyCut(fresh.tree, CutTree(fresh.tree, {2, std::nullopt}))) << "the strip appears";
  EXPECT_FALSE(ApplyCut(fresh.tree, CTreeCut{})) << "an empty cut changes nothing";
}

TEST(ClusterColors, DistinctNeverBlackAndStableAsTheCountGrows) {
  const std::vector<ColorRef> many = ClusterColors(2000);
  ASSERT_EQ(many.size(), 2000u);
  EXPECT_EQ(std::set<ColorRef>(many.begin(), many.end()).size(), many.size());
  EXPECT_EQ(std::count(many.begin(), many.end(), ColorRef{0}), 0);
  const std::vector<ColorRef> few = ClusterColors(8);
  EXPECT_TRUE(std::equal(few.begin(), few.end(), many.begin()));
  EXPECT_EQ(few[0], Rgb(0xE6, 0x9F, 0x00)) << "orange first";
  EXPECT_TRUE(ClusterColors(0).empty());
  for (ColorRef color : many)
    EXPECT_EQ(color & ~0xFFFFFFu, 0u);
}
