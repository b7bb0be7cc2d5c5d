// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "DesktopFixture.h"
#include "TestFiles.h"
#include "WidgetApplication.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/QtPictureExporter.h"
#include "render/HeatMapPicture.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/DesktopApp.h"
#include "shell/LabelListDlg.h"
#include "shell/ViewWidget.h"
#include "shell/ZoomPalette.h"
#include "tree/Tree.h"
#include "tree/TreeCut.h"

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

  // The windows of a document are numbered once it has several.
  std::vector<QString> titles;
  for (QWidget* child : main.Children())
    titles.push_back(child->parentWidget()->windowTitle());
  EXPECT_EQ(titles, (std::vector<QString>{"table.txt:1", "table.txt:2"}));

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

TEST(DesktopApp, KeysAndMenuActionsRunTheAnalysisInNewWindows) {
  CDesktop desktop({"-Ward"});
  CMainWindow& main = desktop.app->MainWindow();
  QWidget* surface = desktop.ActiveWidget().viewport();
  QTest::keyClick(surface, Qt::Key_F4, Qt::ShiftModifier);  // cluster the rows
  EXPECT_EQ(main.ChildCount(), 2);
  EXPECT_TRUE(desktop.app->ActiveView()->rowTree.hasTree);
  main.ActionsOf(cmd::kClusterColumns).front()->trigger();
  EXPECT_EQ(main.ChildCount(), 3);
  EXPECT_TRUE(desktop.app->ActiveView()->columnTree.hasTree);
  const std::vector<int> before = desktop.app->ActiveView()->rowTree.order;
  QTest::keyClick(desktop.ActiveWidget().viewport(), Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(main.ChildCount(), 4);
  CViewModel& seriated = *desktop.app->ActiveView();
  EXPECT_EQ(seriated.rowTree.Node(seriated.rowTree.root).criterionMark, 0);
  std::vector<int> sortedBefore = before, sortedAfter = seriated.rowTree.order;
  std::sort(sortedBefore.begin(), sortedBefore.end());
  std::sort(sortedAfter.begin(), sortedAfter.end());
  EXPECT_EQ(sortedAfter, sortedBefore) << "a permutation of the same rows";
}

TEST(DesktopApp, RefusalsAndTheTooManyWindowsRule) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  desktop.app->ActiveDocument()->settings.AgregationCriterion = ChoiceOf<ELinkage>(-1);
  auto refusal = CloseNextModal();
  main.Dispatch(cmd::kClusterRows);
  EXPECT_TRUE(refusal->shown);
  EXPECT_TRUE(refusal->text.contains("You must choose a Hierarchical Classification method."));
  EXPECT_EQ(main.ChildCount(), 1);

  // Seriations of the rows each open a window, up to 18 without a word.
  while (main.ChildCount() < 18)
    main.Dispatch(cmd::kSeriateRows);
  auto warning = CloseNextModal();
  main.Dispatch(cmd::kSeriateRows);
  EXPECT_TRUE(warning->shown);
  EXPECT_TRUE(warning->text.contains("Too many windows!"));
  EXPECT_EQ(main.ChildCount(), 19);
  auto again = CloseNextModal();
  main.Dispatch(cmd::kSeriateRows);
  EXPECT_TRUE(again->shown);
  EXPECT_EQ(main.ChildCount(), 19) << "no window beyond 19";
}

TEST(DesktopApp, SettingsOkRerunsTheAutomationAndCancelChangesNothing) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  CQuorvelDoc& document = *desktop.app->ActiveDocument();
  auto cancelled = CloseNextModal([](QWidget* sheet) {
    sheet->findChild<QRadioButton*>("linkage4")->click();
    sheet->findChild<QPushButton*>("cancel")->click();
  });
  main.Dispatch(cmd::kSettings);
  EXPECT_TRUE(cancelled->shown);
  EXPECT_NE(document.settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(main.ChildCount(), 1);

  auto accepted = CloseNextModal([](QWidget* sheet) {
    sheet->findChild<QRadioButton*>("linkage4")->click();
    sheet->findChild<QCheckBox*>("automation4")->setChecked(true);  // cluster and seriate rows
    sheet->findChild<QPushButton*>("ok")->click();
  });
  main.Dispatch(cmd::kSettings);
  EXPECT_TRUE(accepted->shown);
  EXPECT_EQ(document.settings.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(main.ChildCount(), 3) << "the rows clustered, then seriated under their tree";
  EXPECT_EQ(desktop.app->ActiveView()->rowTree.linkage, ELinkage::kWard);
}

TEST(DesktopApp, ClickARowBranchAndFlipItWithTheUpKey) {
  CDesktop desktop({"-Ward"});
  desktop.app->MainWindow().Dispatch(cmd::kClusterRows);
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  const QPoint branch = RowBranchPixel(widget, 2);
  ASSERT_GE(branch.x(), 0);
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, branch);
  ASSERT_TRUE(view.rowTree.userSelection);
  const int start = view.rowTree.selectionStart;
  const int length = view.rowTree.selectionLength;
  ASSERT_GE(length, 2);
  const std::vector<int> before = view.rowTree.order;
  QTest::keyClick(widget.viewport(), Qt::Key_Up);
  for (int k = 0; k < length; ++k) {
    EXPECT_EQ(view.rowTree.order[static_cast<size_t>(start + k)],
              before[static_cast<size_t>(start + length - 1 - k)]);
  }
}

TEST(DesktopApp, DragAndSortTheSelectedRowsDescending) {
  CDesktop desktop({});
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  QWidget* surface = widget.viewport();
  QTest::mousePress(surface, Qt::LeftButton, {}, desktop.PixelOfCell(1, 0));
  QMouseEvent move(QEvent::MouseMove, desktop.PixelOfCell(6, 0),
                   surface->mapToGlobal(desktop.PixelOfCell(6, 0)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(surface, &move);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, desktop.PixelOfCell(6, 0));
  ASSERT_EQ(view.rowTree.selectionStart, 1);
  ASSERT_EQ(view.rowTree.selectionLength, 6);

  auto sort = CloseNextModal(
      [](QWidget* dialog) { dialog->findChild<QRadioButton*>("descending")->click(); });
  desktop.app->MainWindow().Dispatch(cmd::kSortRows);
  EXPECT_TRUE(sort->shown);
  const CData& data = *view.Document().data;
  const int keyColumn = view.columnTree.order[0];
  for (int p = 1; p < 6; ++p) {
    EXPECT_GE(data.At(view.rowTree.order[static_cast<size_t>(p)], keyColumn),
              data.At(view.rowTree.order[static_cast<size_t>(p + 1)], keyColumn));
  }
}

TEST(DesktopApp, AnAggregatedSubtreeRefusesTheMinimumPath) {
  CDesktop desktop({"-Ward"});
  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kClusterRows);
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  const QPoint branch = RowBranchPixel(widget, 3);
  ASSERT_GE(branch.x(), 0);
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, branch);
  ASSERT_TRUE(main.StateOf(cmd::kAggregateRows).enabled);
  main.Dispatch(cmd::kAggregateRows);
  const CNode& group = view.rowTree.Node(view.rowTree.selectedNode);
  ASSERT_FALSE(group.expanded);

  view.Document().settings.TreeSeriationCriterion = ETreeSeriation::kMinimumPath;
  const std::vector<int> before = view.rowTree.order;
  const int windows = main.ChildCount();
  auto refusal = CloseNextModal();
  main.Dispatch(cmd::kSeriateRows);
  EXPECT_TRUE(refusal->shown);
  EXPECT_TRUE(refusal->text.contains("Some leaves are grouped."));
  EXPECT_EQ(desktop.app->ActiveView()->rowTree.order, before);
  EXPECT_GE(main.ChildCount(), windows);
}

TEST(DesktopApp, MarkedRowsArePaintedInTheirStripAndLabelsReachTheClipboard) {
  CDesktop desktop({});
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, desktop.PixelOfCell(3, 0));
  ASSERT_TRUE(view.rowTree.userSelection);
  desktop.app->Mark(Rgb(0, 0, 255));
  QApplication::processEvents();
  const CRect strip = widget.Picture().Zone(EPictureZone::kRowMarks);
  ASSERT_FALSE(strip.IsEmpty());
  const int rowStart = widget.Picture().RowBounds().starts[3];
  const int rowEnd = widget.Picture().RowBounds().ends[3];
  const QPoint inStrip =
      widget.ToPixel({(strip.left + strip.right) / 2, strip.top + (rowStart + rowEnd) / 2});
  const QImage image = widget.viewport()->grab().toImage();
  EXPECT_EQ(image.pixelColor(inStrip), QColor(0, 0, 255));

  CLabelListDlg& list = desktop.app->MainWindow().LabelList();
  list.CopyLabels();
  EXPECT_EQ(QApplication::clipboard()->text(), "r4\r\n");
}

TEST(DesktopApp, ThePaletteSetsTheZoomOfTheActiveWindow) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  CZoomPalette* palette = main.ZoomPalette();
  emit palette->activated(palette->findText("125%"));
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, 1.25);
  emit palette->activated(palette->findText("Fit"));
  const double fitted = desktop.app->ActiveView()->zoom;
  EXPECT_NE(fitted, 1.25);
  main.Dispatch(cmd::kFitToWindow);
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, fitted) << "Fit and the command agree";
}

TEST(DesktopApp, TheAutomationExportsTheNewestWindowAndTheExportCommandWritesTheChosenFormat) {
  CTempDir outputs;
  const std::string named = (outputs.Path() / "picture.png").string();
  CQtPictureExporter exporter;
  CDesktop desktop({"-Ward", "-AutomationRow", "-ExportScreenInPngFile", named}, &exporter);
  EXPECT_EQ(desktop.app->MainWindow().ChildCount(), 3);
  EXPECT_TRUE(std::filesystem::exists(named)) << "written at the end of the automation";

  auto choice =
      CloseNextModal([](QWidget* dialog) { dialog->findChild<QRadioButton*>("format4")->click(); });
  desktop.app->MainWindow().Dispatch(cmd::kExport);
  EXPECT_TRUE(choice->shown);
  const auto bitmap = outputs.Path() / "picture.bmp";
  ASSERT_TRUE(std::filesystem::exists(bitmap))
      << "the command-line name with the format's extension";
  std::ifstream file(bitmap, std::ios::binary);
  char signature[2] = {};
  file.read(signature, 2);
  EXPECT_EQ(std::string(signature, 2), "BM");

  auto clipboard =
      CloseNextModal([](QWidget* dialog) { dialog->findChild<QRadioButton*>("format1")->click(); });
  desktop.app->MainWindow().Dispatch(cmd::kExport);
  EXPECT_TRUE(clipboard->shown);
  const QImage copied = QApplication::clipboard()->image();
  const CSize size = desktop.ActiveWidget().Picture().PictureSize();
  EXPECT_EQ(copied.width(), size.cx);
  EXPECT_EQ(copied.height(), size.cy);
}

// A window after a few operations. With QUORVEL_SCREENSHOT_DIR set, the main window is saved
// there as "operations.png" to be looked at.
TEST(DesktopApp, AWindowAfterAggregatingMarkingAndFlipping) {
  CDesktop desktop({"-Ward", "-AutomationRow", "-AutomationCol"});
  CMainWindow& main = desktop.app->MainWindow();
  main.resize(1200, 900);
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  const QPoint group = RowBranchPixel(widget, 3);
  ASSERT_GE(group.x(), 0);
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, group);
  main.Dispatch(cmd::kAggregateRows);
  const QPoint pair = RowBranchPixel(widget, 2);
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, pair);
  desktop.app->Mark(Rgb(0, 160, 0));
  QTest::keyClick(widget.viewport(), Qt::Key_Down);
  main.Dispatch(cmd::kAverageProfile);
  QApplication::processEvents();
  EXPECT_TRUE(std::any_of(view.rowTree.marks.begin(), view.rowTree.marks.end(),
                          [](int mark) { return mark != 0; }));
  const QImage picture = widget.viewport()->grab().toImage();
  EXPECT_FALSE(widget.Picture().Zone(EPictureZone::kAverageProfile).IsEmpty());
  if (const char* folder = std::getenv("QUORVEL_SCREENSHOT_DIR")) {
    main.grab().save(QString::fromLocal8Bit(folder) + "/operations.png");
  }
  EXPECT_FALSE(picture.isNull());
}

TEST(DesktopApp, AFullScreenStartMaximisesTheWindowsAndEveryDocumentTakesTheKeywords) {
  CDesktop desktop({"-FullScreen", "-AutomationRow"});
  CMainWindow& main = desktop.app->MainWindow();
  EXPECT_TRUE(main.IsFullScreen());
  ASSERT_EQ(main.ChildCount(), 3);
  // The area shows one maximised window at a time: the active one.
  EXPECT_TRUE(main.ActiveChild()->parentWidget()->isMaximized());

  // A second file opened later is treated by the same keywords.
  const std::string second = (desktop.folder.Path() / "second.txt").string();
  std::filesystem::copy_file(desktop.path, second);
  ASSERT_TRUE(main.OpenPath(second));
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
  EXPECT_EQ(main.ChildCount(), 6);
  EXPECT_EQ(desktop.app->Documents().size(), 2u);
}

TEST(DesktopApp, EveryWindowsOrdersShowTheStepsOfALongSeriationInThatWindow) {
  CDesktop desktop({"-SetSeriationByFA"});
  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kSeriateRows);
  ASSERT_EQ(main.ChildCount(), 2);
  for (QWidget* child : main.Children()) {
    auto* widget = static_cast<CViewWidget*>(child);
    CSeriationObserver* rows = desktop.app->SeriationObserver(widget->Model(), true);
    CSeriationObserver* columns = desktop.app->SeriationObserver(widget->Model(), false);
    ASSERT_NE(rows, nullptr);
    ASSERT_NE(columns, nullptr);
    EXPECT_NE(rows, columns);
    // A step repaints this window at once, not later.
    int paints = 0;
    struct CCounter : QObject {
      int* count;
      explicit CCounter(int* c) : count(c) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++*count;
        return false;
      }
    } counter(&paints);
    widget->viewport()->installEventFilter(&counter);
    rows->Repaint();
    widget->viewport()->removeEventFilter(&counter);
    EXPECT_EQ(paints, 1);
  }
}

TEST(DesktopApp, ADataFailureAbandonsOnlyTheDocumentBeingOpened) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  ASSERT_EQ(main.ChildCount(), 1);
  const size_t documents = desktop.app->Documents().size();
  // A row without any value stops the dissimilarities: once the message is closed, the program,
  // its document and its window are still there.
  const std::string hollow =
      desktop.folder.Write("hollow.txt", "T\ta\tb\nr1\t1\t2\nhollow\t\t\nr3\t5\t6\n");
  auto message = CloseNextModal();
  EXPECT_FALSE(desktop.app->OpenFile(hollow));
  EXPECT_TRUE(message->shown);
  EXPECT_TRUE(message->text.contains("row 2 (label 'hollow') has no value"))
      << message->text.toStdString();
  EXPECT_EQ(main.ChildCount(), 1);
  EXPECT_EQ(desktop.app->Documents().size(), documents);
  EXPECT_EQ(desktop.app->ExitStatus(), 0);
  // The program still opens and analyses files.
  EXPECT_TRUE(desktop.app->OpenFile(desktop.path));
  EXPECT_EQ(desktop.app->Documents().size(), documents + 1);
}

TEST(DesktopApp, CutTreeColoursTheClustersOfTheActiveSideAndSavesThem) {
  CDesktop desktop({"-Ward", "-AutomationRow"});
  CMainWindow& main = desktop.app->MainWindow();
  CViewModel& view = *desktop.app->ActiveView();
  view.Document().switches.rowsActive = true;
  EXPECT_TRUE(main.StateOf(cmd::kCutTree).enabled);
  EXPECT_FALSE(main.StateOf(cmd::kSaveTreeClusters).enabled) << "nothing cut yet";
  const int windows = main.ChildCount();
  auto asked = CloseNextModal(
      [](QWidget* dialog) { dialog->findChild<QSpinBox*>("clusters")->setValue(3); });
  main.Dispatch(cmd::kCutTree);
  ASSERT_TRUE(asked->shown);
  EXPECT_EQ(asked->title, "Cut Tree");
  EXPECT_EQ(main.ChildCount(), windows) << "the cut colours the window itself";
  ASSERT_TRUE(HasCut(view.rowTree));
  EXPECT_TRUE(view.rowTree.marksShown);
  EXPECT_EQ(std::set<int>(view.rowTree.marks.begin(), view.rowTree.marks.end()).size(), 3u);
  desktop.ActiveWidget().viewport()->grab();  // the drawing lays the tree out
  EXPECT_TRUE(desktop.ActiveWidget().Picture().RowTreeGeometry().cutLine.has_value());
  EXPECT_TRUE(main.StateOf(cmd::kSaveTreeClusters).enabled);

  const std::string saved = (desktop.folder.Path() / "clusters").string();
  auto named = CloseNextModal([saved](QWidget* dialog) {
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) ChooseInFileDialog(*files, saved);
  });
  main.Dispatch(cmd::kSaveTreeClusters);
  ASSERT_TRUE(named->shown);
  const std::string text = ReadFileText(saved + ".txt");
  EXPECT_EQ(text.substr(0, 14), "label\tcluster\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);

  // The columns have no tree: the command is off for them.
  view.Document().switches.rowsActive = false;
  EXPECT_FALSE(main.StateOf(cmd::kCutTree).enabled);
}
