// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFixture.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <fstream>

#include "WidgetApplication.h"
#include "document/ViewModel.h"
#include "render/HeatMapPicture.h"
#include "shell/MainWindow.h"
#include "shell/ViewWidget.h"
#include "tree/Tree.h"

std::string WriteTable(const CTempDir& folder, int rows, int columns,
                       const std::vector<std::string>& columnLabels, const std::string& name) {
  std::string text = "T";
  for (int j = 0; j < columns; ++j) {
    text +=
        "\t" + (static_cast<size_t>(j) < columnLabels.size() ? columnLabels[static_cast<size_t>(j)]
                                                             : "c" + std::to_string(j + 1));
  }
  text += "\n";
  for (int i = 0; i < rows; ++i) {
    text += "r" + std::to_string(i + 1);
    for (int j = 0; j < columns; ++j)
      text += "\t" + std::to_string((i * 7 + j * 3) % 11 - 4);
    text += "\n";
  }
  const std::string path = (folder.Path() / name).string();
  std::ofstream(path) << text;
  return path;
}

CDesktop::CDesktop(std::vector<std::string> keywords, CPictureExporter* exporter)
    : CDesktop(std::move(keywords), COptions{9, 5, {}, QSize(900, 700), false, exporter}) {}

CDesktop::CDesktop(std::vector<std::string> keywords, const COptions& options) {
  EnsureWidgetApplication();
  path = WriteTable(folder, options.rows, options.columns, options.columnLabels);
  keywords.insert(keywords.begin(), path);
  app = std::make_unique<CDesktopApp>(store, ScanCommandLine(keywords), options.exporter);
  app->MainWindow().resize(options.mainWindowSize);
  app->Start();
  if (options.normalWindow) {
    // Start takes the screen; this test chooses the size.
    app->MainWindow().showNormal();
    app->MainWindow().resize(options.mainWindowSize);
  }
  // The automatic treatment runs once the first window is shown.
  ProcessEvents();
}

CViewWidget& CDesktop::ActiveWidget() {
  return *static_cast<CViewWidget*>(app->MainWindow().ActiveChild());
}

QPoint CDesktop::PixelOfCell(int row, int column) {
  CViewWidget& widget = ActiveWidget();
  const CHeatMapPicture& picture = widget.Picture();
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  return widget.ToPixel(
      {matrix.left + picture.ColumnBounds().starts[static_cast<size_t>(column)] + 2,
       matrix.top + picture.RowBounds().starts[static_cast<size_t>(row)] + 2});
}

std::shared_ptr<CModalSeen> CloseNextModal(std::function<void(QWidget*)> act) {
  auto seen = std::make_shared<CModalSeen>();
  WhenModalShown([seen, act](QWidget* modal) {
    seen->shown = true;
    seen->title = modal->windowTitle();
    for (QLabel* label : modal->findChildren<QLabel*>())
      seen->text += label->text();
    if (act) act(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) {
      dialog->accept();
    }
  });
  return seen;
}

QPoint RowBranchPixel(CViewWidget& widget, int leaves) {
  widget.viewport()->grab();  // the drawing writes the hit rectangles
  const CTree& tree = widget.Model().rowTree;
  for (const CNode& node : tree.nodes) {
    if (node.IsLeaf() || node.count < leaves || node.index == tree.root) continue;
    const CRect& hit = widget.Picture().RowTreeGeometry().hitRects[static_cast<size_t>(node.index)];
    if (hit.right <= hit.left) continue;
    return widget.ToPixel({(hit.left + hit.right) / 2, (hit.top + hit.bottom) / 2});
  }
  return {-1, -1};
}

void ProcessEvents(int rounds) {
  for (int i = 0; i < rounds; ++i)
    QApplication::processEvents();
}

struct CModalScript::CState {
  std::vector<std::function<void(QWidget*)>> steps;
  size_t next = 0;
  QPointer<QWidget> last;
  QTimer timer;
};

CModalScript::CModalScript(std::vector<std::function<void(QWidget*)>> steps) {
  EnsureWidgetApplication();  // the timer needs the application (a test may start with a script)
  state_ = std::make_shared<CState>();
  state_->steps = std::move(steps);
  state_->timer.setInterval(5);
  std::weak_ptr<CState> weak = state_;
  QObject::connect(&state_->timer, &QTimer::timeout, [weak] {
    const std::shared_ptr<CState> state = weak.lock();
    if (!state) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == state->last || !modal->isVisible()) return;
    if (state->next >= state->steps.size()) return;
    state->last = modal;
    const auto step = state->steps[state->next++];
    step(modal);
  });
  state_->timer.start();
}

CModalScript::~CModalScript() {
  state_->timer.stop();
}

int CModalScript::Handled() const {
  return static_cast<int>(state_->next);
}

void ChooseInFileDialog(QFileDialog& dialog, const std::string& path) {
  dialog.selectFile(QString::fromStdString(path));
  if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
    name->setText(QString::fromStdString(path));
  }
}

QString ShownIn(QMenu* menu, int command) {
  for (QAction* action : menu->actions()) {
    if (action->menu()) {
      const QString text = ShownIn(action->menu(), command);
      if (!text.isEmpty()) return text;
    } else if (action->data().toInt() == command) {
      return action->text();
    }
  }
  return QString();
}

QMenu* MenuTitled(CMainWindow& main, const QString& title) {
  for (QAction* action : main.menuBar()->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}
