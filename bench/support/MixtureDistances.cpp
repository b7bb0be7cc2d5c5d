// SPDX-License-Identifier: GPL-3.0-or-later
#include "MixtureDistances.h"

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kColumns = 40;
constexpr int kClusters = 12;

}  // namespace

std::unique_ptr<CDistance> MixtureDistances(int n, unsigned seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal(0.0, 1.0);
  std::vector<double> centres(static_cast<size_t>(kClusters * kColumns));
  std::vector<double> spreads(kClusters);
  for (double& x : centres)
    x = 3.0 * normal(random);
  for (double& s : spreads)
    s = 0.5 + std::abs(normal(random));
  std::vector<double> rows(static_cast<size_t>(n) * kColumns);
  for (int i = 0; i < n; ++i) {
    const size_t c = random() % kClusters;
    for (int j = 0; j < kColumns; ++j) {
      rows[static_cast<size_t>(i * kColumns + j)] =
          centres[c * kColumns + static_cast<size_t>(j)] + spreads[c] * normal(random);
    }
  }
  auto d = std::make_unique<CDistance>();
  d->Allocate(n);
  for (int i = 0; i < n; ++i) {
    for (int k = i + 1; k < n; ++k) {
      double sum = 0.0;
      for (int j = 0; j < kColumns; ++j) {
        const double step = rows[static_cast<size_t>(i * kColumns + j)] -
                            rows[static_cast<size_t>(k * kColumns + j)];
        sum += step * step;
      }
      d->Set(i, k, std::sqrt(sum));
    }
  }
  return d;
}
