// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/DendrogramDrawing.h"
#include "render/Report.h"
#include "render/TitleFrame.h"
#include "tree/TreeCut.h"

namespace {

// Four leaves: 4 = (0, 1) at 1, 5 = (2, 3) at 2 and the root 6 = (4, 5) at 2, drawn as a rows
// tree in a zone 100 deep with cells of 12: depths 100 (height 0), 50 (1) and 0 (2).
struct FourLeaves {
  FourLeaves() : fixture(4, 1) {
    CPictureFixture::BuildTree(fixture.rowTree, {{0, 1, 1}, {2, 3, 2}, {4, 5, 2}});
  }
  CTree& Tree() { return fixture.rowTree; }
  CPictureFixture fixture;
  const CRect zone{0, 0, 100, 48};
  const CPen treePen{Rgb(0, 0, 0), 1, CPenStyle::kSolid};
  const CPen highlightPen{Rgb(255, 0, 0), 2, CPenStyle::kSolid};
};

}  // namespace

TEST(DendrogramDrawing, RootOnTheOuterEdgeLeavesOnTheMatrixEdge) {
  FourLeaves tree;
  const CDendrogramGeometry laid = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  const auto& n4 = laid.drawPoints[4];
  EXPECT_EQ(n4[0], (CPoint{100, 18}));  // leaf 1 at along 12, shifted by half a cell
  EXPECT_EQ(n4[1], (CPoint{50, 18}));
  EXPECT_EQ(n4[2], (CPoint{50, 6}));
  EXPECT_EQ(n4[3], (CPoint{100, 6}));
  const auto& root = laid.drawPoints[6];
  EXPECT_EQ(root[1].x, 0);
  EXPECT_EQ(root[2].x, 0);
}

TEST(DendrogramDrawing, EqualMergesOnTheRightFormOneBar) {
  FourLeaves tree;
  const CDendrogramGeometry laid = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  const auto& root = laid.drawPoints[6];
  const auto& right = laid.drawPoints[5];
  // The root's bar runs from its left child's middle (12) on to node 5's right end (42).
  EXPECT_EQ(root[2], (CPoint{0, 12}));
  EXPECT_EQ(root[1], (CPoint{0, 42}));
  EXPECT_EQ(right[1], (CPoint{0, 42}));
  EXPECT_EQ(right[2], (CPoint{0, 30}));
  // Columns grow downwards: depth on y, leaves along x.
  EXPECT_EQ(LayoutDendrogram(tree.Tree(), CRect{10, 20, 58, 120}, 12, false).drawPoints[4][3],
            (CPoint{16, 120}));
}

TEST(DendrogramDrawing, BranchesAreDrawnAndHitTested) {
  FourLeaves tree;
  tree.Tree().Node(5).highlighted = true;
  CDendrogramGeometry laid = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  CRecordingDevice device;
  DrawDendrogram(device, tree.Tree(), laid, true, tree.treePen, tree.highlightPen);
  int lines = 0;
  int highlighted = 0;
  for (const auto& call : device.calls) {
    lines += call.rfind("DrawLine", 0) == 0;
    highlighted += call == "SelectPen 0000FF";
  }
  EXPECT_EQ(lines, 9);
  EXPECT_EQ(highlighted, 1);
  // Node 4's branch from the root's bar (x 0) to its own depth (50) at y 12.
  EXPECT_EQ(laid.hitRects[4], (CRect{-5, 9, 55, 15}));
  EXPECT_EQ(laid.HitTest(tree.Tree(), 6, CPoint{25, 12}), 4);
  EXPECT_EQ(laid.HitTest(tree.Tree(), 6, CPoint{75, 6}), kNoNode);  // leaf branches are not hit
}

TEST(DendrogramDrawing, AggregatedNodeIsOneBracket) {
  FourLeaves tree;
  tree.Tree().Node(4).expanded = false;
  CDendrogramGeometry laid = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  CRecordingDevice device;
  DrawDendrogram(device, tree.Tree(), laid, true, tree.treePen, tree.highlightPen);
  EXPECT_EQ(laid.drawPoints[4][0], (CPoint{100, 18}));
  EXPECT_EQ(laid.drawPoints[4][3], (CPoint{100, 6}));
  int lines = 0;
  for (const auto& call : device.calls)
    lines += call.rfind("DrawLine", 0) == 0;
  EXPECT_EQ(lines, 9);
  EXPECT_TRUE(laid.hitRects[0].IsEmpty());  // nothing below the bracket is hit
}

TEST(DendrogramDrawing, ACutIsADashedLineAcrossTheZoneAtItsHeight) {
  FourLeaves tree;
  CDendrogramGeometry plain = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  EXPECT_FALSE(plain.cutLine.has_value());
  // Three clusters undo the merges at 2: the line halfway down to the kept merge at 1.
  ApplyCut(tree.Tree(), CutTree(tree.Tree(), {3, std::nullopt}));
  CDendrogramGeometry laid = LayoutDendrogram(tree.Tree(), tree.zone, 12, true);
  ASSERT_TRUE(laid.cutLine.has_value());
  EXPECT_EQ(laid.cutLine->first, (CPoint{25, 0}));
  EXPECT_EQ(laid.cutLine->second, (CPoint{25, 48}));
  CRecordingDevice device;
  DrawDendrogram(device, tree.Tree(), laid, true, tree.treePen, tree.highlightPen);
  const auto line = std::find(device.calls.begin(), device.calls.end(), "DrawLine 25 0 25 48");
  ASSERT_NE(line, device.calls.end());
  EXPECT_EQ(*(line - 1), "SelectPen 0000FF");
  EXPECT_EQ(device.calls.back(), "SelectPen 000000") << "the tree pen again";
  // Columns: across x at the same depth; a height below the leaves stays inside the zone.
  const CRect columns{10, 20, 58, 120};
  EXPECT_EQ(LayoutDendrogram(tree.Tree(), columns, 12, false).cutLine->first, (CPoint{10, 45}));
  ApplyCut(tree.Tree(), CutTree(tree.Tree(), {0, -5.0}));
  EXPECT_EQ(LayoutDendrogram(tree.Tree(), columns, 12, false).cutLine->second, (CPoint{58, 120}));
}

TEST(DendrogramDrawing, HitTestSearchesPreOrderThroughExpandedNodes) {
  // Six leaves: 6 = (0, 1), 7 = (3, 4), 8 = (6, 2), 9 = (7, 5) and the root 10 = (8, 9).
  CPictureFixture fixture(6, 1);
  CTree& tree = fixture.rowTree;
  CPictureFixture::BuildTree(tree, {{0, 1, 1}, {3, 4, 2}, {6, 2, 3}, {7, 5, 4}, {8, 9, 10}});
  CDendrogramGeometry geometry = LayoutDendrogram(tree, CRect{0, 0, 100, 72}, 12, true);
  const CRect everywhere{0, 0, 100, 100};
  const CPoint point{10, 10};
  geometry.hitRects.assign(tree.nodes.size(), CRect{});
  geometry.hitRects[0] = everywhere;  // leaves are never hit
  EXPECT_EQ(geometry.HitTest(tree, tree.root, point), kNoNode);
  geometry.hitRects[6] = everywhere;
  geometry.hitRects[9] = everywhere;
  EXPECT_EQ(geometry.HitTest(tree, tree.root, point), 6);  // left subtree before right
  geometry.hitRects[8] = everywhere;
  EXPECT_EQ(geometry.HitTest(tree, tree.root, point), 8);  // a node before its children
  EXPECT_EQ(geometry.HitTest(tree, tree.root, CPoint{100, 10}), kNoNode);  // right edge outside

  geometry.hitRects[8] = {};
  tree.Node(8).expanded = false;  // nothing below a group is hit
  EXPECT_EQ(geometry.HitTest(tree, tree.root, point), 9);
  // A geometry of another tree hits nothing.
  EXPECT_EQ(CDendrogramGeometry{}.HitTest(tree, tree.root, point), kNoNode);
}

TEST(TitleFrame, SecondColumnAndLineSteps) {
  CReport report;
  report.rows = {"Rows :", "- a", "- b"};
  report.columns = {"Columns :"};  // heading alone: not written
  report.dissimilarity = {"Dissimilarity :", "- Euclidean distance"};
  CRecordingDevice device;  // measures 12 like the PostScript device: f = 32
  CPoint position{10, 20};
  DrawTitleFrame(device, report, CFont{"Times-Roman", 14}, position);
  ASSERT_EQ(device.calls.size(), 6u);
  EXPECT_EQ(device.calls[1], "TextOut 10 20 Rows :");
  EXPECT_EQ(device.calls[2], "TextOut 42 20 - a indent");
  EXPECT_EQ(device.calls[3], "TextOut 42 38 - b indent");
  EXPECT_EQ(device.calls[4], "TextOut 10 56 Dissimilarity :");
  EXPECT_EQ(device.calls[5], "TextOut 42 56 - Euclidean distance indent");
  EXPECT_EQ(position, (CPoint{10, 74}));

  // The layout measures with the measurer: the rows block 1.1 times as wide.
  CFixedMeasurer measurer;
  CPoint start{10, 20};
  const CRect frame = LayoutTitleFrame(report, measurer, CFont{"Times-Roman", 14}, start);
  const int f = 9 * 6 + 20;
  EXPECT_EQ(DissimilarityColumn(f, 15 * 6), 15 * 6 + 8) << "the line clears its heading";
  EXPECT_EQ(DissimilarityColumn(f, 12), f);
  EXPECT_EQ(frame.left, 10);
  EXPECT_EQ(frame.right, 10 + 15 * 6 + 8 + 20 * 6);
  EXPECT_EQ(frame.bottom, 56 + 14);
}
