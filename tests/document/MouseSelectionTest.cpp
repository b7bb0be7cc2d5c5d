// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/MouseSelection.h"
#include "document/PictureInputOf.h"
#include "document/Pipeline.h"
#include "render/Device.h"
#include "render/HeatMapPicture.h"
#include "render/TextMeasurer.h"

namespace {

// Every character is 7 units wide and every font 14 high: the layout is the same on every
// machine.
class CFixedMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont&, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 7, 14};
  }
};

// A laid-out and drawn picture of a window (the drawing writes the nodes' hit rectangles).
struct CLaidOut {
  explicit CLaidOut(CViewModel& view) : picture(MakePictureInput(view)) {
    CFixedMeasurer measurer;
    picture.RecomputeLayout(measurer);
    CDevice device;
    picture.DrawPicture(device, false);
  }
  CPoint MatrixCell(int row, int column) const {
    const CRect matrix = picture.Zone(EPictureZone::kMatrix);
    return {matrix.left + picture.ColumnBounds().starts[static_cast<size_t>(column)] + 1,
            matrix.top + picture.RowBounds().starts[static_cast<size_t>(row)] + 1};
  }
  CHeatMapPicture picture;
};

}  // namespace

TEST(MouseSelection, ACellSelectsItsRowOrColumnAndAPressOutsideSelectsEverything) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(6, 4)));
  CViewModel& view = f.Current();
  CLaidOut laid(view);

  PressAt(view, laid.picture, laid.MatrixCell(3, 2));
  EXPECT_TRUE(view.rowTree.userSelection);
  EXPECT_EQ(view.rowTree.selectionStart, 3);
  EXPECT_EQ(view.rowTree.selectionLength, 1);
  EXPECT_FALSE(view.columnTree.userSelection);

  f.Doc().switches.rowsActive = false;
  PressAt(view, laid.picture, laid.MatrixCell(3, 2));
  EXPECT_FALSE(view.rowTree.userSelection) << "the other side loses its selection";
  EXPECT_EQ(view.rowTree.selectionLength, 6);
  EXPECT_TRUE(view.columnTree.userSelection);
  EXPECT_EQ(view.columnTree.selectionStart, 2);
  EXPECT_EQ(view.columnTree.selectionLength, 1);

  const CSize size = laid.picture.PictureSize();
  PressAt(view, laid.picture, CPoint{size.cx + 50, size.cy + 50});
  EXPECT_FALSE(view.columnTree.userSelection);
  EXPECT_EQ(view.columnTree.selectionStart, 0);
  EXPECT_EQ(view.columnTree.selectionLength, 4);
}

TEST(MouseSelection, DragExtendsTheBlockBothWaysAndStopsAtTheLastPosition) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(8, 3)));
  CViewModel& view = f.Current();
  CLaidOut laid(view);
  PressAt(view, laid.picture, laid.MatrixCell(4, 0));
  const int anchor = ActivePositionAt(view, laid.picture, laid.MatrixCell(4, 0));
  ASSERT_EQ(anchor, 4);

  EXPECT_TRUE(DragTo(view, laid.picture, anchor, laid.MatrixCell(6, 1)));
  EXPECT_EQ(view.rowTree.selectionStart, 4);
  EXPECT_EQ(view.rowTree.selectionLength, 3);
  EXPECT_FALSE(DragTo(view, laid.picture, anchor, laid.MatrixCell(6, 2))) << "same block";

  EXPECT_TRUE(DragTo(view, laid.picture, anchor, laid.MatrixCell(1, 0)));
  EXPECT_EQ(view.rowTree.selectionStart, 1);
  EXPECT_EQ(view.rowTree.selectionLength, 4);
}

TEST(MouseSelection, WithADendrogramABlockSnapsToItsSmallestSubtreeAndNodesAreHit) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open(NumericalTable(8, 3)));
  ClusterSide(f.Current(), true);
  CViewModel& view = f.Current();
  ASSERT_TRUE(view.rowTree.hasTree);
  CLaidOut laid(view);

  PressAt(view, laid.picture, laid.MatrixCell(0, 0));
  const int anchor = 0;
  DragTo(view, laid.picture, anchor, laid.MatrixCell(1, 0));
  const int node = view.rowTree.selectedNode;
  ASSERT_NE(node, kNoNode);
  const CNode& picked = view.rowTree.Node(node);
  EXPECT_EQ(view.rowTree.selectionStart, picked.first);
  EXPECT_EQ(view.rowTree.selectionLength, picked.count);
  EXPECT_GE(picked.count, 2);
  EXPECT_EQ(picked.first, 0);

  // A branch is hit inside its rectangle; the click makes the rows active.
  f.Doc().switches.rowsActive = false;
  CRect hit;
  const auto& rects = laid.picture.RowTreeGeometry().hitRects;
  for (const CNode& node : view.rowTree.nodes) {
    const CRect& rect = rects[static_cast<size_t>(node.index)];
    if (!node.IsLeaf() && rect.right > rect.left) hit = rect;
  }
  ASSERT_LT(hit.left, hit.right);
  PressAt(view, laid.picture, CPoint{(hit.left + hit.right) / 2, (hit.top + hit.bottom) / 2});
  EXPECT_TRUE(f.Doc().switches.rowsActive);
  EXPECT_TRUE(view.rowTree.userSelection);
  EXPECT_NE(view.rowTree.selectedNode, kNoNode);

  CHighlight highlighted;
  EXPECT_TRUE(HighlightAt(view, laid.picture,
                          CPoint{(hit.left + hit.right) / 2, (hit.top + hit.bottom) / 2},
                          highlighted));
  ASSERT_NE(highlighted.node, kNoNode);
  EXPECT_TRUE(view.rowTree.Node(highlighted.node).highlighted);
  EXPECT_TRUE(HighlightAt(view, laid.picture, laid.MatrixCell(0, 0), highlighted));
  EXPECT_EQ(highlighted.node, kNoNode);
}

TEST(MouseSelection, BrowseShowsTheValueUnderThePointerAndItsPosition) {
  CDocumentFixture f;
  ASSERT_TRUE(f.Open("T\ta\tb\nr1\t1.5\t2\nr2\t3\t-4\nr3\t5\t6\n"));
  CViewModel& view = f.Current();
  CLaidOut laid(view);
  const CBrowseText text = BrowseAt(view, laid.picture, laid.MatrixCell(1, 1));
  EXPECT_EQ(text.value, " x = -4");
  EXPECT_EQ(text.position, "- 2 / 2 -");
  EXPECT_TRUE(BrowseAt(view, laid.picture, CPoint{-5, -5}).value.empty());
}
