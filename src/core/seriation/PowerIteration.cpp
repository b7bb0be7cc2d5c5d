#include "seriation/PowerIteration.h"

#include <chrono>
#include <cmath>
#include <random>

#include "base/Parallel.h"
#include "seriation/WorkArray.h"

double PowerIteration(std::span<const double> matrix, int m, std::vector<double>& vector,
                      uint32_t seed) {
  const size_t n = static_cast<size_t>(m < 0 ? 0 : m);
  if (m < 2) {
    vector.assign(n, 1.0);
    return 0.0;
  }
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> integer(0, 32767);
  vector = WorkArray<double>(n);
  for (double& x : vector)
    x = integer(random);
  double previous = integer(random);
  double lambda = previous;
  std::vector<double> product = WorkArray<double>(n);

  for (int step = 0; step < kPowerIterationCap; ++step) {
    ParallelFor(0, m, 64, [&](int i) {
      const double* row = matrix.data() + static_cast<size_t>(i) * n;
      double sum = 0.0;
      for (size_t j = 0; j < n; ++j)
        sum += row[j] * vector[j];
      product[static_cast<size_t>(i)] = sum;
    });
    size_t k = 1;
    while (k < n && product[k] == 0.0)
      ++k;
    if (k == n) k = 0;
    if (product[k] == 0.0) {
      vector = product;
      return 0.0;
    }
    lambda = product[k];
    for (size_t i = 0; i < n; ++i)
      vector[i] = product[i] / lambda;
    if (std::abs(lambda - previous) <= 1e-13) break;
    previous = lambda;
  }
  return lambda;
}

double PowerIteration(std::span<const double> matrix, int m, std::vector<double>& vector) {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  return PowerIteration(matrix, m, vector, static_cast<uint32_t>(ticks));
}
