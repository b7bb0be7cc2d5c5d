#pragma once

#include "base/Geometry.h"

class CDevice;
class CTree;
struct CPen;

// Places a side's dendrogram in its zone and writes every node's drawing points: the ends of
// its right branch, its bar and its left branch (drawPoints[0] to [3]), in picture units. The
// rows tree grows from the zone's left edge towards the matrix on its right, the columns tree
// from the zone's top edge down. Depth across the leaves is trunc(D·(1 − h/H)) for a height h
// (D the zone's depth, H the root's height): the root's bar on the outer edge, height 0 on the
// edge next to the matrix. Leaves follow each other every `cellSize` units along the zone,
// shifted by half a cell. When the right child merges at the node's own height, the bar runs
// on to that child's right end, so that equal merges form one bar. An aggregated node is a
// bracket over its leaves. Cost: linear in the number of shown nodes.
void LayoutDendrogram(CTree& tree, const CRect& zone, int cellSize, bool rowSide);

// Draws the dendrogram laid out by LayoutDendrogram: for each expanded internal node, its right
// branch, bar and left branch with `treePen` (or `highlightPen` for a highlighted node); an
// aggregated node is drawn as its bracket and nothing below it. Writes the hit rectangle of
// each child of an expanded node: its branch extended by 5 units at both ends across the leaves
// and by 3 units on each side along them.
void DrawDendrogram(CDevice& device, CTree& tree, bool rowSide, const CPen& treePen,
                    const CPen& highlightPen);
