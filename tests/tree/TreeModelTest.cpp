// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "TreeFixture.h"
#include "tree/AgglomerativeClustering.h"
#include "tree/Aggregation.h"
#include "tree/NewickWriter.h"
#include "tree/TreeFlip.h"

namespace {

void AggregateNode(CTree& tree, int node) {
  SelectNode(tree, node);
  ASSERT_TRUE(Aggregate(tree));
}

}  // namespace

TEST(TreeModel, TwoTriplesFixtureHasTheExpectedShape) {
  CSide side(TwoTriples());
  const CTree& tree = side.tree;
  EXPECT_EQ(tree.root, 10);
  EXPECT_EQ(tree.Node(8).left, 6);
  EXPECT_EQ(tree.Node(8).right, 2);
  EXPECT_EQ(tree.Node(9).left, 7);
  EXPECT_EQ(tree.Node(9).right, 5);
  EXPECT_EQ(tree.order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(TreeModel, CombineMarkRules) {
  EXPECT_EQ(CombineMark(-3, 5), 5);
  EXPECT_EQ(CombineMark(5, -3), 5);
  EXPECT_EQ(CombineMark(5, 5), 5);
  EXPECT_EQ(CombineMark(5, 6), -2);
  EXPECT_EQ(CombineMark(-1, 5), -1);
  EXPECT_EQ(CombineMark(5, -1), -1);
  EXPECT_EQ(CombineMark(-3, -3), -3);
  EXPECT_EQ(CombineMark(-2, 5), -2);
}

TEST(TreeModel, ProvenanceMarksCombineBottomUp) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  EXPECT_FALSE(tree.HasMethodMark());
  AggregateNode(tree, 8);
  tree.SetMarks(tree.root, 2, 1);
  EXPECT_EQ(tree.Node(8).methodMark, 2);  // the group's items were ordered by method 2
  EXPECT_EQ(tree.Node(9).methodMark, -3);
  EXPECT_EQ(tree.CombineMarks(tree.root), (CMarkPair{2, 1}));
  EXPECT_TRUE(tree.HasMethodMark());

  tree.ResetMarks(9);
  EXPECT_EQ(tree.CombineMarks(tree.root), (CMarkPair{2, -1}));
  EXPECT_TRUE(tree.HasMethodMark());

  tree.ResetMarks(8);  // a group forgets its method but keeps its criterion
  EXPECT_EQ(tree.Node(8).methodMark, -1);
  EXPECT_EQ(tree.Node(8).criterionMark, 1);
  EXPECT_EQ(tree.CombineMarks(tree.root).method, -1);
  EXPECT_FALSE(tree.HasMethodMark());

  tree.hasTree = false;
  tree.orderMethodMark = 4;
  EXPECT_TRUE(tree.HasMethodMark());
  tree.ResetMarks(tree.root);
  EXPECT_EQ(tree.orderMethodMark, -1);
}

TEST(TreeModel, MarkItemGroupActsOnTheGroupAtTheSelectionStart) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  AggregateNode(tree, 8);
  tree.selectionStart = 1;
  tree.MarkItemGroup(7);
  EXPECT_EQ(tree.Node(8).methodMark, 7);
  tree.selectionStart = 4;  // a shown leaf: no group
  tree.MarkItemGroup(5);
  EXPECT_EQ(tree.Node(8).methodMark, 7);
  EXPECT_EQ(tree.Node(9).methodMark, -3);
}

TEST(TreeModel, CopyIsIndependentOfItsSource) {
  CSide side(TwoTriples());
  CTree& source = side.tree;
  AggregateNode(source, 6);
  SelectNode(source, 9);
  CTree copy = source;
  EXPECT_EQ(copy.selectedNode, 9);
  EXPECT_EQ(copy.root, 10);
  EXPECT_EQ(copy.Node(6).items, (std::vector<int>{0, 1}));

  AggregateNode(copy, 9);
  copy.Node(6).items[0] = 99;
  EXPECT_TRUE(source.Node(9).expanded);
  EXPECT_TRUE(source.Node(9).items.empty());
  EXPECT_EQ(source.Node(6).items, (std::vector<int>{0, 1}));

  CTree assigned;
  assigned = source;
  assigned.order[0] = 5;
  EXPECT_EQ(source.order[0], 0);
  EXPECT_EQ(assigned.selectedNode, 9);
}

TEST(TreeModel, RangeSelectionsSnapToSubtreesAndGroups) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  EXPECT_EQ(tree.SmallestEnclosing(0, 1), 0);
  EXPECT_EQ(tree.SmallestEnclosing(0, 2), 6);
  EXPECT_EQ(tree.SmallestEnclosing(0, 3), 8);
  EXPECT_EQ(tree.SmallestEnclosing(3, 6), 9);
  EXPECT_EQ(tree.SmallestEnclosing(1, 6), 10);

  AggregateNode(tree, 8);
  EXPECT_EQ(tree.Node(1).parent, 8);  // below a group every node hangs on the group
  EXPECT_EQ(tree.TopAggregated(tree.SmallestEnclosing(1, 2)), 8);
  EXPECT_EQ(tree.TopAggregated(6), 8);
  EXPECT_EQ(tree.TopAggregated(8), 8);
}

TEST(TreeModel, HighlightCoversExpandedNodesAndSelectedGroups) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  AggregateNode(tree, 8);
  tree.selectionLength = 3;
  tree.SetHighlight(tree.root, true);
  EXPECT_TRUE(tree.Node(10).highlighted);
  EXPECT_TRUE(tree.Node(9).highlighted);
  EXPECT_TRUE(tree.Node(8).highlighted);   // group under an expanded parent, fully selected
  EXPECT_FALSE(tree.Node(6).highlighted);  // inside the group
  tree.selectionLength = 2;
  tree.SetHighlight(tree.root, true);
  EXPECT_FALSE(tree.Node(8).highlighted);
  tree.SetHighlight(tree.root, false);
  for (const CNode& node : tree.nodes)
    EXPECT_FALSE(node.highlighted);
}

TEST(TreeModel, RebuildFollowsChildExchanges) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  std::swap(tree.Node(9).left, tree.Node(9).right);
  std::swap(tree.Node(6).left, tree.Node(6).right);
  tree.RebuildOrder(tree.root);
  EXPECT_EQ(tree.order, (std::vector<int>{1, 0, 2, 5, 3, 4}));
  EXPECT_EQ(tree.Node(7).first, 4);
  std::vector<int> items;
  tree.CollectItems(9, items);
  EXPECT_EQ(items, (std::vector<int>{5, 3, 4}));
  ExpectConsistent(tree);
}

// A chain as long as single linkage makes on points of a line: every walk must do without
// recursion.
TEST(TreeModel, DeepChainsNeedNoRecursion) {
  const int n = 150000;
  std::vector<std::string> labels(n, "x");
  CTree tree;
  tree.Initialize(n, nullptr, &labels, {});
  tree.nodes.resize(2 * n - 1);
  for (int k = 0; k < 2 * n - 1; ++k) {
    CNode& node = tree.Node(k);
    node.index = k;
    node.expanded = true;
    node.count = 1;
    node.left = k;
    node.right = -1;
    if (k >= n) {
      node.left = k == n ? 0 : k - 1;
      node.right = k - n + 1;
      node.height = k - n + 1;
    }
  }
  tree.root = tree.selectedNode = 2 * n - 2;
  tree.hasTree = true;
  std::reverse(tree.order.begin(), tree.order.end());
  tree.RebuildOrder(tree.root);
  EXPECT_EQ(tree.order[0], 0);
  EXPECT_EQ(tree.order[n - 1], n - 1);
  EXPECT_EQ(tree.Node(tree.root).count, n);
  tree.SetHighlight(tree.root, true);
  tree.MarkComplete(tree.root);
  tree.CombineMarks(tree.root);
  FlipSelection(tree);
  EXPECT_EQ(tree.order[0], n - 1);
  const auto text = NewickText(tree, nullptr);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(std::count(text->begin(), text->end(), 'x'), n);
  EXPECT_EQ(text->substr(0, 4), "(x:1");  // the flip put the last leaf first
}

TEST(TreeModel, LoadingATableStartsThePlainOrderAgain) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 8);
  tree.userSelection = true;
  tree.marksShown = true;
  tree.marks[1] = 5;
  FlipSelection(tree);
  tree.Initialize(6, &side.distance, &side.labels, {});
  EXPECT_FALSE(tree.hasTree);
  EXPECT_FALSE(tree.userSelection);
  EXPECT_FALSE(tree.marksShown);
  EXPECT_EQ(tree.selectedNode, kNoNode);
  EXPECT_EQ(tree.order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(tree.marks[1], 0);
  // A flip now works on the plain order, not on the old nodes.
  tree.selectionStart = 0;
  tree.selectionLength = 3;
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.order, (std::vector<int>{2, 1, 0, 3, 4, 5}));
}
