// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/Geometry.h"

class CHeatMapPicture;
class CViewModel;

// The mouse in a window's picture, at the level of the window model: every point is in layout
// units (already converted from device pixels through the zoom). The picture must have been
// laid out and drawn (the drawing writes the trees' hit rectangles).

// A press of the left button: both sides lose their selection, the active side is selected
// whole; then a cell of the matrix selects its row or column (snapped to the smallest enclosing
// subtree when the side has a dendrogram), and a node of a dendrogram selects its subtree and
// makes that side active.
void PressAt(CViewModel& view, const CHeatMapPicture& picture, CPoint point);

// Selects display position `position` of the active side as a press on its cell does (both
// sides lose their selection first; with a dendrogram the smallest enclosing subtree). Nothing
// for a position outside the side.
void SelectActivePosition(CViewModel& view, int position);

// A move with the left button held inside the matrix: the active side's selection runs from
// the position pressed (`anchor`) to the position under the pointer. False when nothing changed.
bool DragTo(CViewModel& view, const CHeatMapPicture& picture, int anchor, CPoint point);

// The display position of the active side under the point in the matrix (clamped to the last
// position), or −1 outside the matrix.
int ActivePositionAt(const CViewModel& view, const CHeatMapPicture& picture, CPoint point);

// The dendrogram node under the pointer: highlighted, the previous one no longer. Returns true
// when the highlight changed; `highlighted` holds the node (−1: none) and its side.
struct CHighlight {
  int node = -1;
  bool rows = true;
};
bool HighlightAt(CViewModel& view, const CHeatMapPicture& picture, CPoint point,
                 CHighlight& highlighted);

// What browse mode shows under the pointer: the data value (" x ="), a dissimilarity of a
// metrics square (" D =") or an average-profile value (" M ="), and the position as
// "- %u / %u -". Both empty outside those zones.
struct CBrowseText {
  std::string value;
  std::string position;
};
CBrowseText BrowseAt(const CViewModel& view, const CHeatMapPicture& picture, CPoint point);
