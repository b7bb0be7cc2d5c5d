// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/SquareByPosition.h"

#include <algorithm>

#include "base/Parallel.h"
#include "dissimilarity/Distance.h"
#include "seriation/WorkArray.h"

std::vector<double> SquareByPosition(const CDistance& distance, const int* sequence, int m) {
  const size_t n = static_cast<size_t>(m < 0 ? 0 : m);
  std::vector<double> square = WorkArray<double>(n * n);
  // Each value is looked up once, for x < y, and written to both halves; tiles of 64 × 64 keep
  // the mirrored writes in cache. A thread owns the tiles of its band of rows x.
  constexpr int kTile = 64;
  const int tiles = (m + kTile - 1) / kTile;
  ParallelFor(0, tiles, 1, [&](int band) {
    const int x0 = band * kTile;
    const int x1 = std::min(m, x0 + kTile);
    for (int y0 = x0; y0 < m; y0 += kTile) {
      const int y1 = std::min(m, y0 + kTile);
      for (int x = x0; x < x1; ++x) {
        double* row = square.data() + static_cast<size_t>(x) * n;
        const int a = sequence[x];
        const double* fromA = distance.Row(a);  // d(a, b) for b >= a
        for (int y = std::max(y0, x + 1); y < y1; ++y) {
          const int b = sequence[y];
          const double v = a <= b ? fromA[b] : distance.Row(b)[a];
          row[y] = v;
          square[static_cast<size_t>(y) * n + static_cast<size_t>(x)] = v;
        }
      }
    }
  });
  return square;
}
