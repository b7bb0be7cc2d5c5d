// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap export of a 5,000 × 200 table at cell size 1: painting the cells through the colour
// painter on a screen device over an image, then encoding the 200 × 5,000 raster as BMP and as
// JPEG (each written to a temporary file).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "export/BmpWriter.h"
#include "export/JpegWriter.h"
#include "qt/RasterImage.h"
#include "qt/ScreenDC.h"
#include "render/ColorPainter.h"
#include "settings/DisplaySettings.h"

namespace {

constexpr int kRows = 5000;
constexpr int kColumns = 200;

struct CTable {
  std::vector<double> values;  // row-major
  CPaintedData data;
};

const CTable& Table() {
  static const CTable table = [] {
    CTable result;
    std::mt19937_64 random(42);
    std::normal_distribution<double> value(0.0, 4.0);
    result.values.resize(static_cast<size_t>(kRows) * kColumns);
    for (double& v : result.values) {
      v = value(random);
      result.data.maxValue = std::max(result.data.maxValue, v);
      result.data.minValue = std::min(result.data.minValue, v);
    }
    return result;
  }();
  return table;
}

void PaintTable(CRaster& raster) {
  DisplaySettings display;
  DeriveColorSwitches(display);
  QImage image = ImageOverRaster(raster);
  QPainter painter(&image);
  CScreenDC device(painter);
  CColorPainter colors(device, display, Table().data);
  colors.BuildLevelTable();
  colors.SetPictureColors();
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kColumns; ++j) {
      colors.PaintCell(CRect{j, i, j + 1, i + 1},
                       Table().values[static_cast<size_t>(i) * kColumns + j], false);
    }
  }
}

const CRaster& PaintedRaster() {
  static const CRaster raster = [] {
    CRaster result;
    result.Allocate(kColumns, kRows);
    result.dotsPerInch = 96;
    PaintTable(result);
    return result;
  }();
  return raster;
}

std::string TemporaryPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_PaintCells(benchmark::State& state) {
  CRaster raster;
  raster.Allocate(kColumns, kRows);
  for (auto _ : state)
    PaintTable(raster);
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_PaintCells)->Unit(benchmark::kMillisecond);

void BM_WriteBmp(benchmark::State& state) {
  const CRaster& raster = PaintedRaster();
  const std::string path = TemporaryPath("quorvel-bench-export.bmp");
  std::string error;
  for (auto _ : state) {
    if (!WriteBmp(raster, path, &error)) state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);

void BM_WriteJpeg(benchmark::State& state) {
  const CRaster& raster = PaintedRaster();
  const std::string path = TemporaryPath("quorvel-bench-export.jpg");
  std::string error;
  for (auto _ : state) {
    if (!WriteJpeg(raster, path, &error)) state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);

void BM_PaintAndWriteJpeg(benchmark::State& state) {
  const std::string path = TemporaryPath("quorvel-bench-export-all.jpg");
  std::string error;
  for (auto _ : state) {
    CRaster raster;
    raster.Allocate(kColumns, kRows);
    PaintTable(raster);
    if (!WriteJpeg(raster, path, &error)) state.SkipWithError(error.c_str());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_PaintAndWriteJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Painting needs the application object; no display is needed for images.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
