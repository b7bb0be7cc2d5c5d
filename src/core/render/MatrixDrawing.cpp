#include "render/MatrixDrawing.h"

#include "data/Data.h"
#include "render/CellGeometry.h"
#include "render/ColorPainter.h"
#include "render/Device.h"
#include "tree/Tree.h"

void DrawDataMatrix(CColorPainter& painter, const CData& data, const CTree& rows,
                    const CTree& columns, const CCellBounds& rowBounds,
                    const CCellBounds& columnBounds, const CRect& zone) {
  const int rowCount = std::min<int>(rowBounds.Count(), static_cast<int>(rows.order.size()));
  const int columnCount =
      std::min<int>(columnBounds.Count(), static_cast<int>(columns.order.size()));
  painter.UseDataRange();
  for (int j = 0; j < columnCount; ++j) {
    const int column = columns.order[static_cast<size_t>(j)];
    if (column < 0 || column >= data.columnCount) continue;
    painter.UseColumnRange(column);
    const int left = zone.left + columnBounds.starts[static_cast<size_t>(j)];
    const int right = zone.left + columnBounds.ends[static_cast<size_t>(j)];
    for (int i = 0; i < rowCount; ++i) {
      const int row = rows.order[static_cast<size_t>(i)];
      if (row < 0 || row >= data.rowCount) continue;
      const CRect cell{left, zone.top + rowBounds.starts[static_cast<size_t>(i)], right,
                       zone.top + rowBounds.ends[static_cast<size_t>(i)]};
      painter.PaintCell(cell, data.At(row, column), false);
    }
  }
  painter.UseDataRange();
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
