// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program: the main window, the load of a 1,000 × 100 numerical table
// (reading, dissimilarities of both sides, R and S) and the first window painted, on the
// offscreen platform. The process start and Qt's own initialisation come on top (measured once,
// outside the loop, by the first iteration).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "qt/QtSettingsStore.h"
#include "settings/Keywords.h"
#include "settings/SettingsStore.h"
#include "shell/DesktopApp.h"
#include "shell/ViewWidget.h"

namespace {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "bench_startup";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication application(argc, argv);
  return application;
}

std::string WriteTable(int rows, int columns) {
  const auto path = std::filesystem::temp_directory_path() / "quorvel_bench_startup.txt";
  std::ofstream out(path);
  std::mt19937 random(11);
  std::normal_distribution<double> value(0.0, 1.0);
  out << "T";
  for (int j = 0; j < columns; ++j)
    out << "\tc" << j;
  out << "\n";
  for (int i = 0; i < rows; ++i) {
    out << "r" << i;
    for (int j = 0; j < columns; ++j)
      out << "\t" << value(random);
    out << "\n";
  }
  return path.string();
}

void BM_StartupToFirstPaintedWindow_1000x100(benchmark::State& state) {
  Application();
  const std::string path = WriteTable(1000, 100);
  // A table of 1,000 rows asks whether to go on: the benchmark answers with the default at
  // once (the time a user takes to answer is not the program's).
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
  answer.start(1);
  for (auto _ : state) {
    CMemorySettingsStore store;
    CDesktopApp app(store, ScanCommandLine({path}), nullptr);
    app.Start();
    QApplication::processEvents();
    auto* view = static_cast<CViewWidget*>(app.MainWindow().ActiveChild());
    if (view == nullptr) {
      state.SkipWithError("no window");
      break;
    }
    view->viewport()->grab();
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_StartupToFirstPaintedWindow_1000x100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
