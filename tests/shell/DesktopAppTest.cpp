#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "TestFiles.h"
#include "WidgetApplication.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "render/HeatMapPicture.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/DesktopApp.h"
#include "shell/LabelListDlg.h"
#include "shell/ViewWidget.h"

namespace {

std::string WriteTable(const CTempDir& folder, int rows, int columns) {
  std::string text = "T";
  for (int j = 0; j < columns; ++j)
    text += "\tc" + std::to_string(j + 1);
  text += "\n";
  for (int i = 0; i < rows; ++i) {
    text += "r" + std::to_string(i + 1);
    for (int j = 0; j < columns; ++j)
      text += "\t" + std::to_string((i * 7 + j * 3) % 11 - 4);
    text += "\n";
  }
  const std::string path = (folder.Path() / "table.txt").string();
  std::ofstream(path) << text;
  return path;
}

// A desktop program on the offscreen platform with a file given on its command line.
struct CDesktop {
  explicit CDesktop(std::vector<std::string> keywords) {
    EnsureWidgetApplication();
    path = WriteTable(folder, 9, 5);
    keywords.insert(keywords.begin(), path);
    app = std::make_unique<CDesktopApp>(store, ScanCommandLine(keywords), nullptr);
    app->MainWindow().resize(900, 700);
    app->Start();
    // The automatic treatment runs once the first window is shown.
    for (int i = 0; i < 5; ++i)
      QApplication::processEvents();
  }
  CViewWidget& ActiveWidget() {
    return *static_cast<CViewWidget*>(app->MainWindow().ActiveChild());
  }
  QPoint PixelOfCell(int row, int column) {
    CViewWidget& widget = ActiveWidget();
    const CHeatMapPicture& picture = widget.Picture();
    const CRect matrix = picture.Zone(EPictureZone::kMatrix);
    return widget.ToPixel(
        {matrix.left + picture.ColumnBounds().starts[static_cast<size_t>(column)] + 2,
         matrix.top + picture.RowBounds().starts[static_cast<size_t>(row)] + 2});
  }

  CTempDir folder;
  CMemorySettingsStore store;
  std::string path;
  std::unique_ptr<CDesktopApp> app;
};

}  // namespace

TEST(DesktopApp, AutomationOfBothSidesLeavesFiveWindowsTheLastWithBothTrees) {
  CDesktop desktop({"-AutomationRow", "-AutomationCol"});
  ASSERT_EQ(desktop.app->Documents().size(), 1u);
  EXPECT_EQ(desktop.app->MainWindow().ChildCount(), 5);
  CViewModel* view = desktop.app->ActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->rowTree.hasTree);
  EXPECT_TRUE(view->columnTree.hasTree);
  EXPECT_FALSE(view->Document().automationPending);
}

TEST(DesktopApp, CommandsActOnTheActiveWindowAndMenusShowTheirState) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  ASSERT_EQ(main.ChildCount(), 1);
  CViewModel& view = *desktop.app->ActiveView();

  main.Dispatch(cmd::kClusterRows);
  EXPECT_EQ(main.ChildCount(), 2);
  CViewModel& clustered = *desktop.app->ActiveView();
  EXPECT_NE(&clustered, &view);
  EXPECT_TRUE(clustered.rowTree.hasTree);
  EXPECT_TRUE(main.StateOf(cmd::kClusterRows).checked);
  EXPECT_TRUE(main.StateOf(cmd::kSaveRowTree).enabled);
  EXPECT_FALSE(main.StateOf(cmd::kSaveColumnTree).enabled);

  main.Dispatch(cmd::kZoomIn);
  EXPECT_DOUBLE_EQ(clustered.zoom, 1.01);
  main.Dispatch(cmd::kZoomDelete);
  EXPECT_DOUBLE_EQ(clustered.zoom, 1.0);

  const bool before = main.StateOf(cmd::kAverageProfile).checked;
  main.Dispatch(cmd::kAverageProfile);
  EXPECT_NE(main.StateOf(cmd::kAverageProfile).checked, before);

  // Closing every window closes the document.
  for (QWidget* child : main.Children())
    main.CloseChild(child);
  QApplication::processEvents();
  EXPECT_EQ(main.ChildCount(), 0);
  EXPECT_TRUE(desktop.app->Documents().empty());
  EXPECT_FALSE(main.StateOf(cmd::kZoomIn).enabled);
}

TEST(DesktopApp, MouseSelectsAndDragsInTheMatrixAndTheLabelListFollows) {
  CDesktop desktop({});
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  QWidget* surface = widget.viewport();

  QTest::mousePress(surface, Qt::LeftButton, {}, desktop.PixelOfCell(2, 1));
  QTest::mouseMove(surface, desktop.PixelOfCell(4, 1));
  QMouseEvent move(QEvent::MouseMove, desktop.PixelOfCell(4, 1),
                   surface->mapToGlobal(desktop.PixelOfCell(4, 1)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(surface, &move);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, desktop.PixelOfCell(4, 1));
  EXPECT_TRUE(view.rowTree.userSelection);
  EXPECT_EQ(view.rowTree.selectionStart, 2);
  EXPECT_EQ(view.rowTree.selectionLength, 3);

  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kLabels);
  EXPECT_TRUE(main.LabelList().isVisible());
  EXPECT_EQ(main.LabelList().ClipboardText(), "r3\r\nr4\r\nr5\r\n");
}

TEST(DesktopApp, ToolModesZoomInToABandAndOutAtAPoint) {
  CDesktop desktop({});
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  QWidget* surface = widget.viewport();

  widget.SetToolMode(CViewWidget::ToolMode::kZoomOutAtPoint);
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_DOUBLE_EQ(view.zoom, 1.0 / 1.25);

  widget.SetToolMode(CViewWidget::ToolMode::kZoomInBand);
  QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(30, 30));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(34, 34));
  EXPECT_DOUBLE_EQ(view.zoom, 1.0) << "a small band zooms in by 1.25 at its centre";

  view.zoom = 70.0;
  widget.ZoomAt(87.5, CPoint{10, 10});
  EXPECT_DOUBLE_EQ(view.zoom, 70.0) << "beyond 80 the zoom is refused";
}
