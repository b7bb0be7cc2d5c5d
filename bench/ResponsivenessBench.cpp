// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the desktop program answers with a 20,000 × 100 table open: the repaint of a window
// of about 1,400 × 900 pixels after a scroll, the layout and repaint after a change of zoom, and
// a flip of the rows (the view command, its R and S, the layout) with the repaint. Each goes
// through the real window: the view widget paints into an image of its viewport with the clip
// Qt gives a paint event. The table is opened once (reading and dissimilarities, outside the
// measures).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "document/ViewCommands.h"
#include "document/ViewModel.h"
#include "settings/Keywords.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/DesktopApp.h"
#include "shell/LabelListDlg.h"
#include "shell/ViewWidget.h"

namespace {

constexpr int kRows = 20000;
constexpr int kColumns = 100;
constexpr QSize kViewport(1400, 900);

QApplication& Application() {
  static int argc = 1;
  static char name[] = "bench_responsiveness";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication application(argc, argv);
  return application;
}

std::string WriteTable() {
  const auto path = std::filesystem::temp_directory_path() / "quorvel_bench_responsiveness.txt";
  std::ofstream out(path);
  std::mt19937 random(13);
  std::normal_distribution<double> value(0.0, 1.0);
  out << "T";
  for (int j = 0; j < kColumns; ++j)
    out << "\tcolumn " << j;
  out << "\n";
  for (int i = 0; i < kRows; ++i) {
    out << "row " << i;
    for (int j = 0; j < kColumns; ++j)
      out << "\t" << value(random);
    out << "\n";
  }
  return path.string();
}

// The desktop program with the table open in one window whose viewport is kViewport.
struct COpenTable {
  COpenTable() {
    Application();
    const std::string path = WriteTable();
    // The large-table question is answered with its default at once.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->accept();
    });
    answer.start(1);
    app = std::make_unique<CDesktopApp>(store, ScanCommandLine({path}), nullptr);
    app->Start();
    for (int k = 0; k < 5; ++k)
      QApplication::processEvents();
    answer.stop();
    std::filesystem::remove(path);
    widget = static_cast<CViewWidget*>(app->MainWindow().ActiveChild());
    if (widget == nullptr) return;
    auto* frame = qobject_cast<QMdiSubWindow*>(widget->parentWidget());
    app->MainWindow().showNormal();
    app->MainWindow().resize(kViewport + QSize(200, 400));
    frame->showMaximized();
    QApplication::processEvents();
    // The frame takes what the workspace gives; the viewport is made the size measured.
    const QSize extra = kViewport - widget->viewport()->size();
    app->MainWindow().resize(app->MainWindow().size() + extra);
    QApplication::processEvents();
    image = QImage(widget->viewport()->size(), QImage::Format_RGB32);
  }
  // One repaint of the whole viewport, as a paint event does it.
  void Repaint() { widget->viewport()->render(&image); }

  CMemorySettingsStore store;
  std::unique_ptr<CDesktopApp> app;
  CViewWidget* widget = nullptr;
  QImage image;
};

COpenTable& Table() {
  static COpenTable table;
  return table;
}

bool Ready(benchmark::State& state) {
  if (Table().widget != nullptr) return true;
  state.SkipWithError("the table did not open");
  return false;
}

void Report(benchmark::State& state) {
  state.counters["width"] = Table().image.width();
  state.counters["height"] = Table().image.height();
}

void BM_RepaintAfterScroll_20000x100(benchmark::State& state) {
  if (!Ready(state)) return;
  CViewWidget& widget = *Table().widget;
  QScrollBar* bar = widget.verticalScrollBar();
  int step = 0;
  for (auto _ : state) {
    // Through the table and back, a window's height at a time.
    bar->setValue((bar->value() + bar->pageStep() * (++step % 7 + 1)) % (bar->maximum() + 1));
    Table().Repaint();
  }
  Report(state);
}
BENCHMARK(BM_RepaintAfterScroll_20000x100)->Unit(benchmark::kMillisecond);

void BM_RelayoutAndRepaintAfterZoom_20000x100(benchmark::State& state) {
  if (!Ready(state)) return;
  CViewWidget& widget = *Table().widget;
  widget.verticalScrollBar()->setValue(widget.verticalScrollBar()->maximum() / 2);
  bool in = false;
  for (auto _ : state) {
    in = !in;
    widget.ZoomAt(in ? 1.25 : 1.0, widget.ToLayout({700, 450}));
    Table().Repaint();
  }
  widget.ZoomAt(1.0, widget.ToLayout({700, 450}));
  Report(state);
}
BENCHMARK(BM_RelayoutAndRepaintAfterZoom_20000x100)->Unit(benchmark::kMillisecond);

void BM_FlipAndRepaint_20000x100(benchmark::State& state) {
  if (!Ready(state)) return;
  CMainWindow& main = Table().app->MainWindow();
  // The share of the command (with R, S and the layout) and of the repaint.
  double command = 0.0, repaint = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    main.Dispatch(cmd::kFlipRows);
    const auto flipped = std::chrono::steady_clock::now();
    Table().Repaint();
    command += std::chrono::duration<double, std::milli>(flipped - start).count();
    repaint += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - flipped)
                   .count();
  }
  state.counters["command_ms"] = command / static_cast<double>(state.iterations());
  state.counters["repaint_ms"] = repaint / static_cast<double>(state.iterations());
  Report(state);
}
BENCHMARK(BM_FlipAndRepaint_20000x100)->Unit(benchmark::kMillisecond);

// The view command alone (with R, S, the undo record and the layout), without the main
// window's refresh of its menus, lists and dialogs.
void BM_FlipCommandOnly_20000x100(benchmark::State& state) {
  if (!Ready(state)) return;
  CViewModel& view = *Table().app->ActiveView();
  for (auto _ : state)
    FlipSide(view, true);
}
BENCHMARK(BM_FlipCommandOnly_20000x100)->Unit(benchmark::kMillisecond);

// The label list taking a selection of every row (each flip of the whole side refreshes it).
void BM_LabelListOfEveryRow_20000(benchmark::State& state) {
  if (!Ready(state)) return;
  std::vector<std::string> labels;
  for (int i = 0; i < kRows; ++i)
    labels.push_back("row " + std::to_string(i));
  CLabelListDlg& list = Table().app->MainWindow().LabelList();
  for (auto _ : state)
    list.ShowSelection(labels);
}
BENCHMARK(BM_LabelListOfEveryRow_20000)->Unit(benchmark::kMillisecond);

// The layout alone, as every change of the window's model asks for it.
void BM_Relayout_20000x100(benchmark::State& state) {
  if (!Ready(state)) return;
  for (auto _ : state)
    Table().widget->ModelChanged(false);
}
BENCHMARK(BM_Relayout_20000x100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
