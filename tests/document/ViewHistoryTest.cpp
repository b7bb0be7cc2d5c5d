// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/Pipeline.h"
#include "document/ViewCommands.h"
#include "document/ViewHistory.h"

namespace {

// What undo must bring back of a side: its order, its tree's shape and aggregation, its marks,
// its selection and its objective values.
struct CSideSeen {
  std::vector<int> order;
  std::vector<int> marks;
  std::vector<bool> expanded;
  std::vector<int> lefts;
  bool hasTree;
  int selectionStart;
  int selectionLength;
  double r;
  double s;
  bool operator==(const CSideSeen&) const = default;
};

CSideSeen Seen(const CTree& side) {
  CSideSeen seen{side.order,
                 side.marks,
                 {},
                 {},
                 side.hasTree,
                 side.selectionStart,
                 side.selectionLength,
                 side.objectiveR,
                 side.objectiveS};
  for (const CNode& node : side.nodes) {
    seen.expanded.push_back(node.expanded);
    seen.lefts.push_back(node.left);
  }
  return seen;
}

// A window whose rows carry a Ward dendrogram, with the subtree of the root's left child
// selected (several leaves, not all).
CViewModel& ClusteredWithSubtreeSelected(CDocumentFixture& f) {
  EXPECT_TRUE(f.Open(NumericalTable(8, 4)));
  f.Doc().settings.AgregationCriterion = ELinkage::kWard;
  ClusterSide(f.Current(), true);
  CViewModel& view = f.Current();
  CTree& rows = view.rowTree;
  int node = rows.Node(rows.root).left;
  if (rows.Node(node).count < 2) node = rows.Node(rows.root).right;
  rows.selectedNode = node;
  rows.selectionStart = rows.Node(node).first;
  rows.selectionLength = rows.Node(node).count;
  rows.userSelection = true;
  return view;
}

}  // namespace

TEST(ViewHistory, UndoAndRedoAfterFlipAggregateSortAndRandomise) {
  CDocumentFixture f;
  CViewModel& view = ClusteredWithSubtreeSelected(f);
  EXPECT_FALSE(CanUndo(view)) << "a new result window starts without history";
  std::vector<CSideSeen> states{Seen(view.rowTree)};

  ASSERT_TRUE(FlipSide(view, true));
  states.push_back(Seen(view.rowTree));
  ASSERT_TRUE(AggregateSide(view, true));
  states.push_back(Seen(view.rowTree));
  ASSERT_FALSE(view.rowTree.Node(view.rowTree.selectedNode).expanded);
  view.rowTree.selectedNode = view.rowTree.root;
  view.rowTree.selectionStart = 0;
  view.rowTree.selectionLength = view.rowTree.count;
  states.back() = Seen(view.rowTree);  // the selection the next command is given
  ASSERT_TRUE(SortSide(view, true, 1, 1, true));
  states.push_back(Seen(view.rowTree));
  ASSERT_TRUE(RandomiseSide(view, true, 7));
  states.push_back(Seen(view.rowTree));
  ASSERT_EQ(view.history.UndoCount(), 4u);

  for (size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(UndoView(view));
    EXPECT_EQ(Seen(view.rowTree), states[k - 1]) << "undo step " << k;
  }
  EXPECT_FALSE(UndoView(view));
  EXPECT_FALSE(CanUndo(view));
  for (size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(RedoView(view));
    EXPECT_EQ(Seen(view.rowTree), states[k]) << "redo step " << k;
  }
  EXPECT_FALSE(RedoView(view));
}

TEST(ViewHistory, ANewChangeForgetsTheRedoAndCommandsThatChangeNothingAreNotRecorded) {
  CDocumentFixture f;
  CViewModel& view = ClusteredWithSubtreeSelected(f);
  ASSERT_TRUE(FlipSide(view, true));
  ASSERT_TRUE(UndoView(view));
  ASSERT_TRUE(CanRedo(view));
  ASSERT_TRUE(SwapSide(view, true));
  EXPECT_FALSE(CanRedo(view));
  EXPECT_EQ(view.history.UndoCount(), 1u);

  view.rowTree.selectionLength = 1;
  EXPECT_FALSE(RandomiseSide(view, true, 3));
  EXPECT_EQ(view.history.UndoCount(), 1u);
}

TEST(ViewHistory, ClusteringAgainRemovesTheTreeInPlaceAndUndoBringsItBack) {
  CDocumentFixture f;
  CViewModel& view = ClusteredWithSubtreeSelected(f);
  const CSideSeen clustered = Seen(view.rowTree);
  const int selected = view.rowTree.selectedNode;
  const int windows = f.ViewCount();
  ClusterSide(view, true);
  ASSERT_EQ(f.ViewCount(), windows);
  ASSERT_FALSE(view.rowTree.hasTree);
  ASSERT_TRUE(UndoView(view));
  EXPECT_TRUE(view.rowTree.hasTree);
  EXPECT_EQ(Seen(view.rowTree), clustered);
  EXPECT_EQ(view.rowTree.selectedNode, selected);
  ASSERT_TRUE(RedoView(view));
  EXPECT_FALSE(view.rowTree.hasTree);
}

TEST(ViewHistory, MarksAndASeriationInPlaceAreUndone) {
  CDocumentFixture f;
  CViewModel& view = ClusteredWithSubtreeSelected(f);
  f.Doc().switches.rowsActive = true;
  const CSideSeen unmarked = Seen(view.rowTree);
  MarkSelection(view, Rgb(0, 0, 255));
  ASSERT_NE(Seen(view.rowTree).marks, unmarked.marks);
  ASSERT_TRUE(UndoView(view));
  EXPECT_EQ(Seen(view.rowTree), unmarked);

  // A user selection makes the seriation work in this window.
  const int windows = f.ViewCount();
  const CSideSeen before = Seen(view.rowTree);
  SeriateSide(view, true);
  ASSERT_EQ(f.ViewCount(), windows);
  ASSERT_FALSE(Seen(view.rowTree) == before) << "the tree seriation reordered the subtree";
  ASSERT_TRUE(UndoView(view));
  EXPECT_EQ(Seen(view.rowTree), before);
}

TEST(ViewHistory, UndoRestoresRAndSAndComputesAnRThatWasNotKnown) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(7, 3), {"-MaskObjectiveFunctions"}));
  CViewModel& view = f.Current();
  EXPECT_FALSE(view.rowTree.objectiveRKnown);
  const double s = view.rowTree.objectiveS;
  ASSERT_TRUE(FlipSide(view, true));
  view.rowTree.selectionStart = 2;
  view.rowTree.selectionLength = 3;
  ASSERT_TRUE(FlipSide(view, true));
  ASSERT_NE(view.rowTree.objectiveS, s);
  ToggleDisplaySwitch(f.Doc(), EDisplaySwitch::kObjectiveFunctions);
  const double rAfterFlips = view.rowTree.objectiveR;
  ASSERT_TRUE(UndoView(view));
  ASSERT_TRUE(UndoView(view));
  EXPECT_DOUBLE_EQ(view.rowTree.objectiveS, s);
  // R was hidden when the first state was recorded: it is computed for the order restored.
  EXPECT_TRUE(view.rowTree.objectiveRKnown);
  ASSERT_TRUE(RedoView(view));
  ASSERT_TRUE(RedoView(view));
  EXPECT_DOUBLE_EQ(view.rowTree.objectiveR, rAfterFlips);
}

TEST(ViewHistory, KeepsAtMostItsStepsAndItsMemoryButAlwaysTheLastStep) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3)));
  CViewModel& view = f.Current();
  CViewHistory steps(3);
  for (int k = 0; k < 5; ++k) {
    CViewState before = CViewHistory::Capture(view);
    std::swap(view.rowTree.order[0], view.rowTree.order[1 + k % 4]);
    EXPECT_TRUE(steps.Record(std::move(before), view));
  }
  EXPECT_EQ(steps.UndoCount(), 3u);

  CViewHistory tiny(100, 1);
  for (int k = 0; k < 3; ++k) {
    CViewState before = CViewHistory::Capture(view);
    std::swap(view.rowTree.order[0], view.rowTree.order[2]);
    tiny.Record(std::move(before), view);
  }
  EXPECT_EQ(tiny.UndoCount(), 1u);
  EXPECT_GT(tiny.Bytes(), 0u);
  const std::vector<int> now = view.rowTree.order;
  ASSERT_TRUE(tiny.Undo(view));
  EXPECT_NE(view.rowTree.order, now);
  ASSERT_TRUE(tiny.Redo(view));
  EXPECT_EQ(view.rowTree.order, now);
}

TEST(ViewHistory, AResultThatReplacesAnExistingWindowCanBeUndoneThere) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3)));
  f.Doc().settings.AgregationCriterion = ELinkage::kWard;
  // Beyond 18 windows no window is opened: the result goes to the current one.
  while (CViewModel::OpenCount() <= 18)
    f.Doc().CreateView();
  CViewModel& current = f.Current();
  const int windows = f.ViewCount();
  ASSERT_FALSE(current.rowTree.hasTree);
  ClusterSide(current, true);
  ASSERT_EQ(f.ViewCount(), windows);
  ASSERT_TRUE(current.rowTree.hasTree);
  ASSERT_TRUE(UndoView(current));
  EXPECT_FALSE(current.rowTree.hasTree);
}
