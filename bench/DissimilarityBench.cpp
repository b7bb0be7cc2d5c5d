// SPDX-License-Identifier: GPL-3.0-or-later
// Dissimilarity matrices of generated tables (every measure, rows) and the objective functions
// R and S at n = 10,000.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

#include "ScriptedServices.h"
#include "data/DataFactory.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/MeasureRegistry.h"
#include "dissimilarity/Objective.h"

namespace {

// The machine is shared: with repetitions, the fastest run is the figure to read.
double Fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

struct CBenchTable {
  std::unique_ptr<CData> data;
  EDissimilarity measure = EDissimilarity::kEuclidean;
  CDistance rows;
  CDistance columns;
};

// A prepared table of `dataType` with `rows` × `columns` generated cells, its matrices bound.
std::unique_ptr<CBenchTable> MakeTable(int dataType, int code, int rows, int columns) {
  auto table = std::make_unique<CBenchTable>();
  table->measure = ChoiceOf<EDissimilarity>(code);
  table->data = CreateDataTable(ChoiceOf<EDataType>(dataType));
  CData& data = *table->data;
  data.Allocate(rows, columns);
  std::mt19937_64 random(42);
  std::normal_distribution<double> value(10.0, 4.0);
  std::uniform_int_distribution<int> small(0, 4);
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      switch (dataType) {
        case 0:
          data.At(i, j) = value(random);
          break;
        case 1:
          data.At(i, j) = small(random) < 2 ? 1.0 : 0.0;
          break;
        case 2:
          data.At(i, j) = i == 0 ? 0.0 : small(random);
          break;
        default:
          data.At(i, j) = 1.0 + small(random);
          break;
      }
    }
  }
  data.Prepare();
  data.ComputeValueRange();
  data.Validate();
  table->rows.Allocate(rows);
  table->columns.Allocate(columns);
  return table;
}

// Args: data type, code, rows, columns, by columns.
void BM_Distances(benchmark::State& state) {
  const auto table = MakeTable(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                               static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
  const bool byColumns = state.range(4) != 0;
  const CData& data = *table->data;
  const CMeasureRow* measure = FindMeasure(table->measure);
  const MeasureKernel kernel = measure ? measure->For(data.DataType()) : nullptr;
  if (kernel == nullptr) {
    state.SkipWithError("no such measure for this data type");
    return;
  }
  CDistance& matrix = byColumns ? table->columns : table->rows;
  for (auto _ : state) {
    if (!kernel(data, byColumns, matrix, nullptr, nullptr)) state.SkipWithError("stopped");
    benchmark::ClobberMemory();
  }
  const int64_t n = byColumns ? state.range(3) : state.range(2);
  state.counters["pairs/s"] = benchmark::Counter(static_cast<double>(n * (n - 1) / 2),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

void NumericalArguments(benchmark::internal::Benchmark* b) {
  for (const int code : {1, 2, 3, 7, 8}) {
    for (const int rows : {5000, 10000})
      b->Args({0, code, rows, 100, 0});
  }
  b->Args({0, 1, 10000, 100, 1});  // the columns of the larger table
}
BENCHMARK(BM_Distances)
    ->Apply(NumericalArguments)
    ->Args({1, 1, 2000, 200, 0})
    ->Args({1, 4, 2000, 200, 0})
    ->Args({1, 5, 2000, 200, 0})
    ->Args({1, 7, 2000, 200, 0})
    ->Args({2, 6, 5000, 100, 0})
    ->Args({3, 9, 5000, 100, 0})
    ->ArgNames({"type", "code", "rows", "columns", "byColumns"})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);

// A matrix of n items with random dissimilarities and its sums.
const CDistance& RandomMatrix(int n) {
  static CDistance matrix;
  if (matrix.size != n) {
    matrix.Allocate(n);
    uint64_t state = 88172645463325252ull;
    for (int i = 0; i < n; ++i) {
      double* row = matrix.Row(i);
      for (int j = i + 1; j < n; ++j) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        row[j] = static_cast<double>(state >> 11) * 0x1.0p-53 * 100.0;
      }
    }
    matrix.SumByRows(nullptr);
  }
  return matrix;
}

std::vector<int> ShuffledOrder(int n) {
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(3));
  return order;
}

void BM_ObjectiveR(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const CDistance& matrix = RandomMatrix(n);
  const std::vector<int> order = ShuffledOrder(n);
  for (auto _ : state)
    benchmark::DoNotOptimize(ObjectiveR(order.data(), n, matrix, nullptr));
}
BENCHMARK(BM_ObjectiveR)
    ->Arg(10000)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);

void BM_ObjectiveS(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const CDistance& matrix = RandomMatrix(n);
  const std::vector<int> order = ShuffledOrder(n);
  for (auto _ : state)
    benchmark::DoNotOptimize(ObjectiveS(order.data(), n, matrix, nullptr).s);
}
BENCHMARK(BM_ObjectiveS)
    ->Arg(10000)
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
