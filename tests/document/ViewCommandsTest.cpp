// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"
#include "document/Pipeline.h"
#include "document/ViewCommands.h"

TEST(ViewCommands, FlipTwiceRestoresAndSetsTheUserSelection) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3)));
  ClusterSide(f.Current(), true);
  CViewModel& view = f.Current();
  const std::vector<int> before = view.rowTree.order;
  ASSERT_TRUE(FlipSide(view, true));
  EXPECT_EQ(view.rowTree.order, std::vector<int>(before.rbegin(), before.rend()));
  EXPECT_TRUE(view.rowTree.userSelection);
  ASSERT_TRUE(FlipSide(view, true));
  EXPECT_EQ(view.rowTree.order, before);
}

TEST(ViewCommands, EnableRulesOfTreeEditing) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3)));
  CViewModel& plain = f.Current();
  EXPECT_TRUE(CanFlip(plain.rowTree));
  EXPECT_FALSE(CanSwap(plain.rowTree));
  EXPECT_FALSE(CanAggregate(plain.rowTree));
  ClusterSide(plain, true);
  CViewModel& view = f.Current();
  EXPECT_TRUE(CanSwap(view.rowTree));
  EXPECT_FALSE(CanAggregate(view.rowTree));  // the whole side is selected
  view.rowTree.selectionLength = 1;
  EXPECT_FALSE(CanFlip(view.rowTree));
  EXPECT_FALSE(AggregateSide(view, true));
}

TEST(ViewCommands, SortByTheOtherSidesValues) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\tb\nr0\t3\t0\nr1\t1\t5\nr2\t2\t0\nr3\t1\t9\n"));
  CViewModel& view = f.Current();
  ASSERT_TRUE(SortSide(view, true, 0, 1, false));
  EXPECT_EQ(view.rowTree.order, (std::vector<int>{1, 3, 2, 0}));  // stable on equal keys
  ASSERT_TRUE(SortSide(view, true, 0, 1, true));
  EXPECT_EQ(view.rowTree.order, (std::vector<int>{0, 2, 3, 1}));  // equal keys reversed
  ASSERT_TRUE(SortSide(view, true, 0, 5, false));  // the key block is clamped to two columns
  EXPECT_EQ(view.rowTree.order, (std::vector<int>{2, 0, 1, 3}));
}

TEST(ViewCommands, RandomiseOfOneItemChangesNothing) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 3)));
  CViewModel& view = f.Current();
  view.rowTree.selectionStart = 2;
  view.rowTree.selectionLength = 1;
  EXPECT_FALSE(RandomiseSide(view, true, 42));
  EXPECT_EQ(view.rowTree.order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  view.rowTree.selectionLength = 4;
  EXPECT_TRUE(RandomiseSide(view, true, 42));
  EXPECT_EQ(view.rowTree.order[0], 0);
  EXPECT_EQ(view.rowTree.order[1], 1);
}

TEST(ViewCommands, LabelsOnlyWithAUserSelection) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\nalpha\t1\nbeta\t2\ngamma\t3\n"));
  CViewModel& view = f.Current();
  EXPECT_TRUE(SelectedLabels(view.rowTree).empty());
  view.rowTree.userSelection = true;
  const auto labels = SelectedLabels(view.rowTree);
  EXPECT_EQ(LabelListText(labels), "alpha\r\nbeta\r\ngamma\r\n");
}

TEST(ViewCommands, SavedItemsReadBackInTheSavedOrder) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("ID\ta\tb\tc\nr1\t1\t2\t3\nr2\t4\t5\t6\nr3\t7\t8\t9\n"));
  CViewModel& view = f.Current();
  view.rowTree.order = {2, 0, 1};
  view.columnTree.order = {1, 2, 0};
  const std::string path = (f.folder.Path() / "saved.txt").string();
  std::string error;
  ASSERT_TRUE(SaveSelectedItems(view, path, &error)) << error;
  auto back = CreateDataTable(EDataType::kNumerical);
  back->fileName = path;
  ASSERT_EQ(ReadTextTable(*back, CReadOptions{}, {}).code, 0);
  EXPECT_EQ(back->rowLabels, (std::vector<std::string>{"r3", "r1", "r2"}));
  EXPECT_EQ(back->columnLabels, (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(back->At(0, 0), 8.0);
  EXPECT_EQ(back->At(2, 2), 4.0);
}

TEST(ViewCommands, SwitchesZoomAndCellSizes) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(5, 3), {"-MaskObjectiveFunctions"}));
  CViewModel& view = f.Current();
  view.rowTree.objectiveR = 12.5;  // stale
  ToggleDisplaySwitch(f.Doc(), EDisplaySwitch::kObjectiveFunctions);
  EXPECT_NE(view.rowTree.objectiveR, 12.5);  // turning R on recomputes it everywhere
  EXPECT_TRUE(DisplaySwitchState(f.Doc(), EDisplaySwitch::kObjectiveFunctions));
  EXPECT_FALSE(DisplaySwitchState(f.Doc(), EDisplaySwitch::kMetrics));
  ToggleDisplaySwitch(f.Doc(), EDisplaySwitch::kMetrics);
  EXPECT_TRUE(f.Doc().switches.metrics);

  ZoomIn(view);
  EXPECT_DOUBLE_EQ(view.zoom, 1.01);
  view.zoom = 0.05;
  ZoomOut(view);
  EXPECT_DOUBLE_EQ(view.zoom, 0.05);
  ChoosePaletteItem(view, ParsePaletteItem("125%"));
  EXPECT_DOUBLE_EQ(view.zoom, 1.25);
  ToggleFitToWindow(view);
  ToggleFitToWindow(view);
  EXPECT_DOUBLE_EQ(view.zoom, 1.0);

  SetCellSize(f.Doc(), true, 48);
  EXPECT_EQ(f.Doc().display.hy, 48);
}
