// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The pixel start and end of every display position along one axis of the matrix, from the
// weights of the items shown there: s(0) = 0, e(i) = trunc(c·n·w(i) + s(i)), s(i) = e(i − 1),
// c being the cell size and n the number of positions. With equal weights every cell is c
// units.
struct CCellBounds {
  std::vector<int> starts;
  std::vector<int> ends;

  int Count() const { return static_cast<int>(starts.size()); }
  int Extent() const { return ends.empty() ? 0 : ends.back(); }
  // The last position whose start lies at or before `coordinate` (the first position for a
  // coordinate before it, the last beyond the end).
  int PositionAt(int coordinate) const;
};

// `weights` are those of the items in display order.
CCellBounds ComputeCellBounds(const std::vector<double>& weights, int cellSize);
