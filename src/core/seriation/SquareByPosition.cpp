#include "seriation/SquareByPosition.h"

#include <algorithm>

#include "base/Parallel.h"
#include "data/Distance.h"
#include "seriation/WorkArray.h"

std::vector<double> SquareByPosition(const CDistance& distance, const int* sequence, int m) {
  const size_t n = static_cast<size_t>(m < 0 ? 0 : m);
  std::vector<double> square = WorkArray<double>(n * n);
  constexpr int kTile = 64;
  const int tiles = (m + kTile - 1) / kTile;
  ParallelFor(0, tiles, 1, [&](int tileRow) {
    const int x0 = tileRow * kTile;
    const int x1 = std::min(m, x0 + kTile);
    for (int y0 = 0; y0 < m; y0 += kTile) {
      const int y1 = std::min(m, y0 + kTile);
      for (int x = x0; x < x1; ++x) {
        double* row = square.data() + static_cast<size_t>(x) * n;
        const int a = sequence[x];
        for (int y = y0; y < y1; ++y)
          row[y] = distance.At(a, sequence[y]);
      }
    }
  });
  return square;
}
