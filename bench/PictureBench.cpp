// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of a window: layout and repaint of a 1,000 × 100 table at cell size 12 (with both
// dendrograms, labels and the top frame) on a screen device over an off-screen image, and the
// JPEG export of a 5,000 × 200 table at cell size 1 (layout, drawing and encoding).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "data/Data.h"
#include "qt/PictureExport.h"
#include "qt/QtTextMeasurer.h"
#include "qt/ScreenDC.h"
#include "render/HeatMapPicture.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

QGuiApplication& Application() {
  static int argc = 1;
  static char name[] = "bench_picture";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication application(argc, argv);
  return application;
}

// A random table with a caterpillar dendrogram on each side (the deepest tree).
struct CTablePicture {
  CTablePicture(int rowCount, int columnCount, int cell) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    data.Allocate(rowCount, columnCount);
    for (int i = 0; i < rowCount; ++i) {
      data.rowLabels.push_back("row " + std::to_string(i));
      for (int j = 0; j < columnCount; ++j)
        data.At(i, j) = value(random);
    }
    for (int j = 0; j < columnCount; ++j)
      data.columnLabels.push_back("col" + std::to_string(j));
    data.maxValue = 10, data.minValue = -10;
    data.maxRowLabelLength = 8, data.maxColumnLabelLength = 6;
    rows.Initialize(rowCount, nullptr, &data.rowLabels, {});
    columns.Initialize(columnCount, nullptr, &data.columnLabels, {});
    Caterpillar(rows);
    Caterpillar(columns);
    display.hx = display.hy = cell;
    DeriveColorSwitches(display);
    input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
    input.report.rows.s = input.report.columns.s = 1.0;
  }
  static void Caterpillar(CTree& side) {
    const int n = static_cast<int>(side.order.size());
    side.nodes.assign(static_cast<size_t>(n), CNode{});
    for (int k = 0; k < n; ++k) {
      side.nodes[static_cast<size_t>(k)].index = side.nodes[static_cast<size_t>(k)].left = k;
      side.nodes[static_cast<size_t>(k)].count = 1;
    }
    int previous = 0;
    for (int k = 1; k < n; ++k) {
      CNode node;
      node.index = static_cast<int>(side.nodes.size());
      node.left = previous, node.right = k, node.height = k, node.count = k + 1;
      node.expanded = true;
      side.nodes.push_back(node);
      previous = node.index;
    }
    side.root = previous;
    side.rootHeight = n - 1;
    side.hasTree = true;
    side.RebuildOrder(side.root);
  }
  CData data;
  CTree rows, columns;
  DisplaySettings display;
  CPictureInput input;
};

void BM_LayoutAndRepaint_1000x100_Cell12(benchmark::State& state) {
  Application();
  CTablePicture table(1000, 100, 12);
  CQtTextMeasurer measurer;
  CHeatMapPicture picture(table.input);
  for (auto _ : state) {
    picture.RecomputeLayout(measurer);
    CRaster raster;
    RenderPictureRaster(picture, raster);
    benchmark::DoNotOptimize(raster.pixels.data());
  }
}
BENCHMARK(BM_LayoutAndRepaint_1000x100_Cell12)->Unit(benchmark::kMillisecond);

// A window's repaint: the picture drawn through the screen device at zoom 1 into a client area
// of 1,200 × 900 pixels (the window shows the top-left part), as the view widget paints it.
void ViewRepaint(benchmark::State& state, int rows, int columns, int cell) {
  Application();
  CTablePicture table(rows, columns, cell);
  CQtTextMeasurer measurer;
  CHeatMapPicture picture(table.input);
  picture.RecomputeLayout(measurer);
  QImage window(1200, 900, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&window);
    CScreenDC device(painter, false);
    device.PrepareZoom(picture.PictureSize(), 1.0, CPoint{0, 0});
    picture.DrawPicture(device, true);
  }
}
void BM_ViewRepaint_2000x200_Cell1(benchmark::State& state) {
  ViewRepaint(state, 2000, 200, 1);
}
void BM_ViewRepaint_500x50_Cell12(benchmark::State& state) {
  ViewRepaint(state, 500, 50, 12);
}
void BM_ViewRepaint_1000x100_Cell12(benchmark::State& state) {
  ViewRepaint(state, 1000, 100, 12);
}
BENCHMARK(BM_ViewRepaint_2000x200_Cell1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewRepaint_500x50_Cell12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewRepaint_1000x100_Cell12)->Unit(benchmark::kMillisecond);

void BM_JpegExport_5000x200_Cell1(benchmark::State& state) {
  Application();
  CTablePicture table(5000, 200, 1);
  CQtTextMeasurer measurer;
  const std::string path =
      (std::filesystem::temp_directory_path() / "quorvel_bench_picture.jpg").string();
  for (auto _ : state) {
    CHeatMapPicture picture(table.input);
    picture.RecomputeLayout(measurer);
    CExportFailure failure;
    if (!ExportPicture(picture, EExportFormat::kJpeg, path, &failure)) {
      state.SkipWithError(failure.message.c_str());
    }
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_JpegExport_5000x200_Cell1)->Unit(benchmark::kMillisecond);

// Every export of a table's picture (layout, drawing, encoding, writing): arguments are the
// format code (2 JPEG, 3 PostScript, 4 BMP, 5 PNG, 6 PDF, 7 SVG), rows, columns and cell size.
void BM_Export(benchmark::State& state) {
  Application();
  const int format = static_cast<int>(state.range(0));
  CTablePicture table(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)),
                      static_cast<int>(state.range(3)));
  CQtTextMeasurer measurer;
  const std::string path =
      (std::filesystem::temp_directory_path() / "quorvel_bench_export.out").string();
  for (auto _ : state) {
    CHeatMapPicture picture(table.input);
    picture.RecomputeLayout(measurer);
    CExportFailure failure;
    if (!ExportPicture(picture, ChoiceOf<EExportFormat>(format), path, &failure))
      state.SkipWithError(failure.message.c_str());
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_Export)
    ->ArgsProduct({{2, 3, 4, 5, 6, 7}, {1000}, {100}, {1, 12}})
    ->ArgsProduct({{2, 3, 4, 5, 6, 7}, {5000}, {200}, {1, 12}})
    ->ArgNames({"format", "rows", "columns", "cell"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
