// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the text reader on a generated 10,000 × 500 numerical table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "ScriptedServices.h"
#include "data/DataFactory.h"
#include "data/TextTableReader.h"

namespace {

std::string WriteTable(int rows, int columns) {
  const auto path =
      std::filesystem::temp_directory_path() /
      ("quorvel-bench-" + std::to_string(rows) + "x" + std::to_string(columns) + ".txt");
  if (std::filesystem::exists(path)) return path.string();
  std::ofstream out(path);
  std::mt19937_64 random(42);
  std::normal_distribution<double> value(10.0, 4.0);
  out << "Title";
  for (int j = 0; j < columns; ++j)
    out << "\tc" << j;
  out << "\n";
  char cell[32];
  for (int i = 0; i < rows; ++i) {
    out << "row" << i;
    for (int j = 0; j < columns; ++j) {
      std::snprintf(cell, sizeof cell, "\t%.6g", value(random));
      out << cell;
    }
    out << "\n";
  }
  return path.string();
}

void BM_ReadTextTable(benchmark::State& state) {
  const std::string path =
      WriteTable(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  CScriptedServices services;
  CReadContext context;
  context.progress = &services;
  context.confirmLargeTable = [&](int rows) { return services.ConfirmLargeTable(rows); };
  for (auto _ : state) {
    auto data = CreateDataTable(EDataType::kNumerical);
    data->fileName = path;
    if (ReadTextTable(*data, CReadOptions{}, context).code != 0) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(data->Block());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadTextTable)->Args({10000, 500})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
