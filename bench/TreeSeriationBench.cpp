// SPDX-License-Identifier: GPL-3.0-or-later
// Tree seriation by each criterion on the Ward dendrograms of gaussian-mixture tables (n rows
// around 12 centres in 40 dimensions, Euclidean distances):
//   bench_tree_seriation --benchmark_filter=BM_TreeSeriation
// Each iteration seriates a fresh copy of the clustered tree from its root (the copy is not
// timed). BM_TreeSeriation times the criterion alone; BM_TreeSeriationStep the whole step with
// the objective functions R and S recomputed afterwards.
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "MixtureDistances.h"
#include "dissimilarity/Distance.h"
#include "seriation/Elements.h"
#include "settings/TreatmentSettings.h"
#include "tree/AgglomerativeClustering.h"
#include "tree/Tree.h"
#include "tree/TreeSeriation.h"

namespace {

// The mixture distances with their row sums, which the seriation step reads.
std::unique_ptr<CDistance> MixtureDistancesWithSums(int n, unsigned seed) {
  auto d = MixtureDistances(n, seed);
  d->SumByRows(nullptr);
  return d;
}

struct CCase {
  std::unique_ptr<CDistance> distance;
  std::vector<std::string> labels;
  CTree tree;
};

const CCase& Case(int n) {
  static std::map<int, std::unique_ptr<CCase>> cases;
  auto& made = cases[n];
  if (!made) {
    made = std::make_unique<CCase>();
    made->distance = MixtureDistancesWithSums(n, static_cast<unsigned>(n));
    made->labels.assign(static_cast<size_t>(n), "x");
    made->tree.Initialize(n, made->distance.get(), &made->labels, {});
    BuildTree(made->tree, ELinkage::kWard, nullptr);
    ComputeObjectives(made->tree, true, nullptr);
  }
  return *made;
}

void Run(benchmark::State& state, bool wholeStep) {
  const int criterion = static_cast<int>(state.range(0));
  const int n = static_cast<int>(state.range(1));
  const char* names[] = {"MF", "UDS", "inertia", "bipolarization", "TSP"};
  state.SetLabel(names[criterion]);
  const CCase& input = Case(n);
  TreatmentSettings settings;
  settings.TreeSeriationCriterion = ChoiceOf<ETreeSeriation>(criterion);
  const CTreeSeriationOptions options = TreeSeriationOptionsOf(settings);
  double length = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    CTree tree = input.tree;
    state.ResumeTiming();
    if (wholeStep) {
      TreeSeriate(tree, options, {});
      ComputeObjectives(tree, true, nullptr);
    } else {
      SeriateSubtree(tree, tree.root, options, {});
      tree.RebuildOrder(tree.root);
    }
    benchmark::DoNotOptimize(tree.order.data());
    state.PauseTiming();
    length = 0.0;
    for (int k = 1; k < n; ++k)
      length += input.distance->At(tree.order[k - 1], tree.order[k]);
    state.ResumeTiming();
  }
  state.counters["pathLength"] = length;
}

void BM_TreeSeriation(benchmark::State& state) {
  Run(state, false);
}
void BM_TreeSeriationStep(benchmark::State& state) {
  Run(state, true);
}

BENCHMARK(BM_TreeSeriation)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1000, 2000, 5000}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_TreeSeriationStep)
    ->ArgsProduct({{0, 4}, {5000}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
