// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/MatrixDrawing.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "data/Data.h"
#include "render/CellGeometry.h"
#include "render/ColorPainter.h"
#include "render/Device.h"
#include "tree/Tree.h"

namespace {

// The positions [first, last) whose extent [origin + start, origin + end) meets [low, high).
std::pair<int, int> VisibleRange(const CCellBounds& bounds, int count, int origin, int low,
                                 int high) {
  int first = 0;
  while (first < count && origin + bounds.ends[static_cast<size_t>(first)] <= low)
    ++first;
  int last = first;
  while (last < count && origin + bounds.starts[static_cast<size_t>(last)] < high)
    ++last;
  return {first, last};
}

}  // namespace

void DrawDataMatrix(CColorPainter& painter, const CData& data, const CTree& rows,
                    const CTree& columns, const CCellBounds& rowBounds,
                    const CCellBounds& columnBounds, const CRect& zone) {
  const int rowCount = std::min<int>(rowBounds.Count(), static_cast<int>(rows.order.size()));
  const int columnCount =
      std::min<int>(columnBounds.Count(), static_cast<int>(columns.order.size()));
  // Only the cells inside the device's clip box can show (a window paints its visible part).
  int rowFirst = 0, rowLast = rowCount, columnFirst = 0, columnLast = columnCount;
  CRect clip;
  if (painter.Device().GetClipBox(clip) != 0) {
    std::tie(rowFirst, rowLast) =
        VisibleRange(rowBounds, rowCount, zone.top, clip.top - 1, clip.bottom + 1);
    std::tie(columnFirst, columnLast) =
        VisibleRange(columnBounds, columnCount, zone.left, clip.left - 1, clip.right + 1);
  }
  const int shownRows = std::max(0, rowLast - rowFirst);
  const int shownColumns = std::max(0, columnLast - columnFirst);
  if (shownRows == 0 || shownColumns == 0) return;

  // Devices made of pixels take the block as one image: colours first, one fill afterwards.
  std::vector<ColorRef> colors(static_cast<size_t>(shownRows) * shownColumns,
                               CDevice::kUnpaintedCell);
  std::vector<int> xStarts(static_cast<size_t>(shownColumns)), xEnds(xStarts.size());
  std::vector<int> yStarts(static_cast<size_t>(shownRows)), yEnds(yStarts.size());
  for (int i = rowFirst; i < rowLast; ++i) {
    yStarts[static_cast<size_t>(i - rowFirst)] =
        zone.top + rowBounds.starts[static_cast<size_t>(i)];
    yEnds[static_cast<size_t>(i - rowFirst)] = zone.top + rowBounds.ends[static_cast<size_t>(i)];
  }
  painter.UseDataRange();
  for (int j = columnFirst; j < columnLast; ++j) {
    const size_t x = static_cast<size_t>(j - columnFirst);
    xStarts[x] = zone.left + columnBounds.starts[static_cast<size_t>(j)];
    xEnds[x] = zone.left + columnBounds.ends[static_cast<size_t>(j)];
    const int column = columns.order[static_cast<size_t>(j)];
    if (column < 0 || column >= data.columnCount) continue;
    painter.UseColumnRange(column);
    for (int i = rowFirst; i < rowLast; ++i) {
      const int row = rows.order[static_cast<size_t>(i)];
      if (row < 0 || row >= data.rowCount) continue;
      colors[static_cast<size_t>(i - rowFirst) * shownColumns + x] =
          painter.CellColor(data.At(row, column), false);
    }
  }
  painter.UseDataRange();
  if (painter.Device().DrawCellBlock(xStarts, xEnds, yStarts, yEnds, colors)) return;
  for (size_t x = 0; x < xStarts.size(); ++x) {
    for (size_t y = 0; y < yStarts.size(); ++y) {
      const ColorRef color = colors[y * static_cast<size_t>(shownColumns) + x];
      if (color == CDevice::kUnpaintedCell) continue;
      CRect cell{xStarts[x], yStarts[y], xEnds[x], yEnds[y]};
      cell.Normalize();
      painter.Device().FillSolidRect(cell, color);
    }
  }
}

void DrawClusterMarks(CColorPainter& painter, const CTree& side, const CCellBounds& bounds,
                      const CRect& strip, bool rowSide) {
  if (strip.IsEmpty()) return;
  const int count = std::min<int>(bounds.Count(), static_cast<int>(side.order.size()));
  for (int i = 0; i < count; ++i) {
    const int item = side.order[static_cast<size_t>(i)];
    if (item < 0 || item >= static_cast<int>(side.marks.size())) continue;
    const int mark = side.marks[static_cast<size_t>(item)];
    if (mark == 0) continue;
    const int start = bounds.starts[static_cast<size_t>(i)];
    const int end = bounds.ends[static_cast<size_t>(i)];
    const CRect rect = rowSide
                           ? CRect{strip.left, strip.top + start, strip.right, strip.top + end}
                           : CRect{strip.left + start, strip.top, strip.left + end, strip.bottom};
    painter.Device().FillSolidRect(rect, static_cast<ColorRef>(mark));
  }
}
