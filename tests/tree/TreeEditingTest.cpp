// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TreeFixture.h"
#include "tree/Aggregation.h"
#include "tree/ClusterMarks.h"
#include "tree/NewickWriter.h"
#include "tree/RandomFlips.h"
#include "tree/SortSubtree.h"
#include "tree/SwapPrimary.h"
#include "tree/TreeFlip.h"

namespace {

std::vector<int> Order(std::initializer_list<int> items) {
  return items;
}

void SelectBlock(CTree& tree, int start, int length) {
  tree.selectedNode = kNoNode;
  tree.selectionStart = start;
  tree.selectionLength = length;
}

}  // namespace

TEST(TreeFlip, RootFlipReversesTheOrderAndKeepsTheMarks) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  tree.SetMarks(tree.root, -3, 2);
  tree.CombineMarks(tree.root);
  const double s = tree.objectiveS;
  ASSERT_TRUE(FlipSelection(tree));
  RecomputeObjectives(tree);
  EXPECT_EQ(tree.order, Order({5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(tree.objectiveS, s);
  EXPECT_EQ(tree.Node(tree.root).criterionMark, 2);
  ExpectConsistent(tree);
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.order, Order({0, 1, 2, 3, 4, 5}));
}

TEST(TreeFlip, SubtreeFlipResetsTheSubtreesMarks) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  tree.SetMarks(tree.root, -3, 2);
  tree.CombineMarks(tree.root);
  SelectNode(tree, 8);
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.order, Order({2, 1, 0, 3, 4, 5}));
  EXPECT_EQ(tree.Node(8).criterionMark, -1);
  EXPECT_EQ(tree.Node(9).criterionMark, 2);
  EXPECT_EQ(tree.Node(tree.root).criterionMark, -1);
  ExpectConsistent(tree);
}

TEST(TreeFlip, SingleItemDoesNothing) {
  CSide side(TwoTriples());
  SelectNode(side.tree, 2);
  EXPECT_FALSE(FlipSelection(side.tree));
  EXPECT_EQ(side.tree.order, Order({0, 1, 2, 3, 4, 5}));
}

TEST(TreeFlip, GroupReversesInPlaceAndAnAncestorCollectsItReversed) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 6);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, 6);
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.order, Order({1, 0, 2, 3, 4, 5}));
  EXPECT_EQ(tree.Node(6).items, Order({1, 0}));
  SelectNode(tree, 8);
  ASSERT_TRUE(Aggregate(tree));
  EXPECT_EQ(tree.Node(8).items, Order({1, 0, 2}));
  ExpectConsistent(tree);
}

TEST(TreeFlip, PartOfAGroupReversesOnlyTheSelectedPart) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 9);
  ASSERT_TRUE(Aggregate(tree));
  tree.selectedNode = 9;
  tree.selectionStart = 4;
  tree.selectionLength = 2;
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.order, Order({0, 1, 2, 3, 5, 4}));
  EXPECT_EQ(tree.Node(9).items, Order({3, 5, 4}));
  ExpectConsistent(tree);
}

TEST(TreeFlip, PlainBlocksFlipOnlyWithoutTreeOrInsideAGroup) {
  CSide plain(TwoTriples(), -1);
  SelectBlock(plain.tree, 1, 3);
  plain.tree.orderMethodMark = 2;
  ASSERT_TRUE(FlipSelection(plain.tree));
  EXPECT_EQ(plain.tree.order, Order({0, 3, 2, 1, 4, 5}));
  EXPECT_EQ(plain.tree.orderMethodMark, -1);

  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 9);
  ASSERT_TRUE(Aggregate(tree));
  SelectBlock(tree, 3, 2);  // inside the group: the group's list follows
  ASSERT_TRUE(FlipSelection(tree));
  EXPECT_EQ(tree.Node(9).items, Order({4, 3, 5}));
  tree.RebuildOrder(tree.root);
  EXPECT_EQ(tree.order, Order({0, 1, 2, 4, 3, 5}));
  SelectBlock(tree, 1, 3);  // across subtrees: a rebuild would undo it, so it is refused
  EXPECT_FALSE(FlipSelection(tree));
  ExpectConsistent(tree);
}

TEST(SwapPrimary, ExchangesTheChildrenKeepingTheirOrientation) {
  CSide side({{0, 1, 10, 10}, {1, 0, 10, 10}, {10, 10, 0, 2}, {10, 10, 2, 0}});
  CTree& tree = side.tree;
  ASSERT_TRUE(SwapPrimary(tree));
  EXPECT_EQ(tree.order, Order({2, 3, 0, 1}));
  ExpectConsistent(tree);

  SelectNode(tree, 5);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, 5);
  EXPECT_FALSE(SwapPrimary(tree));  // a group has no primary subtrees
  tree.hasTree = false;
  SelectNode(tree, 6);
  EXPECT_FALSE(SwapPrimary(tree));
}

TEST(Aggregate, TwoLeavesKeepTheTreeCompleteThreeDoNot) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  const std::string before = *NewickText(tree, nullptr);
  SelectNode(tree, 6);
  ASSERT_TRUE(Aggregate(tree));
  for (const CNode& node : tree.nodes)
    EXPECT_TRUE(node.complete);
  SelectNode(tree, tree.root);
  EXPECT_EQ(*NewickText(tree, nullptr), before);

  SelectNode(tree, 9);
  ASSERT_TRUE(Aggregate(tree));
  EXPECT_FALSE(tree.Node(9).complete);
  EXPECT_FALSE(tree.Node(10).complete);
  EXPECT_TRUE(tree.Node(8).complete);
  EXPECT_EQ(tree.Node(7).height, 4.0);
  EXPECT_EQ(tree.Node(3).height, 4.0);
  EXPECT_EQ(tree.Node(3).parent, 9);
  EXPECT_FALSE(tree.Node(3).expanded);
  EXPECT_EQ(tree.order, Order({0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(tree.Node(10).count, 6);
  ExpectConsistent(tree);
}

TEST(Aggregate, RefusesLeavesGroupsAndTheWholeSide) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 3);
  EXPECT_FALSE(Aggregate(tree));
  SelectNode(tree, tree.root);
  EXPECT_FALSE(Aggregate(tree));
  SelectNode(tree, 8);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, 8);
  EXPECT_FALSE(Aggregate(tree));
}

TEST(Randomise, SingleItemChangesNothing) {
  CSide side(TwoTriples());
  SelectNode(side.tree, 4);
  EXPECT_FALSE(RandomiseSelection(side.tree, 12345));
  EXPECT_EQ(side.tree.order, Order({0, 1, 2, 3, 4, 5}));
}

TEST(Randomise, SameSeedSameResultAndTheTreeStaysConsistent) {
  CSide first(RandomEuclidean(30, 3, 8));
  CSide second(RandomEuclidean(30, 3, 8));
  SelectNode(first.tree, first.tree.root - 2);
  ASSERT_TRUE(Aggregate(first.tree));
  SelectNode(second.tree, second.tree.root - 2);
  ASSERT_TRUE(Aggregate(second.tree));
  const std::vector<int> start = first.tree.order;
  bool changed = false;
  for (std::int64_t seed = 1; seed <= 5; ++seed) {
    SelectNode(first.tree, first.tree.root);
    SelectNode(second.tree, second.tree.root);
    ASSERT_TRUE(RandomiseSelection(first.tree, seed));
    ASSERT_TRUE(RandomiseSelection(second.tree, seed));
    EXPECT_EQ(first.tree.order, second.tree.order);
    changed = changed || first.tree.order != start;
    ExpectConsistent(first.tree);
  }
  EXPECT_TRUE(changed);
}

TEST(Randomise, PlainBlockShufflesOnlyItsPositions) {
  CSide side(RandomEuclidean(40, 2, 3), -1);
  CTree& tree = side.tree;
  tree.orderMethodMark = 1;
  SelectBlock(tree, 10, 20);
  ASSERT_TRUE(RandomiseSelection(tree, 99));
  for (int p = 0; p < 40; ++p) {
    if (p < 10 || p >= 30) {
      EXPECT_EQ(tree.order[p], p);
    }
  }
  std::vector<int> block(tree.order.begin() + 10, tree.order.begin() + 30);
  EXPECT_NE(block, Order({10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                          20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
  std::sort(block.begin(), block.end());
  for (int p = 0; p < 20; ++p)
    EXPECT_EQ(block[p], p + 10);
  EXPECT_EQ(tree.orderMethodMark, -1);
}

TEST(Sort, PlainBlockAscendingIsStableDescendingReversesEqualKeys) {
  CSide side(RandomEuclidean(6, 2, 1), -1);
  CTree& tree = side.tree;
  const std::vector<double> keys{3, 1, 2, 1, 0, 2};
  SelectBlock(tree, 0, 6);
  ASSERT_TRUE(SortSelection(tree, keys, false));
  EXPECT_EQ(tree.order, Order({4, 1, 3, 2, 5, 0}));
  SelectBlock(tree, 0, 6);
  tree.order = Order({0, 1, 2, 3, 4, 5});
  ASSERT_TRUE(SortSelection(tree, keys, true));
  EXPECT_EQ(tree.order, Order({0, 5, 2, 3, 1, 4}));
  SelectBlock(tree, 2, 1);
  EXPECT_FALSE(SortSelection(tree, keys, false));
}

TEST(Sort, SubtreeMovesTheSmallerKeyLeftAndSortsGroups) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 9);
  ASSERT_TRUE(Aggregate(tree));
  // Node 8 averages 2, the group 9 averages 1: the group moves left and sorts its items.
  const std::vector<double> keys{2, 2, 2, 1.5, 0.5, 1};
  SelectNode(tree, tree.root);
  ASSERT_TRUE(SortSelection(tree, keys, false));
  EXPECT_EQ(tree.order, Order({4, 5, 3, 0, 1, 2}));
  EXPECT_DOUBLE_EQ(tree.Node(9).sortKey, 1.0);
  ExpectConsistent(tree);
  // Equal keys leave the children as they are; descending reverses everything.
  SelectNode(tree, tree.root);
  ASSERT_TRUE(SortSelection(tree, keys, true));
  EXPECT_EQ(tree.order, Order({2, 1, 0, 3, 5, 4}));
  ExpectConsistent(tree);
}

TEST(Sort, GroupKeysComeFromTheirOwnItemsAfterTheGroupMoved) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 8);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, tree.root);
  ASSERT_TRUE(SwapPrimary(tree));
  ASSERT_EQ(tree.order, Order({3, 4, 5, 0, 1, 2}));
  // The leaves of the group still record positions 0 … 2, which now hold items 3 … 5.
  const std::vector<double> keys{1, 1, 1, 5, 5, 5};
  SelectNode(tree, tree.root);
  ASSERT_TRUE(SortSelection(tree, keys, false));
  EXPECT_EQ(tree.order, Order({0, 1, 2, 3, 4, 5}));
  EXPECT_DOUBLE_EQ(tree.Node(8).sortKey, 1.0);
}

TEST(ClusterMarks, MarkUnmarkAndTheStrip) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, tree.root);
  EXPECT_FALSE(Mark(tree, Rgb(255, 0, 0)));  // the whole side
  EXPECT_FALSE(tree.marksShown);
  SelectNode(tree, 8);
  EXPECT_TRUE(Mark(tree, Rgb(255, 0, 0)));
  EXPECT_TRUE(tree.marksShown);
  SelectNode(tree, 7);
  EXPECT_FALSE(Mark(tree, Rgb(0, 0, 255)));  // the strip is already there
  EXPECT_EQ(tree.marks, Order({0xFF, 0xFF, 0xFF, 0xFF0000, 0xFF0000, 0}));
  SelectNode(tree, 8);
  EXPECT_FALSE(Unmark(tree));
  SelectNode(tree, 7);
  EXPECT_TRUE(Unmark(tree));
  EXPECT_FALSE(tree.marksShown);
  SelectNode(tree, 9);
  Mark(tree, 7);
  EXPECT_TRUE(UnmarkAll(tree));
  EXPECT_EQ(tree.marks, Order({0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(tree.marksShown);
}

// Random sequences of edits on random trees: after each, the order is the tree's leaf
// sequence, every subtree holds a contiguous block, and the marks stay with their items.
TEST(TreeEditing, RandomEditSequencesKeepOrderAndTreeInStep) {
  for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    const bool integers = seed % 2 == 0;
    const int n = 25;
    CSide side(integers ? RandomIntegers(n, 3, seed) : RandomEuclidean(n, 3, seed),
               static_cast<int>(seed % 5));
    CTree& tree = side.tree;
    std::mt19937 random(seed);
    for (int item = 0; item < n; ++item)
      tree.marks[item] = item % 3 == 0 ? item + 1 : 0;
    const std::vector<int> marks = tree.marks;
    std::vector<double> keys(n);
    for (double& key : keys)
      key = std::uniform_int_distribution<int>(0, 4)(random);
    for (int step = 0; step < 60; ++step) {
      const int node = std::uniform_int_distribution<int>(0, 2 * n - 2)(random);
      SelectNode(tree, node);
      switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
          FlipSelection(tree);
          break;
        case 1:
          SwapPrimary(tree);
          break;
        case 2:
          Aggregate(tree);
          break;
        case 3:
          RandomiseSelection(tree, step + 1);
          break;
        case 4:
          SortSelection(tree, keys, step % 2 == 0);
          break;
        default: {
          const int start = std::uniform_int_distribution<int>(0, n - 2)(random);
          SelectBlock(tree, start, std::uniform_int_distribution<int>(2, n - start)(random));
          FlipSelection(tree);
          tree.RebuildOrder(tree.root);
        }
      }
      ExpectConsistent(tree);
      if (HasFatalFailure() || HasNonfatalFailure()) return;
      EXPECT_EQ(tree.marks, marks);
    }
  }
}
