// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "base/Geometry.h"

class CDevice;
class CTree;
struct CPen;

// Where a side's dendrogram lies in one picture, by node index: the drawing points of each node
// (the ends of its right branch, its bar and its left branch) and the hit rectangle of the
// branch leading to each child of an expanded node (empty for the others). The tree itself
// keeps no trace of any picture.
struct CDendrogramGeometry {
  std::vector<std::array<CPoint, 4>> drawPoints;
  std::vector<CRect> hitRects;
  // The line across the zone at the height of the tree's cut into clusters, when it has one.
  std::optional<std::pair<CPoint, CPoint>> cutLine;

  // The first internal node in pre-order (node, left, right; through expanded nodes) whose hit
  // rectangle contains the point, or kNoNode.
  int HitTest(const CTree& tree, int node, CPoint point) const;
};

// Places a side's dendrogram in its zone: every node's drawing points, in picture units. The
// rows tree grows from the zone's left edge towards the matrix on its right, the columns tree
// from the zone's top edge down. Depth across the leaves is trunc(D·(1 − h/H)) for a height h
// (D the zone's depth, H the root's height): the root's bar on the outer edge, height 0 on the
// edge next to the matrix. Leaves follow each other every `cellSize` units along the zone,
// shifted by half a cell. When the right child merges at the node's own height, the bar runs
// on to that child's right end, so that equal merges form one bar. An aggregated node is a
// bracket over its leaves. A cut of the tree into clusters is a line across the zone at the
// cut's height (kept inside the zone). Cost: linear in the number of shown nodes.
CDendrogramGeometry LayoutDendrogram(const CTree& tree, const CRect& zone, int cellSize,
                                     bool rowSide);

// Draws the dendrogram laid out by LayoutDendrogram: for each expanded internal node, its right
// branch, bar and left branch with `treePen` (or `highlightPen` for a highlighted node); an
// aggregated node is drawn as its bracket and nothing below it. Writes the hit rectangle of
// each child of an expanded node: its branch extended by 5 units at both ends across the leaves
// and by 3 units on each side along them. The cut line is dashed, in the highlight colour.
void DrawDendrogram(CDevice& device, const CTree& tree, CDendrogramGeometry& geometry, bool rowSide,
                    const CPen& treePen, const CPen& highlightPen);
