// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DesktopFixture.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/QtPictureExporter.h"
#include "render/HeatMapPicture.h"
#include "shell/ClustersDlg.h"
#include "shell/CommandIds.h"
#include "shell/MethodChooser.h"
#include "shell/ViewWidget.h"
#include "shell/ZoomPalette.h"
#include "tree/Tree.h"

// The commands as a user meets them: status texts, saves and exports through their dialogs,
// sizes at a 1400-pixel screen, the guide, the window layout, the zoom palette, undo and redo.

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// A step of a modal script: the save dialog chooses `path` (its own overwrite question off, as
// the user has answered it) and reports what it proposed.
std::function<void(QWidget*)> ChooseFile(std::string path, QString* proposed = nullptr,
                                         QString* folder = nullptr) {
  return [path, proposed, folder](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
    if (proposed) *proposed = dialog->selectedFiles().value(0);
    if (folder) *folder = dialog->directory().absolutePath();
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    ChooseInFileDialog(*dialog, path);
    static_cast<QDialog*>(dialog)->accept();
  };
}

std::function<void(QWidget*)> ClickButton(const char* name) {
  return [name](QWidget* modal) {
    auto* button = modal->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
  };
}

std::function<void(QWidget*)> ChooseExportFormat(EExportFormat format) {
  return [format](QWidget* modal) {
    auto* choice =
        modal->findChild<QRadioButton*>(QString("format%1").arg(static_cast<int>(format)));
    ASSERT_NE(choice, nullptr);
    choice->click();
    static_cast<QDialog*>(modal)->accept();
  };
}

}  // namespace

TEST(DesktopCommands, BrowseModeShowsThePositionInAPaneThatIsSeen) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kBrowseDataValues);
  CViewWidget& widget = desktop.ActiveWidget();
  QMouseEvent move(QEvent::MouseMove, desktop.PixelOfCell(2, 3),
                   widget.viewport()->mapToGlobal(desktop.PixelOfCell(2, 3)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget.viewport(), &move);
  ProcessEvents();
  auto* pane = main.statusBar()->findChild<QLabel*>("pointerPane");
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->text(), "- 3 / 4 -");
  EXPECT_TRUE(pane->isVisible());
  EXPECT_GE(pane->width(), pane->fontMetrics().horizontalAdvance(pane->text()));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&widget, &leave);
  EXPECT_FALSE(pane->isVisible());
}

TEST(DesktopCommands, AfterTheLargeTableWarningsDefaultTheStatusSaysRWasNotComputed) {
  // The warning comes while the file is read; its default answer keeps every row and skips R.
  CModalScript script({[](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); }});
  CDesktop::COptions options;
  options.rows = 1000;
  options.columns = 3;
  CDesktop desktop({}, options);
  ASSERT_EQ(script.Handled(), 1);
  desktop.app->MainWindow().RefreshCommandStates();
  const QString objectives = desktop.app->MainWindow().StatusPaneText(4);
  EXPECT_FALSE(objectives.contains("R=0.00")) << objectives.toStdString();
  EXPECT_TRUE(objectives.contains("R not computed")) << objectives.toStdString();
  EXPECT_TRUE(objectives.contains("S=")) << objectives.toStdString();
}

TEST(DesktopCommands, SavingTheSelectionNeverProposesNorQuietlyReplacesTheDataFile) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  const std::string data = desktop.path;
  const std::string original = ReadFile(data);
  QString proposed;
  {
    // Choosing the data file anyway is asked about in words that say so; "keep" keeps it.
    CModalScript script({ChooseFile(data, &proposed), ClickButton("keep")});
    main.Dispatch(cmd::kSaveAs);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_NE(std::filesystem::path(proposed.toStdString()), std::filesystem::path(data));
  EXPECT_FALSE(proposed.isEmpty());
  EXPECT_EQ(ReadFile(data), original);
  EXPECT_TRUE(desktop.app->ActiveDocument()->saveName.empty());

  // The proposal is fine to accept: it is not the data file.
  {
    CModalScript script({ChooseFile(proposed.toStdString())});
    main.Dispatch(cmd::kSaveAs);
    EXPECT_EQ(script.Handled(), 1);
  }
  EXPECT_TRUE(std::filesystem::exists(proposed.toStdString()));
  EXPECT_EQ(ReadFile(data), original);

  // Replacing the data file takes the explicit answer.
  {
    CModalScript script({ChooseFile(data), ClickButton("replace")});
    main.Dispatch(cmd::kSaveAs);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_NE(ReadFile(data), original);
  // And every later Save there asks again.
  {
    CModalScript script({ClickButton("keep")});
    const std::string replaced = ReadFile(data);
    main.Dispatch(cmd::kSave);
    EXPECT_EQ(script.Handled(), 1);
  }
}

TEST(DesktopCommands, ExportsGetTheirExtensionStartInTheDataFolderAndFollowTheTypedExtension) {
  CQtPictureExporter exporter;
  CDesktop desktop({}, &exporter);
  CMainWindow& main = desktop.app->MainWindow();
  QString folder;
  {
    CModalScript script({ChooseExportFormat(EExportFormat::kPng),
                         ChooseFile((desktop.folder.Path() / "exp").string(), nullptr, &folder)});
    main.Dispatch(cmd::kExport);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_EQ(std::filesystem::path(folder.toStdString()), desktop.folder.Path())
      << "the dialog starts in the data file's folder";
  EXPECT_FALSE(std::filesystem::exists(desktop.folder.Path() / "exp"));
  ASSERT_TRUE(std::filesystem::exists(desktop.folder.Path() / "exp.png"));
  EXPECT_EQ(ReadFile(desktop.folder.Path() / "exp.png").substr(1, 3), "PNG");

  // PostScript chosen, a BMP name typed: the file is a BMP, and the dialog says BMP next time.
  CTempDir elsewhere;
  {
    CModalScript script({ChooseExportFormat(EExportFormat::kPostScript),
                         ChooseFile((elsewhere.Path() / "e.bmp").string())});
    main.Dispatch(cmd::kExport);
    EXPECT_EQ(script.Handled(), 2);
  }
  ASSERT_TRUE(std::filesystem::exists(elsewhere.Path() / "e.bmp"));
  EXPECT_EQ(ReadFile(elsewhere.Path() / "e.bmp").substr(0, 2), "BM");
  EXPECT_EQ(desktop.app->ActiveDocument()->exportChoice.format, EExportFormat::kBmp);
  // The next export starts in the folder used last.
  {
    CModalScript script({[](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); },
                         ChooseFile((elsewhere.Path() / "f.pdf").string(), nullptr, &folder)});
    main.Dispatch(cmd::kExport);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_EQ(std::filesystem::path(folder.toStdString()), elsewhere.Path());
  EXPECT_EQ(ReadFile(elsewhere.Path() / "f.pdf").substr(0, 4), "%PDF");
}

TEST(DesktopCommands, TheNextRunsFirstExportStartsInTheFolderExportedToLast) {
  CQtPictureExporter exporter;
  CTempDir elsewhere;
  CMemorySettingsStore store;
  {
    CDesktop desktop({}, &exporter);
    CModalScript script({ChooseExportFormat(EExportFormat::kPng),
                         ChooseFile((elsewhere.Path() / "first.png").string())});
    desktop.app->MainWindow().Dispatch(cmd::kExport);
    ASSERT_EQ(script.Handled(), 2);
    ASSERT_TRUE(std::filesystem::exists(elsewhere.Path() / "first.png"));
    store = desktop.store;  // what the settings file keeps for the next run
  }
  // Another run, another data file: its first export proposes the folder used last.
  CTempDir data;
  const std::string path = WriteTable(data, 4, 3);
  CDesktopApp again(store, ScanCommandLine({path}), &exporter);
  again.Start();
  ProcessEvents();
  QString proposed;
  {
    CModalScript script({ChooseExportFormat(EExportFormat::kPng),
                         ChooseFile((elsewhere.Path() / "second.png").string(), &proposed)});
    again.MainWindow().Dispatch(cmd::kExport);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_EQ(std::filesystem::path(proposed.toStdString()).parent_path(), elsewhere.Path());
  // A remembered folder that is gone leaves the data file's folder.
  std::filesystem::remove_all(elsewhere.Path());
  CDesktopApp third(store, ScanCommandLine({path}), &exporter);
  third.Start();
  ProcessEvents();
  {
    CModalScript script({ChooseExportFormat(EExportFormat::kPng),
                         ChooseFile((data.Path() / "third.png").string(), &proposed)});
    third.MainWindow().Dispatch(cmd::kExport);
    EXPECT_EQ(script.Handled(), 2);
  }
  EXPECT_EQ(std::filesystem::path(proposed.toStdString()).parent_path(), data.Path());
  again.MainWindow().close();
  third.MainWindow().close();
}

TEST(DesktopCommands, AtFourteenHundredPixelsBarsPanesChoosersAndWindowsShowTheirWholeContent) {
  CDesktop::COptions options;
  options.mainWindowSize = QSize(1400, 1000);
  options.normalWindow = true;
  CDesktop desktop({"-Ward"}, options);
  CMainWindow& main = desktop.app->MainWindow();
  desktop.app->SetRowsActive(false);
  main.Dispatch(cmd::kCustomMatrixSize);
  main.RefreshCommandStates();
  ProcessEvents(10);

  for (QToolBar* bar : main.findChildren<QToolBar*>()) {
    if (!bar->isVisible()) continue;
    auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(more == nullptr || !more->isVisible()) << bar->windowTitle().toStdString();
  }
  for (int k = 0; k < kStatusPaneCount; ++k) {
    auto* pane = main.statusBar()->findChild<QLabel*>(QString("pane%1").arg(k + 1));
    ASSERT_NE(pane, nullptr);
    const int needed = pane->fontMetrics().horizontalAdvance(pane->text());
    EXPECT_GE(pane->contentsRect().width(), needed) << pane->text().toStdString();
  }
  EXPECT_EQ(main.StatusPaneText(2), " Columns are active");
  CMethodChooser* linkage = main.MethodChooser(CMethodKind::kLinkage);
  ASSERT_EQ(linkage->currentText(), "Ward's Minimum Variance Method");
  EXPECT_GE(linkage->width(),
            linkage->fontMetrics().horizontalAdvance(linkage->currentText()) + 16);

  main.Dispatch(cmd::kClustersIdentification);
  ProcessEvents();
  CClustersDlg& clusters = main.ClustersDialog();
  EXPECT_GE(clusters.width(),
            clusters.fontMetrics().horizontalAdvance(clusters.windowTitle()) + 100);

  QSize preview;
  {
    CModalScript script({[&preview](QWidget* modal) {
      preview = modal->size();
      static_cast<QDialog*>(modal)->reject();
    }});
    main.Dispatch(cmd::kPrintPreview);
    EXPECT_EQ(script.Handled(), 1);
  }
  EXPECT_GE(preview.width(), main.width() * 8 / 10);
  EXPECT_GE(preview.height(), main.height() * 8 / 10);
}

TEST(DesktopCommands, WithoutABrowserTheGuideOpensInTheProgram) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  main.SetBrowserCheck([] { return false; });
  main.Dispatch(cmd::kHelpGuidePage);
  ProcessEvents();
  auto* page = main.findChild<QTextBrowser*>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->isVisible());
  EXPECT_FALSE(page->toPlainText().trimmed().isEmpty());
  main.Dispatch(cmd::kHelpHomePage);
  EXPECT_TRUE(page->source().toLocalFile().endsWith("index.html"));
}

TEST(DesktopCommands, TheWindowLayoutIsKeptForTheNextStart) {
  CDesktop::COptions options;
  options.mainWindowSize = QSize(1000, 720);
  options.normalWindow = true;
  CDesktop desktop({}, options);
  CMainWindow& main = desktop.app->MainWindow();
  auto* methods = main.findChild<QToolBar*>("methodsBar");
  ASSERT_NE(methods, nullptr);
  methods->hide();
  main.Dispatch(cmd::kCustomMatrixSize);
  ProcessEvents();
  const QSize size = main.size();
  main.close();
  ProcessEvents();
  ASSERT_FALSE(main.isVisible());

  CDesktopApp again(desktop.store, ScanCommandLine({}), nullptr);
  {
    // Started without a file, the program asks for one: the user cancels.
    CModalScript script({[](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); }});
    again.Start();
    ProcessEvents();
  }
  CMainWindow& restored = again.MainWindow();
  EXPECT_EQ(restored.size(), size);
  EXPECT_FALSE(restored.findChild<QToolBar*>("methodsBar")->isVisible());
  EXPECT_TRUE(restored.SizeBar()->isVisible());
  EXPECT_TRUE(restored.findChild<QToolBar*>("zoomBar")->isVisible());
  restored.close();
}

TEST(DesktopCommands, AZoomTypedIntoThePaletteIsApplied) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  main.activateWindow();
  CZoomPalette* palette = main.ZoomPalette();
  ASSERT_TRUE(palette->isEditable());
  QLineEdit* edit = palette->lineEdit();
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "65");
  // Typing is typing: "6" did not zoom out, and the regular refresh left the text alone.
  main.RefreshCommandStates();
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, 1.0);
  EXPECT_EQ(edit->text(), "65");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, 0.65);
  EXPECT_EQ(palette->itemText(0), "65%");

  edit->selectAll();
  QTest::keyClicks(edit, "250 %");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, 2.5);
  edit->selectAll();
  QTest::keyClicks(edit, "9000");  // beyond the largest zoom: refused
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(desktop.app->ActiveView()->zoom, 2.5);
  EXPECT_EQ(edit->text(), "250%");
  edit->selectAll();
  QTest::keyClicks(edit, "fit");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_NE(desktop.app->ActiveView()->zoom, 2.5);
}

TEST(DesktopCommands, UndoAndRedoAfterFlipAggregateSortAndClusteringAgain) {
  CDesktop desktop({"-Ward"});
  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kClusterRows);
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  QWidget* surface = widget.viewport();
  EXPECT_FALSE(main.StateOf(cmd::kUndo).enabled) << "a new result window has nothing to undo";

  struct CSeen {
    std::vector<int> order;
    bool hasTree;
    int aggregated;
    double s;
    QString status;
    bool operator==(const CSeen&) const = default;
  };
  const auto seen = [&] {
    main.RefreshCommandStates();
    int aggregated = 0;
    for (const CNode& node : view.rowTree.nodes)
      aggregated += !node.IsLeaf() && !node.expanded;
    return CSeen{view.rowTree.order, view.rowTree.hasTree, aggregated, view.rowTree.objectiveS,
                 main.StatusPaneText(4)};
  };
  std::vector<CSeen> states{seen()};

  const QPoint branch = RowBranchPixel(widget, 3);
  ASSERT_GE(branch.x(), 0);
  QTest::mouseClick(surface, Qt::LeftButton, {}, branch);
  QTest::keyClick(surface, Qt::Key_Up);  // flip
  states.push_back(seen());
  main.Dispatch(cmd::kAggregateRows);
  states.push_back(seen());
  ASSERT_GT(states.back().aggregated, 0);
  {
    CModalScript script({[](QWidget* dialog) {
      dialog->findChild<QRadioButton*>("descending")->click();
      static_cast<QDialog*>(dialog)->accept();
    }});
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(3, 3));  // everything selected
    main.Dispatch(cmd::kSortRows);
  }
  states.push_back(seen());
  const int windows = main.ChildCount();
  QTest::keyClick(surface, Qt::Key_F4, Qt::ShiftModifier);  // removes the tree in place
  ASSERT_EQ(main.ChildCount(), windows);
  states.push_back(seen());
  ASSERT_FALSE(states.back().hasTree);
  for (size_t k = 1; k < states.size(); ++k)
    ASSERT_FALSE(states[k] == states[k - 1]) << "step " << k << " changed nothing";

  EXPECT_EQ(ShownIn(MenuTitled(main, "&Edit"), cmd::kUndo), "&Undo\tCtrl+Z");
  EXPECT_TRUE(main.StateOf(cmd::kUndo).enabled);
  for (size_t k = states.size() - 1; k > 0; --k) {
    QTest::keyClick(surface, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(seen(), states[k - 1]) << "undo to step " << k - 1;
  }
  EXPECT_FALSE(main.StateOf(cmd::kUndo).enabled);
  EXPECT_TRUE(main.StateOf(cmd::kRedo).enabled);
  QTest::keyClick(surface, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(seen(), states[1]);
  QTest::keyClick(surface, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(seen(), states[2]);
  EXPECT_EQ(main.ChildCount(), windows) << "undo works in the window, it opens none";
}

TEST(DesktopCommands, TheZoomMenuShowsTheKeysOfZoomingInAndOut) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  QMenu* zoom = MenuTitled(main, "&Zoom");
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(ShownIn(zoom, cmd::kZoomIn), "Zoom in\t+");
  EXPECT_EQ(ShownIn(zoom, cmd::kZoomOut), "Zoom out\t-");
  EXPECT_EQ(ShownIn(MenuTitled(main, "&Edit"), cmd::kRedo), "&Redo\tCtrl+Shift+Z / Ctrl+Y");
}
