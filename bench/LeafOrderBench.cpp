// SPDX-License-Identifier: GPL-3.0-or-later
// The optimal leaf order on the dendrograms of clustered tables: n rows drawn from a mixture of
// gaussians, Euclidean distances, trees by Ward's and by average linkage.
//   bench_leaf_order --benchmark_filter=BM_OptimalLeafOrder
// The trees come from a plain nearest-neighbour-chain clustering written here; it only has to
// give realistic shapes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "MixtureDistances.h"
#include "dissimilarity/Distance.h"
#include "tree/MinPlusProduct.h"
#include "tree/OptimalLeafOrder.h"

namespace {

// Nearest-neighbour-chain agglomeration on a full matrix with Lance–Williams updates: Ward's
// rule on squared distances, or the average distance.
CBinaryTree Cluster(const CDistance& d, bool ward) {
  const int n = d.size;
  std::vector<double> m(static_cast<size_t>(n) * n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const double x = d.At(i, j);
      m[static_cast<size_t>(i) * n + j] = ward ? x * x : x;
    }
  }
  std::vector<int> size(static_cast<size_t>(n), 1);
  std::vector<int> node(static_cast<size_t>(n));
  std::vector<char> active(static_cast<size_t>(n), 1);
  CBinaryTree tree;
  tree.left.assign(static_cast<size_t>(n), -1);
  tree.right.assign(static_cast<size_t>(n), -1);
  tree.item.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    node[static_cast<size_t>(i)] = tree.item[static_cast<size_t>(i)] = i;
  std::vector<int> chain;
  for (int merges = 0; merges < n - 1; ++merges) {
    if (chain.empty()) {
      for (int i = 0; i < n; ++i) {
        if (active[static_cast<size_t>(i)]) {
          chain.push_back(i);
          break;
        }
      }
    }
    for (;;) {
      const int a = chain.back();
      const int previous = chain.size() > 1 ? chain[chain.size() - 2] : -1;
      int nearest = previous;
      double best = previous >= 0 ? m[static_cast<size_t>(a) * n + previous]
                                  : std::numeric_limits<double>::infinity();
      for (int j = 0; j < n; ++j) {
        if (j == a || !active[static_cast<size_t>(j)]) continue;
        const double x = m[static_cast<size_t>(a) * n + j];
        if (x < best) best = x, nearest = j;
      }
      if (nearest == previous) break;
      chain.push_back(nearest);
    }
    const int b = chain.back();
    chain.pop_back();
    const int a = chain.back();
    chain.pop_back();
    const double na = size[static_cast<size_t>(a)], nb = size[static_cast<size_t>(b)];
    const double dab = m[static_cast<size_t>(a) * n + b];
    for (int k = 0; k < n; ++k) {
      if (!active[static_cast<size_t>(k)] || k == a || k == b) continue;
      const double nk = size[static_cast<size_t>(k)];
      const double dak = m[static_cast<size_t>(a) * n + k], dbk = m[static_cast<size_t>(b) * n + k];
      const double merged = ward ? ((na + nk) * dak + (nb + nk) * dbk - nk * dab) / (na + nb + nk)
                                 : (na * dak + nb * dbk) / (na + nb);
      m[static_cast<size_t>(a) * n + k] = m[static_cast<size_t>(k) * n + a] = merged;
    }
    active[static_cast<size_t>(b)] = 0;
    size[static_cast<size_t>(a)] += size[static_cast<size_t>(b)];
    tree.left.push_back(node[static_cast<size_t>(a)]);
    tree.right.push_back(node[static_cast<size_t>(b)]);
    tree.item.push_back(-1);
    node[static_cast<size_t>(a)] = static_cast<int>(tree.left.size()) - 1;
  }
  tree.root = static_cast<int>(tree.left.size()) - 1;
  return tree;
}

struct CCase {
  std::unique_ptr<CDistance> distance;
  CBinaryTree tree;
};

const CCase& Case(int n, bool ward) {
  static std::map<std::pair<int, bool>, CCase> cases;
  auto found = cases.find({n, ward});
  if (found == cases.end()) {
    CCase made;
    made.distance = MixtureDistances(n, static_cast<unsigned>(n));
    made.tree = Cluster(*made.distance, ward);
    found = cases.emplace(std::make_pair(n, ward), std::move(made)).first;
  }
  return found->second;
}

void BM_OptimalLeafOrder(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const bool ward = state.range(1) == 0;
  state.SetLabel(ward ? "Ward" : "average");
  const CCase& input = Case(n, ward);
  double length = 0.0;
  for (auto _ : state) {
    const CLeafOrder order = OptimalLeafOrder(input.tree, *input.distance);
    length = order.length;
    benchmark::DoNotOptimize(order.items.data());
  }
  state.counters["pathLength"] = length;
}
BENCHMARK(BM_OptimalLeafOrder)
    ->ArgsProduct({{1000, 2000, 5000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The inner product alone, on blocks of one n × n matrix laid out as the leaf order uses them: a
// read transposed, b row by row, the result written transposed.
void BM_MinPlusProduct(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const ptrdiff_t n = 3 * size;
  std::vector<double> m(static_cast<size_t>(n * n));
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> value(0.0, 100.0);
  for (double& x : m)
    x = value(random);
  for (auto _ : state) {
    MinPlusProduct(size, size, size, {&m[static_cast<size_t>(size)], 1, n},
                   {&m[static_cast<size_t>(size * n)], n, 1},
                   {&m[static_cast<size_t>(2 * size * n)], 1, n});
    benchmark::ClobberMemory();
  }
  state.counters["sums/ns"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * size * size * size / 1e9,
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MinPlusProduct)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
