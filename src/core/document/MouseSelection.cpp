// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/MouseSelection.h"

#include <algorithm>
#include <cstdio>

#include "base/Missing.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "render/HeatMapPicture.h"

namespace {

bool Inside(const CRect& rect, CPoint point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

// The side loses its selection: the whole order, no user selection, the root picked again.
void SelectEverything(CTree& side) {
  side.selectedNode = side.hasTree ? side.root : kNoNode;
  side.selectionStart = 0;
  side.selectionLength = side.count;
  side.userSelection = false;
  side.selectionShown = false;
}

void SelectNode(CTree& side, int node) {
  const CNode& picked = side.Node(node);
  side.selectedNode = node;
  side.lastClicked = node;
  side.selectionStart = picked.first;
  side.selectionLength = std::max(1, picked.count);
  side.userSelection = true;
  side.selectionShown = true;
}

// Positions first … last of the order; with a dendrogram the block widens to the smallest
// subtree that holds it (an aggregated group as a whole).
void SelectBlock(CTree& side, int first, int last) {
  if (first > last) std::swap(first, last);
  if (side.hasTree) {
    const int leaf = side.order[static_cast<size_t>(first)];
    int node = side.SmallestEnclosing(leaf, last + 1);
    if (!side.Node(node).IsLeaf() && !side.Node(node).expanded) node = side.TopAggregated(node);
    if (side.Node(node).IsLeaf() && side.Node(node).parent != 0 &&
        !side.Node(side.Node(node).parent).expanded) {
      node = side.TopAggregated(side.Node(node).parent);
    }
    SelectNode(side, node);
    return;
  }
  side.selectedNode = kNoNode;
  side.selectionStart = first;
  side.selectionLength = last - first + 1;
  side.userSelection = true;
  side.selectionShown = true;
}

int ClampedPosition(const CCellBounds& bounds, int coordinate, int origin) {
  if (bounds.Count() == 0) return -1;
  const int local = coordinate - origin;
  int position =
      static_cast<int>(std::upper_bound(bounds.starts.begin(), bounds.starts.end(), local) -
                       bounds.starts.begin()) -
      1;
  return std::clamp(position, 0, bounds.Count() - 1);
}

}  // namespace

int ActivePositionAt(const CViewModel& view, const CHeatMapPicture& picture, CPoint point) {
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  if (!Inside(matrix, point)) return -1;
  if (view.Document().switches.rowsActive) {
    return ClampedPosition(picture.RowBounds(), point.y, matrix.top);
  }
  // Columns are found by the cell width, as the header of the matrix is laid out.
  const int hx = std::max(1, picture.Hx());
  return std::min((point.x - matrix.left) / hx, view.columnTree.count - 1);
}

void PressAt(CViewModel& view, const CHeatMapPicture& picture, CPoint point) {
  CQuorvelDoc& document = view.Document();
  SelectEverything(view.rowTree);
  SelectEverything(view.columnTree);

  const int position = ActivePositionAt(view, picture, point);
  if (position >= 0) {
    SelectBlock(view.Side(document.switches.rowsActive), position, position);
    return;
  }
  if (Inside(picture.Zone(EPictureZone::kRowTree), point) && view.rowTree.hasTree) {
    const int node = picture.RowNodeAt(point);
    document.switches.rowsActive = true;
    if (node != kNoNode) SelectNode(view.rowTree, node);
    return;
  }
  if (Inside(picture.Zone(EPictureZone::kColumnTree), point) && view.columnTree.hasTree) {
    const int node = picture.ColumnNodeAt(point);
    document.switches.rowsActive = false;
    if (node != kNoNode) SelectNode(view.columnTree, node);
  }
}

void SelectActivePosition(CViewModel& view, int position) {
  CTree& side = view.Side(view.Document().switches.rowsActive);
  if (position < 0 || position >= side.count) return;
  SelectEverything(view.rowTree);
  SelectEverything(view.columnTree);
  SelectBlock(side, position, position);
}

bool DragTo(CViewModel& view, const CHeatMapPicture& picture, int anchor, CPoint point) {
  if (anchor < 0) return false;
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  if (!Inside(matrix, point)) return false;
  CTree& side = view.Side(view.Document().switches.rowsActive);
  const int position = ActivePositionAt(view, picture, point);
  if (position < 0 || anchor >= side.count) return false;
  const int start = side.selectionStart;
  const int length = side.selectionLength;
  SelectBlock(side, anchor, position);
  return start != side.selectionStart || length != side.selectionLength;
}

bool HighlightAt(CViewModel& view, const CHeatMapPicture& picture, CPoint point,
                 CHighlight& highlighted) {
  CHighlight found;
  if (Inside(picture.Zone(EPictureZone::kRowTree), point)) {
    found = {picture.RowNodeAt(point), true};
  } else if (Inside(picture.Zone(EPictureZone::kColumnTree), point)) {
    found = {picture.ColumnNodeAt(point), false};
  }
  if (found.node == highlighted.node && found.rows == highlighted.rows) return false;
  if (highlighted.node != kNoNode) {
    CTree& side = view.Side(highlighted.rows);
    if (highlighted.node < static_cast<int>(side.nodes.size())) {
      side.SetHighlight(highlighted.node, false);
    }
  }
  if (found.node != kNoNode) view.Side(found.rows).SetHighlight(found.node, true);
  highlighted = found;
  return true;
}

namespace {

std::string FormatValue(const char* caption, double value) {
  if (IsMissing(value)) return std::string(caption) + " missing";
  char text[64];
  std::snprintf(text, sizeof text, "%s %g", caption, value);
  return text;
}

std::string FormatPosition(int first, int second) {
  char text[64];
  std::snprintf(text, sizeof text, "- %u / %u -", static_cast<unsigned>(first),
                static_cast<unsigned>(second));
  return text;
}

// The mean of the selected items of the active side at one position of the other side,
// missing values skipped.
double ProfileValue(const CViewModel& view, const CData& data, int otherPosition) {
  const bool rows = view.Document().switches.rowsActive;
  const CTree& side = rows ? view.rowTree : view.columnTree;
  const CTree& other = rows ? view.columnTree : view.rowTree;
  const int otherItem = other.order[static_cast<size_t>(otherPosition)];
  double sum = 0.0;
  int count = 0;
  for (int p = side.selectionStart; p < side.selectionStart + side.selectionLength; ++p) {
    const int item = side.order[static_cast<size_t>(p)];
    const double value = rows ? data.At(item, otherItem) : data.At(otherItem, item);
    if (IsMissing(value)) continue;
    sum += value;
    ++count;
  }
  return count == 0 ? kMissing : sum / count;
}

}  // namespace

CBrowseText BrowseAt(const CViewModel& view, const CHeatMapPicture& picture, CPoint point) {
  CBrowseText text;
  const CQuorvelDoc& document = view.Document();
  if (!document.data) return text;
  const CData& data = *document.data;
  const CCellBounds& rowBounds = picture.RowBounds();
  const CCellBounds& columnBounds = picture.ColumnBounds();

  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  const CRect profile = picture.Zone(EPictureZone::kAverageProfile);
  const CRect rowMetrics = picture.Zone(EPictureZone::kRowMetrics);
  const CRect columnMetrics = picture.Zone(EPictureZone::kColumnMetrics);
  if (Inside(matrix, point) || Inside(profile, point)) {
    const CRect& zone = Inside(matrix, point) ? matrix : profile;
    const int i = ClampedPosition(rowBounds, point.y, zone.top);
    const int j = ClampedPosition(columnBounds, point.x, zone.left);
    if (i < 0 || j < 0) return text;
    const int row = view.rowTree.order[static_cast<size_t>(i)];
    const int column = view.columnTree.order[static_cast<size_t>(j)];
    if (&zone == &matrix) {
      text.value = FormatValue(" x =", data.At(row, column));
    } else {
      text.value =
          FormatValue(" M =", ProfileValue(view, data, document.switches.rowsActive ? j : i));
    }
    text.position = FormatPosition(static_cast<unsigned>(i + 1), static_cast<unsigned>(j + 1));
    return text;
  }
  const bool inRows = Inside(rowMetrics, point);
  if (inRows || Inside(columnMetrics, point)) {
    const CRect& zone = inRows ? rowMetrics : columnMetrics;
    const CCellBounds& bounds = inRows ? rowBounds : columnBounds;
    const CTree& side = inRows ? view.rowTree : view.columnTree;
    const int i = ClampedPosition(bounds, point.y, zone.top);
    const int j = ClampedPosition(bounds, point.x, zone.left);
    if (i < 0 || j < 0 || side.distance == nullptr) return text;
    const int a = side.order[static_cast<size_t>(i)];
    const int b = side.order[static_cast<size_t>(j)];
    text.value = FormatValue(" D =", side.distance->At(std::min(a, b), std::max(a, b)));
    text.position = FormatPosition(static_cast<unsigned>(i + 1), static_cast<unsigned>(j + 1));
  }
  return text;
}
