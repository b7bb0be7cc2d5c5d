// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SelectionLines.h"

#include <algorithm>

#include "render/CellGeometry.h"
#include "render/Device.h"
#include "tree/Tree.h"

namespace {

// The end points snapped to whole device pixels: to device units and back.
void SnappedLine(CDevice& device, CPoint from, CPoint to) {
  CPoint points[2] = {from, to};
  device.LPtoDP(points, 2);
  device.DPtoLP(points, 2);
  device.DrawLine(points[0], points[1]);
}

}  // namespace

bool HasPartialSelection(const CTree& side) {
  const int n = static_cast<int>(side.order.size());
  return side.userSelection && side.selectionLength > 0 && side.selectionLength < n &&
         side.selectionStart >= 0 && side.selectionStart + side.selectionLength <= n;
}

void DrawSelectionLines(CDevice& device, const CTree& side, const CCellBounds& bounds,
                        const CRect& matrix, bool rowSide, const CPen& pen) {
  if (!HasPartialSelection(side) || matrix.IsEmpty()) return;
  const int first = side.selectionStart;
  const int last = side.selectionStart + side.selectionLength - 1;
  if (last >= bounds.Count()) return;
  const int low = bounds.starts[static_cast<size_t>(first)];
  const int high = bounds.ends[static_cast<size_t>(last)];
  device.SelectPen(&pen);
  if (rowSide) {
    SnappedLine(device, {matrix.left, matrix.top + low}, {matrix.right, matrix.top + low});
    SnappedLine(device, {matrix.left, matrix.top + high}, {matrix.right, matrix.top + high});
  } else {
    SnappedLine(device, {matrix.left + low, matrix.top}, {matrix.left + low, matrix.bottom});
    SnappedLine(device, {matrix.left + high, matrix.top}, {matrix.left + high, matrix.bottom});
  }
}

void DrawMetricsSelectionLines(CDevice& device, const CTree& side, const CRect& square,
                               int cellSize, const CPen& pen) {
  if (!HasPartialSelection(side) || square.IsEmpty()) return;
  const int low = side.selectionStart * cellSize;
  const int high = (side.selectionStart + side.selectionLength) * cellSize;
  device.SelectPen(&pen);
  device.DrawLine(square.left, square.top + low, square.right, square.top + low);
  device.DrawLine(square.left, square.top + high, square.right, square.top + high);
  device.DrawLine(square.left + low, square.top, square.left + low, square.bottom);
  device.DrawLine(square.left + high, square.top, square.left + high, square.bottom);
}
