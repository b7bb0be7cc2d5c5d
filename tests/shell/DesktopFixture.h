// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "settings/SettingsStore.h"
#include "shell/DesktopApp.h"

class CPictureExporter;
class CViewWidget;
class CMainWindow;
class QFileDialog;
class QMenu;
class QWidget;

// A table of `rows` × `columns` small integers labelled r1…, c1… (or the given column labels),
// titled T, written as `name` into `folder`.
std::string WriteTable(const CTempDir& folder, int rows, int columns,
                       const std::vector<std::string>& columnLabels = {},
                       const std::string& name = "table.txt");

// A desktop program on the offscreen platform with a file given on its command line.
struct CDesktop {
  struct COptions {
    int rows = 9;
    int columns = 5;
    std::vector<std::string> columnLabels;
    QSize mainWindowSize{900, 700};
    // The main window shown normal at that size after the start (which takes the screen).
    bool normalWindow = false;
    CPictureExporter* exporter = nullptr;
  };
  explicit CDesktop(std::vector<std::string> keywords, CPictureExporter* exporter = nullptr);
  CDesktop(std::vector<std::string> keywords, const COptions& options);

  CViewWidget& ActiveWidget();
  // A point inside cell (row, column) of the active window's matrix, in its viewport's pixels.
  QPoint PixelOfCell(int row, int column);

  CTempDir folder;
  CMemorySettingsStore store;
  std::string path;
  std::unique_ptr<CDesktopApp> app;
};

// What the next modal window showed; it is closed with OK (after `act`, which may click in it).
struct CModalSeen {
  QString title;
  QString text;
  bool shown = false;
};
std::shared_ptr<CModalSeen> CloseNextModal(std::function<void(QWidget*)> act = {});

// The centre of the first branch of the row dendrogram (in pre-order) over at least `leaves`
// leaves, in pixels of the window.
QPoint RowBranchPixel(CViewWidget& widget, int leaves);

// Puts `path` into a file dialog as a user types it (the dialog's file list fills in the
// background, so selecting a file it has not listed yet may leave another one selected).
void ChooseInFileDialog(QFileDialog& dialog, const std::string& path);

// The text a menu (or one of its submenus) shows for `command`, "" when it has no item for it.
QString ShownIn(QMenu* menu, int command);
// The menu of the menu bar with that title, or nullptr.
QMenu* MenuTitled(CMainWindow& main, const QString& title);

// Lets the event loop run (layouts, posted events) a few times.
void ProcessEvents(int rounds = 5);

// Handles the modal windows that the next statements open, one step per window in order: each
// step gets the window and must close it (or leave it to the step's own clicks). Steps left
// over when the script is destroyed were never needed.
class CModalScript {
 public:
  explicit CModalScript(std::vector<std::function<void(QWidget*)>> steps);
  ~CModalScript();
  int Handled() const;

 private:
  struct CState;
  std::shared_ptr<CState> state_;
};
