// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/AverageProfile.h"

#include <algorithm>

#include "base/Missing.h"
#include "data/Data.h"
#include "render/CellGeometry.h"
#include "render/ColorPainter.h"
#include "tree/Tree.h"

namespace {

// The selected block of a side's order, clamped to the order.
std::pair<int, int> SelectedBlock(const CTree& side) {
  const int n = static_cast<int>(side.order.size());
  const int first = std::clamp(side.selectionStart, 0, n);
  const int last = std::clamp(side.selectionStart + side.selectionLength, first, n);
  return {first, last};
}

}  // namespace

std::vector<double> ProfileValues(const CData& data, const CTree& active, const CTree& other,
                                  bool rowsActive) {
  const auto [first, last] = SelectedBlock(active);
  std::vector<double> values(other.order.size(), kMissing);
  for (size_t j = 0; j < other.order.size(); ++j) {
    const int otherItem = other.order[j];
    double sum = 0.0;
    int count = 0;
    for (int p = first; p < last; ++p) {
      const int item = active.order[static_cast<size_t>(p)];
      const int row = rowsActive ? item : otherItem;
      const int column = rowsActive ? otherItem : item;
      if (row < 0 || row >= data.rowCount || column < 0 || column >= data.columnCount) continue;
      const double value = data.At(row, column);
      if (value == kMissing) continue;
      sum += value;
      ++count;
    }
    if (count > 0) values[j] = sum / count;
  }
  return values;
}

void DrawAverageProfile(CColorPainter& painter, const CData& data, const CTree& rows,
                        const CTree& columns, const CCellBounds& rowBounds,
                        const CCellBounds& columnBounds, const CRect& zone, bool rowsActive) {
  if (zone.IsEmpty()) return;
  const CTree& active = rowsActive ? rows : columns;
  const CTree& other = rowsActive ? columns : rows;
  const std::vector<double> profile = ProfileValues(data, active, other, rowsActive);
  const auto [first, last] = SelectedBlock(active);
  painter.UseDataRange();
  const int rowCount = std::min<int>(rowBounds.Count(), static_cast<int>(rows.order.size()));
  const int columnCount =
      std::min<int>(columnBounds.Count(), static_cast<int>(columns.order.size()));
  for (int p = first; p < last; ++p) {
    for (size_t q = 0; q < profile.size(); ++q) {
      const int i = rowsActive ? p : static_cast<int>(q);
      const int j = rowsActive ? static_cast<int>(q) : p;
      if (i >= rowCount || j >= columnCount) continue;
      const CRect cell{zone.left + columnBounds.starts[static_cast<size_t>(j)],
                       zone.top + rowBounds.starts[static_cast<size_t>(i)],
                       zone.left + columnBounds.ends[static_cast<size_t>(j)],
                       zone.top + rowBounds.ends[static_cast<size_t>(i)]};
      painter.PaintCell(cell, profile[q], false);
    }
  }
}
