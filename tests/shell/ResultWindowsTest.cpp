// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <fstream>

#include "DesktopFixture.h"
#include "TestFiles.h"
#include "WidgetApplication.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/DesktopApp.h"
#include "shell/ViewWidget.h"
#include "tree/Tree.h"

namespace {

constexpr char kTable[] =
    "T\ta\tb\tc\nr1\t1\t9\t2\nr2\t8\t1\t7\nr3\t2\t8\t3\nr4\t9\t2\t8\nr5\t3\t7\t1\n";

void Settle() {
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
}

void Activate(CMainWindow& main, QWidget* child) {
  main.findChild<QMdiArea*>()->setActiveSubWindow(
      qobject_cast<QMdiSubWindow*>(child->parentWidget()));
  Settle();
}

}  // namespace

TEST(StartWithoutFile, TheProgramAsksForADataFileAndCancelLeavesTheEmptyMainWindow) {
  EnsureWidgetApplication();
  CTempDir folder;
  const std::string path = folder.Write("asked.txt", kTable);
  for (const bool pick : {true, false}) {
    SCOPED_TRACE(pick);
    CMemorySettingsStore store;
    store.WriteInt("Settings\\Treatement", "ShowWindowsOptionsDlgAtStartTime", 0);
    CDesktopApp app(store, ScanCommandLine({}), nullptr);
    QString title;
    QStringList filters;
    bool asked = false;
    WhenModalShown([&](QWidget* modal) {
      asked = true;
      title = modal->windowTitle();
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      filters = dialog->nameFilters();
      if (pick) {
        ChooseInFileDialog(*dialog, path);
        static_cast<QDialog*>(dialog)->accept();
      } else {
        dialog->reject();
      }
    });
    app.Start();
    for (int i = 0; i < 50 && !asked; ++i)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    Settle();
    ASSERT_TRUE(asked);
    EXPECT_FALSE(filters.isEmpty());
    EXPECT_TRUE(filters.front().contains("*.txt")) << filters.front().toStdString();
    EXPECT_TRUE(filters.front().contains("*.xls")) << filters.front().toStdString();
    EXPECT_EQ(app.Documents().size(), pick ? 1u : 0u);
    EXPECT_EQ(app.MainWindow().ChildCount(), pick ? 1 : 0);
    EXPECT_TRUE(app.MainWindow().isVisible());
  }
}

TEST(ResultWindows, AResultCopiesTheNewestWindowAndSavingTakesItsSelection) {
  EnsureWidgetApplication();
  CTempDir folder;
  const std::string path = folder.Write("table.txt", kTable);
  CMemorySettingsStore store;
  CDesktopApp app(store, ScanCommandLine({path}), nullptr);
  app.MainWindow().resize(900, 700);
  app.Start();
  Settle();
  CMainWindow& main = app.MainWindow();
  ASSERT_EQ(main.ChildCount(), 1);
  CViewModel& first = *app.ActiveView();
  CQuorvelDoc& document = first.Document();

  // A seriation of the columns in a new, second window changes their order.
  main.Dispatch(cmd::kSeriateColumns);
  ASSERT_EQ(main.ChildCount(), 2);
  CViewModel& second = *app.ActiveView();
  ASSERT_NE(second.columnTree.order, first.columnTree.order);

  // Back in the first window: it stays the window the commands act on, but the document's
  // current window is still the newest one.
  Activate(main, main.Children().front());
  ASSERT_EQ(app.ActiveView(), &first);
  EXPECT_EQ(document.currentView, &second);

  // A clustering of the rows given in the first window opens a copy of the newest window.
  main.Dispatch(cmd::kClusterRows);
  ASSERT_EQ(main.ChildCount(), 3);
  CViewModel& third = *document.currentView;
  EXPECT_TRUE(third.rowTree.hasTree);
  EXPECT_FALSE(first.rowTree.hasTree) << "the first window keeps its orders";
  EXPECT_EQ(third.columnTree.order, second.columnTree.order);

  // Saving the selected items writes the selection of the newest window, wherever the command
  // is given: two rows selected in the first window, every row in the third.
  Activate(main, main.Children().front());
  first.rowTree.selectionStart = 1;
  first.rowTree.selectionLength = 2;
  first.rowTree.userSelection = true;
  document.saveName = (folder.Path() / "saved.txt").string();
  main.Dispatch(cmd::kSave);
  std::ifstream saved(document.saveName);
  int lines = 0;
  for (std::string line; std::getline(saved, line);)
    ++lines;
  EXPECT_EQ(lines, 6) << "the header and the five rows of the newest window";
}
