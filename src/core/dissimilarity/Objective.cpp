// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/Objective.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/Parallel.h"
#include "base/Progress.h"
#include "dissimilarity/Distance.h"

double ObjectiveR(const int* order, int n, const CDistance& distance, CProgress* progress) {
  if (n < 2) return 0.0;
  const double mu = distance.mean;
  const int64_t nn = static_cast<int64_t>(n) * n;
  const double c = mu * (static_cast<double>(nn - 1) / (3.0 * static_cast<double>(n)));

  std::vector<int> position(static_cast<size_t>(n));
  for (int p = 0; p < n; ++p)
    position[static_cast<size_t>(order[p])] = p;

  // Per item i: Σ_{j>i} (|pos i − pos j|·d(i, j) − c) and Σ_{j>i} d(i, j)², each in partner
  // order; the rows are then added in item order, so the threads do not change a bit.
  std::vector<double> rowA(static_cast<size_t>(n), 0.0);
  std::vector<double> rowSquares(static_cast<size_t>(n), 0.0);
  ParallelFor(0, n - 1, 16, [&](int i) {
    const double* row = distance.Row(i);
    const int pi = position[static_cast<size_t>(i)];
    double a = 0.0;
    double squares = 0.0;
    for (int j = i + 1; j < n; ++j) {
      const double d = row[j];
      const int gap = std::abs(position[static_cast<size_t>(j)] - pi);
      a += static_cast<double>(gap) * d - c;
      squares += d * d;
    }
    rowA[static_cast<size_t>(i)] = a;
    rowSquares[static_cast<size_t>(i)] = squares;
  });
  double a = 0.0;
  double squares = 0.0;
  for (int i = 0; i < n; ++i) {
    if (progress) progress->Step();
    a += rowA[static_cast<size_t>(i)];
    squares += rowSquares[static_cast<size_t>(i)];
  }

  const double numerator = 2.0 * a - static_cast<double>(n) * c;
  const float nSquaredPlusTwo = static_cast<float>(nn + 2);
  const double spread = std::sqrt(static_cast<double>(n - 1) * static_cast<double>(n + 1) / 18.0) *
                        static_cast<double>(std::sqrt(nSquaredPlusTwo));
  const double variance = 2.0 * squares / static_cast<double>(nn) - mu * mu;
  if (!(variance > 0.0)) return 0.0;
  const double denominator = static_cast<double>(n) * spread * std::sqrt(variance);
  if (!(denominator > 0.0) || !std::isfinite(denominator)) return 0.0;
  const double r = numerator / denominator;
  return std::isfinite(r) ? r : 0.0;
}

CPathLength ObjectiveS(const int* order, int n, const CDistance& distance, CProgress* progress) {
  CPathLength path;
  for (int k = 0; k + 1 < n; ++k) {
    if (progress) progress->Step();
    const double d = distance.At(order[k], order[k + 1]);
    path.s += d;
    path.s2 += d * d;
  }
  return path;
}
