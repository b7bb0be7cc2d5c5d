// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/CellGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// c·n·w is an integer whenever the weights are 1/n, but the product of the rounded weight can
// fall a hair below it (c = 1, n = 49 gives 0.99999999999999989): truncation would then lose a
// unit per cell. A tolerance far below one unit keeps such cells whole.
constexpr double kTolerance = 1e-6;

// Held inside ±2^30: weights far beyond their sum of 1 must not overflow the int conversion.
int Truncate(double value) {
  constexpr double kLimit = 1 << 30;
  const double t = std::floor(value + kTolerance);
  if (std::isnan(t)) return 0;
  return static_cast<int>(std::clamp(t, -kLimit, kLimit));
}

}  // namespace

CCellBounds ComputeCellBounds(const std::vector<double>& weights, int cellSize) {
  CCellBounds bounds;
  const size_t n = weights.size();
  bounds.starts.resize(n);
  bounds.ends.resize(n);
  const double scale = static_cast<double>(cellSize) * static_cast<double>(n);
  int start = 0;
  for (size_t i = 0; i < n; ++i) {
    bounds.starts[i] = start;
    const int end = Truncate(scale * weights[i] + start);
    bounds.ends[i] = std::max(end, start);
    start = bounds.ends[i];
  }
  return bounds;
}

int CCellBounds::PositionAt(int coordinate) const {
  if (starts.empty()) return 0;
  const auto after = std::upper_bound(starts.begin(), starts.end(), coordinate);
  if (after == starts.begin()) return 0;
  return static_cast<int>(after - starts.begin()) - 1;
}
