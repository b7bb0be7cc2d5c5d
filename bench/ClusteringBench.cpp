// SPDX-License-Identifier: GPL-3.0-or-later
// Agglomerative clustering of each linkage rule on Euclidean distances between the rows of a
// gaussian-mixture table (20 centres, 10 columns), n = 1,000 … 10,000 items. The first run of a
// size also pays for the first touch of the working triangle's memory, which a virtual machine
// can make expensive: run with --benchmark_repetitions=3 and compare the later runs.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <random>

#include <sys/resource.h>

#include "dissimilarity/Distance.h"
#include "tree/AgglomerativeClustering.h"

namespace {

const CDistance& MixtureDistances(int n) {
  static std::map<int, std::unique_ptr<CDistance>> cache;
  auto& slot = cache[n];
  if (slot) return *slot;
  constexpr int kColumns = 10;
  constexpr int kCentres = 20;
  std::mt19937_64 random(1234);
  std::normal_distribution<double> centre(0.0, 5.0);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::uniform_int_distribution<int> pick(0, kCentres - 1);
  std::vector<double> centres(kCentres * kColumns);
  for (double& c : centres)
    c = centre(random);
  std::vector<double> table(static_cast<size_t>(n) * kColumns);
  for (int i = 0; i < n; ++i) {
    const int c = pick(random);
    for (int j = 0; j < kColumns; ++j)
      table[i * kColumns + j] = centres[c * kColumns + j] + noise(random);
  }
  slot = std::make_unique<CDistance>();
  slot->Allocate(n);
  for (int i = 0; i < n; ++i) {
    double* row = slot->Row(i);
    for (int k = i + 1; k < n; ++k) {
      double sum = 0.0;
      for (int j = 0; j < kColumns; ++j) {
        const double delta = table[i * kColumns + j] - table[k * kColumns + j];
        sum += delta * delta;
      }
      row[k] = std::sqrt(sum);
    }
  }
  return *slot;
}

double UserSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec) +
         1e-6 * static_cast<double>(usage.ru_utime.tv_usec);
}

void BM_Clustering(benchmark::State& state) {
  const int linkage = static_cast<int>(state.range(0));
  const int n = static_cast<int>(state.range(1));
  const CDistance& distance = MixtureDistances(n);
  std::vector<CNode> nodes;
  double user = 0.0;
  for (auto _ : state) {
    const double before = UserSeconds();
    ClusterNodes(distance, n, ChoiceOf<ELinkage>(linkage), nodes, nullptr);
    user += UserSeconds() - before;
    benchmark::DoNotOptimize(nodes.data());
  }
  // User time alone: the CPU time also holds the kernel's zeroing of the fresh working triangle.
  state.counters["user_s"] = benchmark::Counter(user, benchmark::Counter::kAvgIterations);
  state.SetLabel(std::array{"complete", "single", "McQuitty", "average", "Ward"}[linkage]);
}
BENCHMARK(BM_Clustering)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1000, 2000, 5000, 10000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
