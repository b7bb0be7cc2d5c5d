// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/PowerIteration.h"

#include <chrono>
#include <cmath>
#include <random>

#include "base/Parallel.h"
#include "seriation/WorkArray.h"

CPowerIterationResult PowerIteration(std::span<const double> matrix, int m,
                                     std::vector<double>& vector, uint32_t seed) {
  const size_t n = static_cast<size_t>(m < 0 ? 0 : m);
  if (m < 2) {
    vector.assign(n, 1.0);
    return {};
  }
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> integer(0, 32767);
  vector = WorkArray<double>(n);
  for (double& x : vector)
    x = integer(random);
  double previous = integer(random);
  CPowerIterationResult result{previous, 0};
  std::vector<double> product = WorkArray<double>(n);

  while (result.steps < kPowerIterationCap) {
    ++result.steps;
    // Four rows at a time: four independent sums, each still in column order.
    ParallelFor(0, (m + 3) / 4, 16, [&](int block) {
      const size_t first = static_cast<size_t>(block) * 4;
      if (first + 4 <= n) {
        const double* r0 = matrix.data() + first * n;
        const double* r1 = r0 + n;
        const double* r2 = r1 + n;
        const double* r3 = r2 + n;
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
        for (size_t j = 0; j < n; ++j) {
          const double x = vector[j];
          s0 += r0[j] * x;
          s1 += r1[j] * x;
          s2 += r2[j] * x;
          s3 += r3[j] * x;
        }
        product[first] = s0;
        product[first + 1] = s1;
        product[first + 2] = s2;
        product[first + 3] = s3;
        return;
      }
      for (size_t i = first; i < n; ++i) {
        const double* row = matrix.data() + i * n;
        double sum = 0.0;
        for (size_t j = 0; j < n; ++j)
          sum += row[j] * vector[j];
        product[i] = sum;
      }
    });
    size_t k = 1;
    while (k < n && product[k] == 0.0)
      ++k;
    if (k == n) k = 0;
    if (product[k] == 0.0) {
      vector = product;
      result.value = 0.0;
      return result;
    }
    const double lambda = product[k];
    result.value = lambda;
    for (size_t i = 0; i < n; ++i)
      vector[i] = product[i] / lambda;
    if (std::abs(lambda - previous) <= 1e-13) break;
    previous = lambda;
  }
  return result;
}

CPowerIterationResult PowerIteration(std::span<const double> matrix, int m,
                                     std::vector<double>& vector) {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return PowerIteration(matrix, m, vector, static_cast<uint32_t>(ticks));
}
