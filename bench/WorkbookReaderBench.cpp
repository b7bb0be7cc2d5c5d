// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the workbook reader: a generated 10,000 × 100 sheet of reals (NUMBER records),
// integers (MULRK rows) and shared-string labels, parsed from memory and read into a data table.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "ScriptedServices.h"
#include "WorkbookBuilder.h"
#include "data/DataFactory.h"
#include "data/WorkbookTableReader.h"
#include "workbook/Workbook.h"

namespace {

// Title row and column as shared strings; reals as NUMBER records when `reals`, else one MULRK
// record per row of integers.
Bytes SheetStream(int rows, int columns, bool reals) {
  Bytes strings;
  PutU32(strings, static_cast<uint32_t>(rows + columns + 1));
  PutU32(strings, static_cast<uint32_t>(rows + columns + 1));
  const auto addString = [&](const std::string& text) {
    PutU16(strings, static_cast<uint16_t>(text.size()));
    strings.push_back(0);
    strings.insert(strings.end(), text.begin(), text.end());
  };
  addString("Title");
  for (int j = 0; j < columns; ++j)
    addString("c" + std::to_string(j));
  for (int i = 0; i < rows; ++i)
    addString("row" + std::to_string(i));
  // The table goes into CONTINUE records of at most 8224 bytes (each string kept whole).
  Bytes globals;
  size_t start = 0;
  bool first = true;
  while (start < strings.size()) {
    size_t end = std::min(strings.size(), start + 8224);
    if (end < strings.size()) {
      size_t cut = first ? 8 : start;
      for (size_t p = cut; p < end;) {
        const size_t next = p + 3 + (strings[p] | (strings[p + 1] << 8));
        if (next > end) break;
        cut = p = next;
      }
      end = cut;
    }
    const Bytes record =
        Record(first ? 0x00FC : 0x003C, Bytes(strings.begin() + start, strings.begin() + end));
    globals.insert(globals.end(), record.begin(), record.end());
    start = end;
    first = false;
  }
  std::mt19937_64 random(42);
  std::normal_distribution<double> value(10.0, 4.0);
  Bytes cells =
      DimensionsRecord(static_cast<uint32_t>(rows + 1), static_cast<uint16_t>(columns + 1));
  const auto append = [&](const Bytes& record) {
    cells.insert(cells.end(), record.begin(), record.end());
  };
  append(LabelSstRecord(0, 0, 0));
  for (int j = 0; j < columns; ++j) {
    append(LabelSstRecord(0, static_cast<uint16_t>(j + 1), static_cast<uint32_t>(j + 1)));
  }
  for (int i = 0; i < rows; ++i) {
    const auto row = static_cast<uint16_t>(i + 1);
    append(LabelSstRecord(row, 0, static_cast<uint32_t>(columns + 1 + i)));
    if (reals) {
      for (int j = 0; j < columns; ++j)
        append(NumberRecord(row, static_cast<uint16_t>(j + 1), value(random)));
    } else {
      Bytes body;
      PutU16(body, row);
      PutU16(body, 1);
      for (int j = 0; j < columns; ++j) {
        PutU16(body, 0);
        PutU32(body, (static_cast<uint32_t>(random() % 100000) << 2) | 2u);
      }
      PutU16(body, static_cast<uint16_t>(columns));
      append(Record(0x00BD, body));
    }
  }
  return CCompoundBuilder(WorkbookStream(globals, {cells})).bytes;
}

const Bytes& File(bool reals) {
  static const Bytes realFile = SheetStream(10000, 100, true);
  static const Bytes integerFile = SheetStream(10000, 100, false);
  return reals ? realFile : integerFile;
}

void BM_LoadWorkbook(benchmark::State& state) {
  const Bytes& file = File(state.range(0) != 0);
  for (auto _ : state) {
    CWorkbook workbook;
    if (!workbook.LoadWorkbookBytes(file)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(workbook.SheetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadWorkbook)->ArgName("reals")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ReadWorkbookTable(benchmark::State& state) {
  const bool reals = state.range(0) != 0;
  const auto path = std::filesystem::temp_directory_path() /
                    (reals ? "quorvel-bench-reals.xls" : "quorvel-bench-integers.xls");
  {
    const Bytes& file = File(reals);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
  }
  CScriptedServices services;
  CReadContext context;
  context.progress = &services;
  context.confirmLargeTable = [&](int rows) { return services.ConfirmLargeTable(rows); };
  for (auto _ : state) {
    auto data = CreateDataTable(EDataType::kNumerical);
    data->fileName = path.string();
    if (ReadWorkbookTable(*data, CReadOptions{}, context).code != 0)
      state.SkipWithError("read failed");
    benchmark::DoNotOptimize(data->Block());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadWorkbookTable)->ArgName("reals")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
