// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/CommandTable.h"
#include "shell/CommandTarget.h"
#include "shell/HelpBrowser.h"

class CChildFrame;
class CClustersDlg;
class CFindBar;

class CLabelListDlg;
class CMethodChooser;
class CRecentFileList;
class CSettingsStore;
class CZoomPalette;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

// The main window: document windows inside an MDI area, the menus, toolbars and keys of the
// command table, the status bar, the recent-file list, full screen and the dropping of files.
// Every command goes to the command target; the main window carries out its own commands
// (window menu, full screen, …) when the target leaves them.
class CMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `store` keeps the recent-file list; it must outlive the window.
  explicit CMainWindow(CSettingsStore& store, QWidget* parent = nullptr);
  ~CMainWindow() override;

  void SetCommandTarget(CCommandTarget* target);

  // Document windows. AddChild takes `view` into a new frame, shows and activates it; the frame
  // and the view are deleted when the window closes (childClosing comes first).
  CChildFrame* AddChild(QWidget* view, const QString& title);
  void CloseChild(QWidget* view);
  void SetChildTitle(QWidget* view, const QString& title);
  int ChildCount() const;
  QWidget* ActiveChild() const;
  std::vector<QWidget*> Children() const;
  QMdiArea* MdiArea() const { return mdiArea_; }

  // Sends a command as its menu entry would: nothing when it is disabled; otherwise to the
  // target, then the main window's own part when the target leaves it.
  void Dispatch(int command);
  // The state the menus show: the target's, combined with the main window's own for its
  // commands.
  CCommandState StateOf(int command);
  // Refreshes toolbars, method choosers, side list, zoom palette and status bar now.
  void RefreshCommandStates();

  // The context menu of a view.
  QMenu* ContextMenu() const { return contextMenu_; }
  void ShowContextMenu(const QPoint& globalPosition);
  // Every menu and toolbar action that sends `command`.
  std::vector<QAction*> ActionsOf(int command) const;

  void SetFullScreen(bool on);
  bool IsFullScreen() const { return fullScreen_; }

  // Opens a file through the target; on success the file goes first on the recent-file list.
  // A listed file that no longer exists leaves the list.
  bool OpenPath(const std::string& path);
  void AddRecentFile(const std::string& path);
  const std::vector<std::string>& RecentFiles() const;

  QString StatusPaneText(int pane) const;
  // The position under the pointer in browse mode, in a pane of its own (empty hides it).
  void ShowPointerText(const QString& text);
  QString PointerText() const;

  // The main window's geometry and the state of its toolbars, kept in the settings store when
  // the window closes and brought back at the next start; false when none was kept.
  void SaveLayout();
  bool RestoreLayout();

  // Shows a page of the guide: in the user's browser when the desktop has one for web pages,
  // else in a window of the program. `check` replaces the question to the desktop (tests).
  void ShowHelpPage(const QString& page);
  void SetBrowserCheck(std::function<bool()> check) { browserCheck_ = std::move(check); }
  CHelpBrowser* HelpBrowser() const { return helpBrowser_; }
  CMethodChooser* MethodChooser(CMethodKind kind) const;
  QComboBox* SideList() const { return sideList_; }
  CZoomPalette* ZoomPalette() const { return zoomPalette_; }
  QToolBar* SizeBar() const { return sizeBar_; }
  CFindBar* FindBar() const { return findBar_; }
  // What the find bar found, in a pane of the status bar of its own (empty hides it).
  QString FindText() const;

  // The modeless windows of the whole program, made at first use.
  CLabelListDlg& LabelList();
  CClustersDlg& ClustersDialog();

 signals:
  // The active document window changed (nullptr: none left).
  void childActivated(QWidget* view);
  // A document window accepted to close; its view is deleted next.
  void childClosing(QWidget* view);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  QAction* MakeAction(int command, const QString& text, QObject* parent);
  void RefreshMenu(QMenu* menu);
  void RefreshAction(QAction* action);
  void RefreshRecentFiles();
  void RefreshWindowList();
  void RunShellCommand(int command);
  CCommandState ShellState(int command) const;
  static bool IsTypingKey(const QKeyEvent& key);
  // The zoom a text typed into the palette asks for; nothing for an unreadable text or a zoom
  // out of range.
  static std::optional<CPaletteChoice> TypedZoom(const QString& text);
  QMdiSubWindow* FrameOf(QWidget* view) const;

  CCommandTarget* target_ = nullptr;
  CSettingsStore& store_;
  std::unique_ptr<CRecentFileList> recentFiles_;
  QMdiArea* mdiArea_;
  QMenu* contextMenu_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  std::vector<QAction*> recentActions_;
  std::vector<QAction*> windowListActions_;
  std::multimap<int, QAction*> actions_;
  std::vector<QAction*> toolActions_;
  std::array<CMethodChooser*, 3> choosers_{};
  QComboBox* sideList_ = nullptr;
  CZoomPalette* zoomPalette_ = nullptr;
  QToolBar* sizeBar_ = nullptr;
  std::array<QLabel*, kStatusPaneCount> panes_{};
  QLabel* pointerPane_ = nullptr;
  QLabel* findPane_ = nullptr;
  CFindBar* findBar_ = nullptr;
  QPointer<CHelpBrowser> helpBrowser_;
  std::function<bool()> browserCheck_;
  QTimer* refreshTimer_;
  QPointer<CLabelListDlg> labelList_;
  QPointer<CClustersDlg> clustersDialog_;
  // Commands under way: the regular refresh waits, so that the target is never asked for
  // states in the middle of a command (progress windows let events through).
  int dispatchDepth_ = 0;
  bool fullScreen_ = false;
  bool wasMaximized_ = false;
  std::vector<QWidget*> barsHiddenForFullScreen_;
};
