// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the readers of analysts' files on a generated 10,000 × 500 numerical table (the
// text reader's benchmark reads the same table): comma-separated values with quoted labels, and
// an .xlsx workbook (shared-string labels, numbers in deflated sheet XML), each read into a data
// table from its file.
#include <benchmark/benchmark.h>
#include <minizip/zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ScriptedServices.h"
#include "data/DataFactory.h"
#include "data/TableFileReader.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 500;

std::filesystem::path BenchPath(const char* extension) {
  return std::filesystem::temp_directory_path() /
         ("quorvel-bench-" + std::to_string(kRows) + "x" + std::to_string(kColumns) + extension);
}

std::string Value(std::mt19937_64& random, std::normal_distribution<double>& value) {
  char cell[32];
  std::snprintf(cell, sizeof cell, "%.6g", value(random));
  return cell;
}

std::string WriteCsv() {
  const auto path = BenchPath(".csv");
  if (std::filesystem::exists(path)) return path.string();
  std::ofstream out(path);
  std::mt19937_64 random(42);
  std::normal_distribution<double> value(10.0, 4.0);
  out << "\"Title\"";
  for (int j = 0; j < kColumns; ++j)
    out << ",\"c " << j << "\"";
  out << "\n";
  for (int i = 0; i < kRows; ++i) {
    out << "\"row " << i << "\"";
    for (int j = 0; j < kColumns; ++j)
      out << ',' << Value(random, value);
    out << "\n";
  }
  return path.string();
}

std::string ColumnName(int column) {
  std::string name;
  for (++column; column > 0; column = (column - 1) / 26)
    name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
  return name;
}

void AddMember(zipFile zip, const char* name, const std::string& content) {
  zipOpenNewFileInZip(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                      Z_DEFAULT_COMPRESSION);
  zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size()));
  zipCloseFileInZip(zip);
}

std::string WriteXlsx() {
  const auto path = BenchPath(".xlsx");
  if (std::filesystem::exists(path)) return path.string();
  std::mt19937_64 random(42);
  std::normal_distribution<double> value(10.0, 4.0);
  std::string strings =
      "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/"
      "spreadsheetml/2006/main\"><si><t>Title</t></si>";
  for (int j = 0; j < kColumns; ++j)
    strings += "<si><t>c " + std::to_string(j) + "</t></si>";
  for (int i = 0; i < kRows; ++i)
    strings += "<si><t>row " + std::to_string(i) + "</t></si>";
  strings += "</sst>";
  std::string sheet =
      "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats."
      "org/spreadsheetml/2006/main\"><sheetData>";
  std::vector<std::string> names;
  for (int j = 0; j <= kColumns; ++j)
    names.push_back(ColumnName(j));
  for (int i = 0; i <= kRows; ++i) {
    const std::string row = std::to_string(i + 1);
    sheet += "<row r=\"" + row + "\">";
    for (int j = 0; j <= kColumns; ++j) {
      sheet += "<c r=\"" + names[static_cast<size_t>(j)] + row + "\"";
      if (i == 0 || j == 0) {
        const int index = i == 0 ? j : kColumns + i;
        sheet += " t=\"s\"><v>" + std::to_string(index) + "</v></c>";
      } else {
        sheet += "><v>" + Value(random, value) + "</v></c>";
      }
    }
    sheet += "</row>";
  }
  sheet += "</sheetData></worksheet>";
  zipFile zip = zipOpen(path.string().c_str(), APPEND_STATUS_CREATE);
  AddMember(zip, "xl/workbook.xml",
            "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/"
            "spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/"
            "officeDocument/2006/relationships\"><sheets><sheet name=\"S\" sheetId=\"1\" "
            "r:id=\"rId1\"/></sheets></workbook>");
  AddMember(zip, "xl/_rels/workbook.xml.rels",
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://"
            "schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
            "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"http://"
            "schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
            "Target=\"sharedStrings.xml\"/></Relationships>");
  AddMember(zip, "xl/sharedStrings.xml", strings);
  AddMember(zip, "xl/worksheets/sheet1.xml", sheet);
  zipClose(zip, nullptr);
  return path.string();
}

void Read(benchmark::State& state, const std::string& path) {
  CScriptedServices services;
  CReadContext context;
  context.progress = &services;
  context.confirmLargeTable = [&](int rows) { return services.ConfirmLargeTable(rows); };
  for (auto _ : state) {
    auto data = CreateDataTable(EDataType::kNumerical);
    data->fileName = path;
    if (ReadTableFile(*data, CReadOptions{}, context).code != 0) state.SkipWithError("read failed");
    if (data->columnCount != kColumns) state.SkipWithError("wrong table");
    benchmark::DoNotOptimize(data->Block());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_ReadCommaSeparated(benchmark::State& state) {
  Read(state, WriteCsv());
}
BENCHMARK(BM_ReadCommaSeparated)->Unit(benchmark::kMillisecond);

void BM_ReadXlsxWorkbook(benchmark::State& state) {
  Read(state, WriteXlsx());
}
BENCHMARK(BM_ReadXlsxWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
