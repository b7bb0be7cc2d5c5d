// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/NumericScaling.h"

#include <cstdint>
#include <utility>

#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "seriation/Extract.h"
#include "seriation/PowerIteration.h"
#include "seriation/WorkArray.h"

std::vector<double> ScalingMatrix(const CDistance& positional, ESeriation criterion) {
  const int m = positional.size;
  const size_t n = static_cast<size_t>(m);
  std::vector<double> r = WorkArray<double>(n);
  double total = 0.0;
  for (int i = 0; i < m; ++i) {
    double sum = 0.0;
    for (int j = 0; j < m; ++j) {
      if (j == i) continue;
      const double d = positional.At(i, j);
      sum += d * d;
    }
    r[static_cast<size_t>(i)] = sum;
    total += sum;
  }
  std::vector<double> matrix = WorkArray<double>(n * n);
  const double size = static_cast<double>(m);
  const double sizeSquared =
      static_cast<double>(static_cast<float>(static_cast<int64_t>(m) * static_cast<int64_t>(m)));
  for (int i = 0; i < m; ++i) {
    double* row = matrix.data() + static_cast<size_t>(i) * n;
    for (int j = 0; j < m; ++j) {
      const double d = positional.At(i, j);
      if (criterion == ESeriation::kScaling) {
        row[j] = -0.5 * (d * d - (r[static_cast<size_t>(i)] + r[static_cast<size_t>(j)]) / size +
                         total / sizeSquared);
      } else {
        row[j] = i == j ? r[static_cast<size_t>(i)] : -(d * d);
      }
    }
  }
  return matrix;
}

void SeriateNumeric(CElements& elements, int* sequence, int m, ESeriation criterion) {
  if (m < 2) return;
  if (criterion != ESeriation::kScaling && criterion != ESeriation::kInertia) return;
  std::vector<double> x;
  {
    const CDistance positional = Extract(*elements.distance, sequence, m);
    const std::vector<double> matrix = ScalingMatrix(positional, criterion);
    PowerIteration(matrix, m, x);
  }
  for (int p = 0; p < m; ++p) {
    for (int q = p + 1; q < m; ++q) {
      if (x[static_cast<size_t>(q)] < x[static_cast<size_t>(p)]) {
        std::swap(x[static_cast<size_t>(q)], x[static_cast<size_t>(p)]);
        std::swap(sequence[q], sequence[p]);
      }
    }
  }
}
