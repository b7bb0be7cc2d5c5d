// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "DesktopFixture.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "render/HeatMapPicture.h"
#include "shell/CommandIds.h"
#include "shell/FindBar.h"
#include "shell/LabelSearch.h"
#include "shell/RecentFileList.h"
#include "shell/ViewWidget.h"
#include "tree/Tree.h"

// The find bar, Ctrl+Q, the recent files and the toolbar's tooltips as a user meets them.

namespace {

// The label of the item at the start of the active side's selection.
std::string SelectedLabel(CViewWidget& widget) {
  CViewModel& view = widget.Model();
  const CTree& side = view.Side(view.Document().switches.rowsActive);
  return (*side.labels)[static_cast<size_t>(side.order[static_cast<size_t>(side.selectionStart)])];
}

// Whether the row at display position `position` lies inside the window's viewport.
bool RowInSight(CViewWidget& widget, int position) {
  const CHeatMapPicture& picture = widget.Picture();
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  const QPoint top =
      widget.ToPixel({matrix.left, matrix.top + picture.RowBounds().starts[size_t(position)]});
  const QPoint bottom =
      widget.ToPixel({matrix.left, matrix.top + picture.RowBounds().ends[size_t(position)]});
  return top.y() >= 0 && bottom.y() <= widget.viewport()->height();
}

// A 300-row table in a window that shows a part of it, rows active, the find bar open.
struct CFindDesktop {
  CFindDesktop() : desktop({}, Options()), main(desktop.app->MainWindow()) {
    desktop.app->SetRowsActive(true);
    main.activateWindow();
    main.Dispatch(cmd::kFind);
    ProcessEvents(2);
  }
  static CDesktop::COptions Options() {
    CDesktop::COptions options;
    options.rows = 300;
    options.columns = 4;
    options.normalWindow = true;
    return options;
  }
  QLineEdit* Field() { return main.FindBar()->Field(); }
  void Type(const QString& text) {
    Field()->selectAll();
    QTest::keyClicks(Field(), text);
  }

  CDesktop desktop;
  CMainWindow& main;
};

TEST(FindBar, TypingSelectsTheFirstMatchScrollsToItAndEnterGoesRoundTheMatches) {
  CFindDesktop find;
  CMainWindow& main = find.main;
  CViewWidget& widget = find.desktop.ActiveWidget();
  ASSERT_TRUE(main.FindBar()->isVisible());
  EXPECT_TRUE(find.Field()->hasFocus());
  const CTree& rows = widget.Model().rowTree;
  widget.verticalScrollBar()->setValue(0);

  // "R29" ignoring case: r29 and r290 … r299, the first of them in display order selected.
  find.Type("R29");
  const std::vector<int> expected = SearchLabels(rows, "r29", false).positions;
  ASSERT_EQ(expected.size(), 11u);
  EXPECT_EQ(main.FindText(), "11 matches");
  EXPECT_EQ(rows.selectionStart, expected[0]);
  EXPECT_EQ(rows.selectionLength, 1);
  EXPECT_TRUE(rows.userSelection);
  EXPECT_NE(SelectedLabel(widget).find("r29"), std::string::npos);
  EXPECT_TRUE(RowInSight(widget, expected[0]));
  // The typed "9" was typing, not a command (the 6 key zooms out; arrows flip).
  EXPECT_DOUBLE_EQ(widget.Model().zoom, 1.0);

  QTest::keyClick(find.Field(), Qt::Key_Return);
  EXPECT_EQ(main.FindText(), "Match 2 of 11");
  EXPECT_EQ(rows.selectionStart, expected[1]);
  EXPECT_TRUE(RowInSight(widget, expected[1]));
  // Back past the first match to the last one, then on past the last to the first.
  QTest::keyClick(find.Field(), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(find.Field(), Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(main.FindText(), "Match 11 of 11");
  EXPECT_EQ(rows.selectionStart, expected[10]);
  EXPECT_TRUE(RowInSight(widget, expected[10]));
  QTest::keyClick(find.Field(), Qt::Key_F3);
  EXPECT_EQ(main.FindText(), "Match 1 of 11");
  EXPECT_EQ(rows.selectionStart, expected[0]);
  // In the bar the arrows go from match to match too, instead of flipping the rows.
  const std::vector<int> order = rows.order;
  QTest::keyClick(find.Field(), Qt::Key_Down);
  EXPECT_EQ(main.FindText(), "Match 2 of 11");
  QTest::keyClick(find.Field(), Qt::Key_Up);
  EXPECT_EQ(main.FindText(), "Match 1 of 11");
  EXPECT_EQ(rows.order, order);

  // Nothing found leaves the selection where it was.
  find.Type("zz");
  EXPECT_EQ(main.FindText(), "No match");
  EXPECT_EQ(rows.selectionStart, expected[0]);

  // Escape closes the bar and its pane.
  QTest::keyClick(find.Field(), Qt::Key_Escape);
  EXPECT_FALSE(main.FindBar()->isVisible());
  EXPECT_TRUE(main.FindText().isEmpty());
}

TEST(FindBar, RegularExpressionsMatchIgnoringCaseAndABadOneIsReportedNotApplied) {
  CFindDesktop find;
  CMainWindow& main = find.main;
  CViewWidget& widget = find.desktop.ActiveWidget();
  const CTree& rows = widget.Model().rowTree;
  main.FindBar()->RegularExpressionBox()->setChecked(true);
  find.Type("^R1[05]$");
  EXPECT_EQ(main.FindText(), "2 matches");
  const std::string first = SelectedLabel(widget);
  EXPECT_TRUE(first == "r10" || first == "r15") << first;
  QTest::keyClick(find.Field(), Qt::Key_Enter);
  EXPECT_EQ(main.FindText(), "Match 2 of 2");
  EXPECT_NE(SelectedLabel(widget), first);

  const int selected = rows.selectionStart;
  find.Field()->setText("r(1");
  EXPECT_TRUE(main.FindText().startsWith("Invalid regular expression"))
      << main.FindText().toStdString();
  EXPECT_EQ(rows.selectionStart, selected);
  QTest::keyClick(find.Field(), Qt::Key_Return);
  EXPECT_EQ(rows.selectionStart, selected);

  // The same text without the check box is a plain part of a label.
  main.FindBar()->RegularExpressionBox()->setChecked(false);
  EXPECT_EQ(main.FindText(), "No match");
  find.Type("r1");
  EXPECT_EQ(main.FindText(),
            QString("%1 matches").arg(SearchLabels(rows, "r1", false).positions.size()));
}

TEST(FindBar, WithColumnsActiveTheColumnLabelsAreSearched) {
  CFindDesktop find;
  CMainWindow& main = find.main;
  CViewWidget& widget = find.desktop.ActiveWidget();
  find.desktop.app->SetRowsActive(false);
  main.FindBar()->Search();
  find.Type("c3");
  EXPECT_EQ(main.FindText(), "1 match");
  const CTree& columns = widget.Model().columnTree;
  EXPECT_EQ(columns.selectionLength, 1);
  EXPECT_EQ(SelectedLabel(widget), "c3");
  EXPECT_FALSE(widget.Model().rowTree.userSelection);
}

TEST(FindBar, ANewResultWindowShowsTheMatchesAndKeepsItsSelection) {
  CFindDesktop find;
  CMainWindow& main = find.main;
  find.Type("r29");
  ASSERT_EQ(main.FindText(), "11 matches");
  CViewWidget* first = &find.desktop.ActiveWidget();
  main.Dispatch(cmd::kClusterRows);
  ProcessEvents(2);
  CViewWidget& result = find.desktop.ActiveWidget();
  ASSERT_NE(&result, first);
  // The clustering's window is searched again, but what the next command works on is not
  // changed behind the user's back.
  EXPECT_EQ(main.FindText(), "11 matches");
  EXPECT_FALSE(result.Model().rowTree.userSelection);
  EXPECT_EQ(result.Model().rowTree.selectionLength, result.Model().rowTree.count);
  // Enter goes on from there, in the new window's order.
  main.FindBar()->Step(true);
  const std::vector<int> expected = SearchLabels(result.Model().rowTree, "r29", false).positions;
  EXPECT_EQ(result.Model().rowTree.selectionStart, expected[0]);
  EXPECT_EQ(main.FindText(), "Match 1 of 11");
}

TEST(FindBar, SearchesFollowTheDisplayOrderAndSkipItemsWithoutLabels) {
  std::vector<std::string> labels{"alpha", "Beta", "gamma", "ALPHABET"};
  CTree side;
  side.Initialize(4, nullptr, &labels, {});
  side.order = {3, 2, 1, 0};
  EXPECT_EQ(SearchLabels(side, "alpha", false).positions, (std::vector<int>{0, 3}));
  EXPECT_EQ(SearchLabels(side, "^a.*a$", true).positions, (std::vector<int>{3}));
  EXPECT_TRUE(SearchLabels(side, "", false).positions.empty());
  EXPECT_FALSE(SearchLabels(side, "[", true).error.isEmpty());
  labels.pop_back();  // item 3 has no label any more
  EXPECT_EQ(SearchLabels(side, "a", false).positions, (std::vector<int>{1, 2, 3}));
}

TEST(DesktopHabits, CtrlQClosesTheMainWindowWithoutAQuestion) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  ASSERT_TRUE(main.isVisible());
  ASSERT_EQ(main.ChildCount(), 1);
  QTest::keyClick(&desktop.ActiveWidget(), Qt::Key_Q, Qt::ControlModifier);
  ProcessEvents(2);
  EXPECT_FALSE(main.isVisible());
  EXPECT_EQ(main.ChildCount(), 0);
}

TEST(DesktopHabits, RecentFilesAreListedAbsoluteAndOnce) {
  CTempDir folder;
  std::filesystem::create_directory(folder.Path() / "data");
  const std::string file = folder.Write("data/t.txt", "a\tb\n");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  CMemorySettingsStore store;
  CRecentFileList list(store);
  list.Add("data/t.txt");
  list.Add("./data/../data//t.txt");
  list.Add("data/not-yet.txt");
  std::filesystem::current_path(before);
  const std::string expected = std::filesystem::canonical(file).string();
  ASSERT_EQ(list.Files().size(), 2u);
  EXPECT_EQ(list.Files()[1], expected);
  EXPECT_EQ(list.Files()[0],
            (std::filesystem::path(expected).parent_path() / "not-yet.txt").string());
  EXPECT_EQ(store.ReadString(CRecentFileList::kSection, "File2", ""), expected);
  // Named as listed, the file leaves the list, from any working folder.
  list.Remove(expected);
  EXPECT_EQ(list.Files().size(), 1u);
}

TEST(DesktopHabits, EveryToolbarButtonHasAToolTipAndTheWindowItsIcon) {
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  EXPECT_FALSE(main.windowIcon().isNull());
  int buttons = 0;
  for (QToolBar* bar : main.findChildren<QToolBar*>()) {
    for (QAction* action : bar->actions()) {
      if (action->isSeparator()) continue;
      ++buttons;
      const QWidget* shown = bar->widgetForAction(action);
      const QString tip = shown ? shown->toolTip() : action->toolTip();
      EXPECT_FALSE(tip.isEmpty()) << bar->objectName().toStdString() << " "
                                  << action->text().toStdString();
      const int command = action->data().toInt();
      if (command != 0) {
        EXPECT_STRNE(CCommandTable::ToolTip(command), "") << action->text().toStdString();
      }
    }
  }
  EXPECT_GT(buttons, 15);
}

}  // namespace
