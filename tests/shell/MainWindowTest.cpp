// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <memory>

#include "DesktopFixture.h"
#include "RecordingTarget.h"
#include "TestFiles.h"
#include "WidgetApplication.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/CommandTable.h"
#include "shell/MainWindow.h"
#include "shell/MethodChooser.h"
#include "shell/RecentFileList.h"
#include "shell/ZoomPalette.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureWidgetApplication();
    window_ = std::make_unique<CMainWindow>(store_);
    window_->SetCommandTarget(&target_);
  }

  QMenu* MenuOf(CMenuName name) const {
    if (name == CMenuName::kContext) return window_->ContextMenu();
    for (QAction* action : window_->menuBar()->actions()) {
      if (action->text() == CCommandTable::MenuTitle(name)) return action->menu();
    }
    return nullptr;
  }

  static QMenu* Popup(QMenu* menu, const char* title) {
    if (*title == '\0') return menu;
    for (QAction* action : menu->actions()) {
      if (action->menu() && action->text() == title) return action->menu();
    }
    return nullptr;
  }

  // Every command entry of the menu bar and the context menu, submenus included.
  std::vector<QAction*> MenuActions() const {
    std::vector<QAction*> found;
    std::vector<QMenu*> menus{window_->ContextMenu()};
    for (QAction* action : window_->menuBar()->actions())
      menus.push_back(action->menu());
    while (!menus.empty()) {
      QMenu* menu = menus.back();
      menus.pop_back();
      for (QAction* action : menu->actions()) {
        if (action->menu()) {
          menus.push_back(action->menu());
        } else if (action->data().toInt() != 0 && action->isVisible()) {
          found.push_back(action);
        }
      }
    }
    return found;
  }

  // A shown main window with one document window whose editor has the focus: the editor would
  // take arrows, digits and "+" for itself.
  QPlainTextEdit* ShowWithEditor() {
    auto* editor = new QPlainTextEdit;
    window_->AddChild(editor, "table.txt");
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    editor->setFocus();
    return editor;
  }

  CMemorySettingsStore store_;
  CRecordingTarget target_;
  std::unique_ptr<CMainWindow> window_;
};

TEST_F(MainWindowTest, EveryMenuEntryOfTheTableIsInItsMenuAndSendsItsCommand) {
  window_->AddChild(new QWidget, "table.txt");  // the window commands need a window
  window_->SetFullScreen(true);                 // leaving full screen needs full screen
  for (const CMenuEntry& entry : CCommandTable::MenuEntries()) {
    if (entry.command == 0) continue;
    QMenu* menu = Popup(MenuOf(entry.menu), entry.popup);
    ASSERT_NE(menu, nullptr) << entry.caption;
    QAction* found = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->data().toInt() == entry.command &&
          action->text() == CCommandTable::ShownCaption(entry)) {
        found = action;
      }
    }
    ASSERT_NE(found, nullptr) << entry.caption;
    target_.executed.clear();
    found->trigger();
    EXPECT_EQ(target_.executed, std::vector<int>{entry.command}) << entry.caption;
  }
  window_->SetFullScreen(false);
}

TEST_F(MainWindowTest, EveryKeyOfTheTableSendsItsCommandWhateverWidgetHasTheFocus) {
  QPlainTextEdit* editor = ShowWithEditor();
  window_->SetFullScreen(true);
  for (const CKeyBinding& binding : CCommandTable::KeyBindings()) {
    Qt::KeyboardModifiers modifiers = binding.modifiers;
    if (binding.keypad == CKeypad::kKeypad) modifiers |= Qt::KeypadModifier;
    target_.executed.clear();
    QTest::keyClick(editor, static_cast<Qt::Key>(binding.key), modifiers);
    EXPECT_EQ(target_.executed, std::vector<int>{binding.command})
        << QKeySequence(binding.key | modifiers.toInt()).toString().toStdString();
  }
  // Neither the editor nor Qt's own keys of the window frame saw a key: nothing was typed and
  // Ctrl+F4 clustered the columns instead of closing the window.
  EXPECT_TRUE(editor->toPlainText().isEmpty());
  EXPECT_EQ(window_->ChildCount(), 1);
  window_->SetFullScreen(false);
}

TEST_F(MainWindowTest, KeysOutsideTheTableAndKeypadSixReachTheWidget) {
  QPlainTextEdit* editor = ShowWithEditor();
  QTest::keyClick(editor, Qt::Key_A);
  QTest::keyClick(editor, Qt::Key_6, Qt::KeypadModifier);
  EXPECT_TRUE(target_.executed.empty());
  EXPECT_EQ(editor->toPlainText(), "a6");
  // "+" needs Shift on many keyboards; it still zooms in.
  QTest::keyClick(editor, Qt::Key_Plus, Qt::ShiftModifier);
  EXPECT_EQ(target_.executed, std::vector<int>{cmd::kZoomIn});
}

// Keys named after the tab of a menu entry ("Shift + F4", "Up Arrow / Down Arrow").
std::vector<QKeyCombination> NamedKeys(const QString& text) {
  std::vector<QKeyCombination> keys;
  const QString names = text.section('\t', 1);
  for (QString name : names.split('/', Qt::SkipEmptyParts)) {
    name.replace("Arrow", "");
    name.remove(' ');
    keys.push_back(QKeySequence::fromString(name, QKeySequence::PortableText)[0]);
  }
  return keys;
}

TEST_F(MainWindowTest, EveryKeyAMenuShowsSendsThatEntrysCommand) {
  QPlainTextEdit* editor = ShowWithEditor();
  window_->SetFullScreen(true);
  int shownKeys = 0;
  for (QAction* action : MenuActions()) {
    for (const QKeyCombination key : NamedKeys(action->text())) {
      ++shownKeys;
      target_.executed.clear();
      QTest::keyClick(editor, key.key(), key.keyboardModifiers());
      EXPECT_EQ(target_.executed, std::vector<int>{action->data().toInt()})
          << action->text().toStdString();
    }
  }
  EXPECT_GT(shownKeys, 20);
  window_->SetFullScreen(false);
}

TEST_F(MainWindowTest, CaptionsKeepTheirTextAndShowTheKeyThatDoesTheCommand) {
  const auto shown = [this](CMenuName menu, int command) { return ShownIn(MenuOf(menu), command); };
  EXPECT_EQ(shown(CMenuName::kTreatment, cmd::kClusterRows), "On &Rows\tShift + F4");
  EXPECT_EQ(shown(CMenuName::kContext, cmd::kClusterRows),
            "Hierarchical Cluster Analysis on &Rows\tShift+F4");
  EXPECT_EQ(shown(CMenuName::kContext, cmd::kClusterColumns),
            "Hierarchical Cluster Analysis on &Columns\tCtrl+F4");
  EXPECT_EQ(shown(CMenuName::kTreatment, cmd::kSwapColumns),
            "Swap &Columns primary subtree\tCtrl+Left Arrow / Ctrl+Right Arrow");
  EXPECT_EQ(shown(CMenuName::kTreatment, cmd::kSwapRows),
            "Swap &Rows primary subtree\tCtrl+Up Arrow / Ctrl+Down Arrow");
  EXPECT_EQ(shown(CMenuName::kFile, cmd::kExport), "Export\tCtrl + C");
  EXPECT_EQ(shown(CMenuName::kContext, cmd::kExport), "Copy to clipboard\tCtrl+C");
}

TEST_F(MainWindowTest, DisabledCommandsAreNeverSentAndMenusShowTheTargetsStates) {
  target_.states[cmd::kClusterColumns] = {false, false};
  target_.states[cmd::kTreeOfRows] = {true, true};
  QPlainTextEdit* editor = ShowWithEditor();
  QTest::keyClick(editor, Qt::Key_F4, Qt::ControlModifier);
  for (QAction* action : window_->ActionsOf(cmd::kClusterColumns))
    action->trigger();
  window_->Dispatch(cmd::kClusterColumns);
  EXPECT_TRUE(target_.executed.empty());

  for (QAction* action : MenuActions()) {
    auto* menu = qobject_cast<QMenu*>(action->parent());
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
  }
  for (QAction* action : window_->ActionsOf(cmd::kClusterColumns)) {
    EXPECT_FALSE(action->isEnabled());
  }
  for (QAction* action : window_->ActionsOf(cmd::kTreeOfRows))
    EXPECT_TRUE(action->isChecked());
  for (QAction* action : window_->ActionsOf(cmd::kTreeOfColumns)) {
    EXPECT_FALSE(action->isChecked());
  }
  // The toolbars follow the target without a menu being opened.
  target_.states[cmd::kClusterActiveSide] = {false, false};
  window_->RefreshCommandStates();
  for (QAction* action : window_->ActionsOf(cmd::kClusterActiveSide)) {
    EXPECT_FALSE(action->isEnabled());
  }
}

TEST_F(MainWindowTest, WindowCommandsActOnTheDocumentWindowsWhenTheTargetLeavesThem) {
  target_.handlesEverything = false;
  QPlainTextEdit* first = ShowWithEditor();
  auto* second = new QWidget;
  window_->AddChild(second, "second");
  EXPECT_EQ(window_->ActiveChild(), second);
  QSignalSpy closing(window_.get(), &CMainWindow::childClosing);

  QTest::keyClick(first, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(target_.executed, std::vector<int>{cmd::kWindowClose});
  ASSERT_EQ(closing.count(), 1);
  EXPECT_EQ(closing.at(0).at(0).value<QWidget*>(), second);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window_->ChildCount(), 1);
  EXPECT_EQ(window_->ActiveChild(), first);

  window_->CloseChild(first);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window_->ChildCount(), 0);
  // Without a window the window commands are disabled and not sent.
  target_.executed.clear();
  window_->Dispatch(cmd::kWindowClose);
  window_->Dispatch(cmd::kWindowTile);
  EXPECT_TRUE(target_.executed.empty());
}

TEST_F(MainWindowTest, FullScreenHidesTheBarsAndEscapeLeavesIt) {
  target_.handlesEverything = false;
  QPlainTextEdit* editor = ShowWithEditor();
  window_->Dispatch(cmd::kFullScreen);
  EXPECT_TRUE(window_->IsFullScreen());
  EXPECT_FALSE(window_->statusBar()->isVisible());
  EXPECT_TRUE(window_->StateOf(cmd::kFullScreen).checked);
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_FALSE(window_->IsFullScreen());
  EXPECT_TRUE(window_->statusBar()->isVisible());
  EXPECT_FALSE(window_->SizeBar()->isVisible());  // hidden before, hidden after
  // Without full screen, Escape is a disabled command and stays with the widgets.
  target_.executed.clear();
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(target_.executed.empty());
}

TEST_F(MainWindowTest, ChoosersShowTheDocumentsChoicesAndSendTheUsersChoice) {
  target_.methods = {{0, 4}, {1, 6}, {2, -1}};
  window_->RefreshCommandStates();
  CMethodChooser* linkage = window_->MethodChooser(CMethodKind::kLinkage);
  CMethodChooser* seriation = window_->MethodChooser(CMethodKind::kSeriation);
  CMethodChooser* tree = window_->MethodChooser(CMethodKind::kTreeSeriation);
  EXPECT_TRUE(linkage->isEnabled());
  EXPECT_EQ(linkage->currentText(), "Ward's Minimum Variance Method");
  EXPECT_EQ(seriation->currentText(), "Farthest Addition Heuristic (FA)");
  EXPECT_EQ(tree->currentIndex(), -1);  // no rule chosen

  emit linkage->activated(0);
  EXPECT_EQ(target_.methodChanges, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(linkage->currentText(), "Complete Linkage (furthest neighbor)");

  // A code outside the list is shown as itself, not as a neighbour.
  target_.methods[0] = 9;
  window_->RefreshCommandStates();
  EXPECT_EQ(linkage->currentText(), "9");
  target_.methods[0] = 1;
  window_->RefreshCommandStates();
  EXPECT_EQ(linkage->count(), 5);

  target_.rowsActive = false;
  window_->RefreshCommandStates();
  EXPECT_EQ(window_->SideList()->currentIndex(), 1);
  emit window_->SideList()->activated(0);
  EXPECT_EQ(target_.sideChanges, std::vector<bool>{true});

  target_.documentOpen = false;
  window_->RefreshCommandStates();
  EXPECT_FALSE(linkage->isEnabled());
  EXPECT_FALSE(window_->SideList()->isEnabled());
  EXPECT_FALSE(window_->ZoomPalette()->isEnabled());
}

TEST_F(MainWindowTest, ZoomPaletteShowsTheZoomAndSendsTheChosenItem) {
  target_.zoom = 1.25;
  window_->RefreshCommandStates();
  CZoomPalette* palette = window_->ZoomPalette();
  EXPECT_EQ(palette->itemText(0), "125%");
  emit palette->activated(palette->findText("Fit"));
  ASSERT_EQ(target_.zoomChoices.size(), 1u);
  EXPECT_TRUE(target_.zoomChoices[0].fit);
  emit palette->activated(palette->findText("300%"));
  EXPECT_DOUBLE_EQ(target_.zoomChoices.back().zoom, 3.0);
  EXPECT_EQ(palette->currentIndex(), 0);
  EXPECT_EQ(palette->itemText(0), "300%");
}

TEST_F(MainWindowTest, StatusPanesShowTheTargetsTexts) {
  target_.statusTexts = {" n=3 , p=2",
                         " Original values",
                         " Rows are active",
                         " Euclidean",
                         "",
                         "   Next action parameters:     ",
                         " McQuitty's criteria",
                         " MF ",
                         " MF "};
  window_->RefreshCommandStates();
  for (int k = 0; k < kStatusPaneCount; ++k) {
    EXPECT_EQ(window_->StatusPaneText(k).toStdString(),
              target_.statusTexts[static_cast<size_t>(k)]);
  }
}

TEST_F(MainWindowTest, ACommandThatFailsLeavesTheRefreshWorking) {
  class CFailingTarget : public CRecordingTarget {
   public:
    bool Execute(int) override { throw std::runtime_error("data failure"); }
  } failing;
  window_->SetCommandTarget(&failing);
  EXPECT_THROW(window_->Dispatch(cmd::kClusterRows), std::runtime_error);
  failing.statusTexts[0] = " n=7 , p=5";
  window_->RefreshCommandStates();
  EXPECT_EQ(window_->StatusPaneText(0), " n=7 , p=5");
  window_->SetCommandTarget(&target_);
}

TEST_F(MainWindowTest, OpenedFilesGoFirstOnTheRecentListKeptInTheStore) {
  target_.handlesEverything = false;
  CTempDir folder;
  std::vector<std::string> paths;
  for (int k = 0; k < 11; ++k) {
    paths.push_back(folder.Write("t" + std::to_string(k) + ".txt", "a\tb\n"));
    target_.openable.insert(paths.back());
    EXPECT_TRUE(window_->OpenPath(paths.back()));
  }
  ASSERT_EQ(window_->RecentFiles().size(), 10u);
  EXPECT_EQ(window_->RecentFiles().front(), paths[10]);
  EXPECT_EQ(window_->RecentFiles().back(), paths[1]);
  EXPECT_EQ(store_.ReadString(CRecentFileList::kSection, "File1", ""), paths[10]);

  // The File menu's first recent entry opens that file again and moves nothing.
  target_.opened.clear();
  window_->Dispatch(cmd::kRecentFileFirst + 3);
  EXPECT_EQ(target_.opened, std::vector<std::string>{paths[7]});
  EXPECT_EQ(window_->RecentFiles().front(), paths[7]);

  // A file that fails to open stays listed while it exists and leaves once it is gone.
  target_.openable.erase(paths[9]);
  EXPECT_FALSE(window_->OpenPath(paths[9]));
  EXPECT_EQ(window_->RecentFiles().size(), 10u);
  std::filesystem::remove(paths[9]);
  EXPECT_FALSE(window_->OpenPath(paths[9]));
  EXPECT_EQ(window_->RecentFiles().size(), 9u);

  CMainWindow again(store_);
  EXPECT_EQ(again.RecentFiles(), window_->RecentFiles());
}

TEST_F(MainWindowTest, DroppedFilesAreOpened) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/data/one.txt"), QUrl("https://example.org/two.txt"),
                QUrl::fromLocalFile("/data/three.xls")});
  window_->show();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window_.get(), &drop);
  EXPECT_EQ(target_.opened, (std::vector<std::string>{"/data/one.txt", "/data/three.xls"}));
}

}  // namespace
