// SPDX-License-Identifier: GPL-3.0-or-later
// The sequence seriation methods on generated sides: path heuristics on random points of the
// plane, scaling methods on gaussian-mixture tables (8 clusters in 10 dimensions).
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <random>

#include "ScriptedServices.h"
#include "dissimilarity/Distance.h"
#include "seriation/CentroidSeriation.h"
#include "seriation/DiscreteScaling.h"
#include "seriation/Elements.h"
#include "seriation/Extract.h"
#include "seriation/FarthestAddition.h"
#include "seriation/MultipleFragment.h"
#include "seriation/NumericScaling.h"
#include "seriation/PowerIteration.h"
#include "seriation/TwoOpt.h"

namespace {

struct CBenchSide {
  CScriptedServices services;
  CDistance distance;
  CElements elements;
};

std::vector<std::vector<double>> PlanePoints(int n) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> coordinate(0.0, 1000.0);
  std::vector<std::vector<double>> points(static_cast<size_t>(n));
  for (auto& point : points)
    point = {coordinate(random), coordinate(random)};
  return points;
}

std::vector<std::vector<double>> GaussianMixture(int n) {
  std::mt19937_64 random(2);
  std::normal_distribution<double> noise(0.0, 1.0);
  std::uniform_real_distribution<double> centre(-10.0, 10.0);
  std::vector<std::vector<double>> centres(8, std::vector<double>(10));
  for (auto& c : centres) {
    for (double& x : c)
      x = centre(random);
  }
  std::vector<std::vector<double>> points(static_cast<size_t>(n), std::vector<double>(10));
  for (int i = 0; i < n; ++i) {
    const auto& c = centres[static_cast<size_t>(i) % centres.size()];
    for (size_t k = 0; k < 10; ++k)
      points[static_cast<size_t>(i)][k] = c[k] + noise(random);
  }
  return points;
}

// One side per (kind, size), built once.
CBenchSide& Side(bool mixture, int n) {
  static std::map<std::pair<bool, int>, std::unique_ptr<CBenchSide>> sides;
  auto& slot = sides[{mixture, n}];
  if (!slot) {
    slot = std::make_unique<CBenchSide>();
    const auto points = mixture ? GaussianMixture(n) : PlanePoints(n);
    CDistance& d = slot->distance;
    d.Allocate(n);
    for (int a = 0; a < n; ++a) {
      double* row = d.Row(a);
      for (int b = a + 1; b < n; ++b) {
        double sum = 0.0;
        for (size_t k = 0; k < points[0].size(); ++k) {
          const double step = points[static_cast<size_t>(a)][k] - points[static_cast<size_t>(b)][k];
          sum += step * step;
        }
        row[b] = std::sqrt(sum);
      }
    }
    d.SumByRows(nullptr);
    slot->elements.Initialize(n, &d, nullptr, {});
  }
  return *slot;
}

template <typename Method>
void Run(benchmark::State& state, bool mixture, Method method) {
  const int n = static_cast<int>(state.range(0));
  CBenchSide& side = Side(mixture, n);
  std::vector<int> sequence(static_cast<size_t>(n));
  double length = 0.0;
  for (auto _ : state) {
    std::iota(sequence.begin(), sequence.end(), 0);
    method(side, sequence);
    benchmark::DoNotOptimize(sequence.data());
  }
  for (int k = 0; k + 1 < n; ++k) {
    length +=
        side.distance.At(sequence[static_cast<size_t>(k)], sequence[static_cast<size_t>(k + 1)]);
  }
  state.counters["S"] = length;
}

void BM_MF(benchmark::State& state) {
  Run(state, false, [](CBenchSide& side, std::vector<int>& s) {
    SeriateByMF(side.elements, s.data(), static_cast<int>(s.size()));
  });
}
BENCHMARK(BM_MF)->Arg(1000)->Arg(2000)->Arg(5000)->MeasureProcessCPUTime()->Unit(
    benchmark::kMillisecond);

void BM_FA(benchmark::State& state) {
  Run(state, false, [](CBenchSide& side, std::vector<int>& s) {
    SeriateByFA(side.elements, s.data(), static_cast<int>(s.size()));
  });
}
BENCHMARK(BM_FA)->Arg(1000)->Arg(2000)->Arg(5000)->MeasureProcessCPUTime()->Unit(
    benchmark::kMillisecond);

void BM_FAThen2Opt(benchmark::State& state) {
  Run(state, false, [&](CBenchSide& side, std::vector<int>& s) {
    SeriateByFA(side.elements, s.data(), static_cast<int>(s.size()));
    const size_t before = side.services.progresses.size();
    ImproveBy2Opt(side.elements, s.data(), static_cast<int>(s.size()), {&side.services, nullptr});
    state.counters["passes"] =
        side.services.progresses.size() > before ? side.services.progresses.back().steps : 0;
  });
}
BENCHMARK(BM_FAThen2Opt)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_NumericUDS(benchmark::State& state) {
  Run(state, true, [](CBenchSide& side, std::vector<int>& s) {
    SeriateNumeric(side.elements, s.data(), static_cast<int>(s.size()), ESeriation::kScaling);
  });
  // How many products the power iteration made (the cap is kPowerIterationCap).
  CBenchSide& side = Side(true, static_cast<int>(state.range(0)));
  std::vector<int> identity(static_cast<size_t>(side.distance.size));
  std::iota(identity.begin(), identity.end(), 0);
  const CDistance positional = Extract(side.distance, identity.data(), side.distance.size);
  std::vector<double> vector;
  state.counters["steps"] =
      PowerIteration(ScalingMatrix(positional, ESeriation::kScaling), side.distance.size, vector, 1)
          .steps;
}
BENCHMARK(BM_NumericUDS)->Arg(2000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_DiscreteInertia(benchmark::State& state) {
  Run(state, true, [&](CBenchSide& side, std::vector<int>& s) {
    const size_t before = side.services.progresses.size();
    SeriateDiscrete(side.elements, s.data(), static_cast<int>(s.size()), ESeriation::kInertia,
                    {&side.services, nullptr});
    state.counters["passes"] =
        side.services.progresses.size() > before ? side.services.progresses.back().steps : 0;
  });
}
BENCHMARK(BM_DiscreteInertia)
    ->Arg(1000)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_Centroid(benchmark::State& state) {
  Run(state, true, [](CBenchSide& side, std::vector<int>& s) {
    SeriateByCentroid(side.elements, s.data(), static_cast<int>(s.size()), nullptr);
  });
}
BENCHMARK(BM_Centroid)->Arg(2000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
