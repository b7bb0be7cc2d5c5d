// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/MetricsDrawing.h"

#include "dissimilarity/Distance.h"
#include "render/CellGeometry.h"
#include "render/ColorPainter.h"
#include "tree/Tree.h"

void DrawMetrics(CColorPainter& painter, const CTree& side, const CCellBounds& bounds,
                 const CRect& zone) {
  if (zone.IsEmpty() || side.distance == nullptr) return;
  const CDistance& distance = *side.distance;
  const int n = std::min<int>(bounds.Count(), static_cast<int>(side.order.size()));
  painter.BeginMetrics(distance.max);
  for (int i = 0; i < n; ++i) {
    const int a = side.order[static_cast<size_t>(i)];
    if (a < 0 || a >= distance.size) continue;
    const int top = zone.top + bounds.starts[static_cast<size_t>(i)];
    const int bottom = zone.top + bounds.ends[static_cast<size_t>(i)];
    for (int j = 0; j < n; ++j) {
      const int b = side.order[static_cast<size_t>(j)];
      if (b < 0 || b >= distance.size) continue;
      const CRect cell{zone.left + bounds.starts[static_cast<size_t>(j)], top,
                       zone.left + bounds.ends[static_cast<size_t>(j)], bottom};
      painter.PaintCell(cell, distance.At(a, b), true);
    }
  }
  painter.EndMetrics();
}
