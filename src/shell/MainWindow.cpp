// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "data/TableFileReader.h"
#include "settings/SettingsStore.h"
#include "shell/AboutDlg.h"
#include "shell/AppIcon.h"
#include "shell/ChildFrame.h"
#include "shell/ClustersDlg.h"
#include "shell/CommandIcons.h"
#include "shell/CommandIds.h"
#include "shell/FileFilter.h"
#include "shell/FindBar.h"
#include "shell/HelpBrowser.h"
#include "shell/HelpPages.h"
#include "shell/LabelListDlg.h"
#include "shell/MessageLayout.h"
#include "shell/MethodChooser.h"
#include "shell/RecentFileList.h"
#include "shell/StatusPane.h"
#include "shell/ViewWidget.h"
#include "shell/ZoomPalette.h"

namespace {

constexpr int kRefreshIntervalMs = 250;
// Where the window layout is kept in the settings store.
constexpr const char* kLayoutSection = "Window Layout";
// The zoom typed into the palette: a percentage ("65", "65 %") or "Fit".
constexpr const char* kTypedZoomPattern = R"(\s*(\d{0,4}\s*%?|[Ff][Ii]?[Tt]?)\s*)";

constexpr CMenuName kMenuBarMenus[] = {CMenuName::kFile,      CMenuName::kEdit, CMenuName::kView,
                                       CMenuName::kTreatment, CMenuName::kZoom, CMenuName::kOptions,
                                       CMenuName::kWindow,    CMenuName::kHelp};

QString MenuEscaped(QString text) {
  return text.replace('&', "&&");
}

}  // namespace

CMainWindow::CMainWindow(CSettingsStore& store, QWidget* parent)
    : QMainWindow(parent), store_(store), recentFiles_(std::make_unique<CRecentFileList>(store)) {
  setWindowTitle("Quorvel");
  setWindowIcon(QuorvelIcon());
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The workspace, with the find bar below it (above the status bar) while it is open.
  auto* centre = new QWidget(this);
  auto* column = new QVBoxLayout(centre);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(mdiArea_, 1);
  findBar_ = new CFindBar([this] { return qobject_cast<CViewWidget*>(ActiveChild()); },
                          [this](const QString& text) {
                            findPane_->setText(text);
                            findPane_->setVisible(!text.isEmpty());
                          },
                          centre);
  column->addWidget(findBar_);
  setCentralWidget(centre);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
    emit childActivated(frame ? frame->widget() : nullptr);
    findBar_->Refresh();
    RefreshCommandStates();
  });

  BuildMenus();
  BuildToolBars();
  BuildStatusBar();
  setAcceptDrops(true);

  // The key table wins over the keys of the widgets and of Qt's own shortcuts.
  qApp->installEventFilter(this);
  refreshTimer_ = new QTimer(this);
  refreshTimer_->setInterval(kRefreshIntervalMs);
  connect(refreshTimer_, &QTimer::timeout, this, &CMainWindow::RefreshCommandStates);
  refreshTimer_->start();
  connect(qApp, &QApplication::focusChanged, this, [this] { RefreshCommandStates(); });
  resize(1280, 800);
}

CMainWindow::~CMainWindow() {
  qApp->removeEventFilter(this);
  refreshTimer_->stop();
  // The widgets go after this body; their signals must not reach a half-destroyed window.
  disconnect(mdiArea_, nullptr, this, nullptr);
  disconnect(qApp, nullptr, this, nullptr);
  for (QMdiSubWindow* frame : mdiArea_->subWindowList())
    disconnect(frame, nullptr, this, nullptr);
  target_ = nullptr;
}

void CMainWindow::SetCommandTarget(CCommandTarget* target) {
  target_ = target;
  RefreshCommandStates();
}

QAction* CMainWindow::MakeAction(int command, const QString& text, QObject* parent) {
  auto* action = new QAction(text, parent);
  action->setData(command);
  action->setStatusTip(QString::fromUtf8(CCommandTable::StatusTip(command)));
  const QString tip = QString::fromUtf8(CCommandTable::ToolTip(command));
  if (!tip.isEmpty()) action->setToolTip(tip);
  connect(action, &QAction::triggered, this, [this, command] { Dispatch(command); });
  actions_.emplace(command, action);
  return action;
}

void CMainWindow::BuildMenus() {
  std::map<CMenuName, QMenu*> menus;
  for (const CMenuName name : kMenuBarMenus) {
    menus[name] = menuBar()->addMenu(QString::fromUtf8(CCommandTable::MenuTitle(name)));
  }
  contextMenu_ = new QMenu(this);
  menus[CMenuName::kContext] = contextMenu_;
  fileMenu_ = menus[CMenuName::kFile];
  viewMenu_ = menus[CMenuName::kView];
  windowMenu_ = menus[CMenuName::kWindow];

  std::map<std::pair<CMenuName, std::string>, QMenu*> popups;
  for (const CMenuEntry& entry : CCommandTable::MenuEntries()) {
    QMenu* menu = menus[entry.menu];
    if (*entry.popup != '\0') {
      QMenu*& popup = popups[{entry.menu, entry.popup}];
      if (!popup) popup = menu->addMenu(QString::fromUtf8(entry.popup));
      menu = popup;
    }
    if (entry.command == 0) {
      menu->addSeparator();
    } else {
      menu->addAction(MakeAction(entry.command, CCommandTable::ShownCaption(entry), menu));
    }
  }

  for (auto& [name, menu] : menus) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu = menu] { RefreshMenu(menu); });
  }
  for (auto& [key, popup] : popups) {
    connect(popup, &QMenu::aboutToShow, this, [this, popup = popup] { RefreshMenu(popup); });
  }

  // The recent files stand between the printing entries and "Exit".
  QAction* exit = nullptr;
  for (QAction* action : fileMenu_->actions()) {
    if (action->data().toInt() == cmd::kExit) exit = action;
  }
  for (int k = 0; k < cmd::kRecentFileCount; ++k) {
    QAction* action = MakeAction(cmd::kRecentFileFirst + k, QString(), fileMenu_);
    action->setVisible(false);
    fileMenu_->insertAction(exit, action);
    recentActions_.push_back(action);
  }
  recentSeparator_ = new QAction(fileMenu_);
  recentSeparator_->setSeparator(true);
  fileMenu_->insertAction(exit, recentSeparator_);
  connect(fileMenu_, &QMenu::aboutToShow, this, &CMainWindow::RefreshRecentFiles);
  connect(windowMenu_, &QMenu::aboutToShow, this, &CMainWindow::RefreshWindowList);
  RefreshRecentFiles();
}

void CMainWindow::BuildToolBars() {
  QToolBar* fileBar = addToolBar("Standard");
  fileBar->setObjectName("standardBar");
  for (const int command : CCommandTable::FileToolBar()) {
    if (command == 0) {
      fileBar->addSeparator();
      continue;
    }
    QAction* action = MakeAction(command, QString::fromUtf8(CCommandTable::ToolTip(command)), this);
    action->setIcon(CommandIcon(command));
    fileBar->addAction(action);
    toolActions_.push_back(action);
  }

  QToolBar* optionsBar = addToolBar("Options");
  optionsBar->setObjectName("optionsBar");
  for (const int command : CCommandTable::OptionsToolBar()) {
    if (command == 0) {
      optionsBar->addSeparator();
      continue;
    }
    QAction* action = MakeAction(command, QString::fromUtf8(CCommandTable::ToolTip(command)), this);
    action->setIcon(CommandIcon(command));
    optionsBar->addAction(action);
    toolActions_.push_back(action);
  }
  optionsBar->addSeparator();
  sideList_ = new QComboBox(optionsBar);
  sideList_->setObjectName("sideList");
  sideList_->addItems({"Rows", "Columns"});
  sideList_->setToolTip("Active side");
  sideList_->setEnabled(false);
  optionsBar->addWidget(sideList_);
  connect(sideList_, &QComboBox::activated, this, [this](int index) {
    if (target_ && index >= 0) target_->SetRowsActive(index == 0);
    findBar_->Refresh();
    RefreshCommandStates();
  });

  QToolBar* methodsBar = addToolBar("Methods");
  methodsBar->setObjectName("methodsBar");
  const std::pair<CMethodKind, const char*> kinds[] = {
      {CMethodKind::kLinkage, "Linkage rule"},
      {CMethodKind::kSeriation, "Seriation rule"},
      {CMethodKind::kTreeSeriation, "Tree seriation rule"}};
  for (const auto& [kind, tip] : kinds) {
    auto* chooser = new CMethodChooser(kind, methodsBar);
    chooser->setToolTip(tip);
    methodsBar->addWidget(chooser);
    choosers_[static_cast<size_t>(kind)] = chooser;
    connect(chooser, &QComboBox::activated, this, [this, chooser](int index) {
      if (target_ && index >= 0) target_->SetMethodChoice(chooser->Kind(), chooser->CodeAt(index));
      RefreshCommandStates();
    });
  }

  QToolBar* zoomBar = addToolBar("Zoom");
  zoomBar->setObjectName("zoomBar");
  zoomPalette_ = new CZoomPalette(zoomBar);
  zoomPalette_->setObjectName("zoomPalette");
  zoomPalette_->setToolTip("Zoom: choose, or type a percentage and press Return");
  zoomPalette_->lineEdit()->setValidator(
      new QRegularExpressionValidator(QRegularExpression(kTypedZoomPattern), zoomPalette_));
  zoomBar->addWidget(zoomPalette_);
  connect(zoomPalette_, &QComboBox::activated, this, [this](int index) {
    if (index > 0 && target_) {
      target_->ChooseZoom(ParsePaletteItem(zoomPalette_->itemText(index).toStdString()));
    }
    zoomPalette_->ShowZoom(target_ ? target_->CurrentZoom() : std::nullopt, true);
  });
  connect(zoomPalette_, &CZoomPalette::zoomTyped, this, [this](const QString& text) {
    if (target_) {
      if (const std::optional<CPaletteChoice> choice = TypedZoom(text))
        target_->ChooseZoom(*choice);
    }
    zoomPalette_->ShowZoom(target_ ? target_->CurrentZoom() : std::nullopt, true);
    RefreshCommandStates();
  });
  for (const int command : {cmd::kZoomIn, cmd::kZoomOut, cmd::kZoomDelete, cmd::kFitToWindow}) {
    QString text;
    for (const CMenuEntry& entry : CCommandTable::MenuEntries()) {
      if (entry.command == command) {
        text = CCommandTable::ShownCaption(entry).section('\t', 0, 0);
        break;
      }
    }
    QAction* action = MakeAction(command, text, this);
    action->setIcon(CommandIcon(command));
    zoomBar->addAction(action);
    toolActions_.push_back(action);
  }

  // The method choosers show their whole captions: they start a second row, which the
  // cell-size presets share when they are shown, so that no bar overflows into its "»" menu
  // on a screen 1400 pixels wide.
  insertToolBar(methodsBar, zoomBar);
  insertToolBarBreak(methodsBar);

  // The cell-size presets, shown by "Custom matrix size".
  sizeBar_ = addToolBar("Matrix size");
  sizeBar_->setObjectName("sizeBar");
  for (const bool rows : {true, false}) {
    auto* button = new QToolButton(sizeBar_);
    button->setText(rows ? "Rows height" : "Columns width");
    button->setToolTip(rows ? "The height of the rows' cells" : "The width of the columns' cells");
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    for (const CMenuEntry& entry : CCommandTable::MenuEntries()) {
      if (entry.menu != CMenuName::kZoom || CCommandTable::CellSizeOf(entry.command) == 0 ||
          CCommandTable::IsRowHeightCommand(entry.command) != rows) {
        continue;
      }
      const QString text = QString::fromUtf8(entry.caption) + " (" +
                           QString::number(CCommandTable::CellSizeOf(entry.command)) + ")";
      QAction* action = MakeAction(entry.command, text, menu);
      menu->addAction(action);
      toolActions_.push_back(action);
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { RefreshMenu(menu); });
    button->setMenu(menu);
    sizeBar_->addWidget(button);
  }
  sizeBar_->hide();

  QMenu* toolbars = viewMenu_->addMenu("&Toolbars");
  for (QToolBar* bar : {fileBar, optionsBar, methodsBar, zoomBar}) {
    toolbars->addAction(bar->toggleViewAction());
  }
}

void CMainWindow::BuildStatusBar() {
  // What the find bar found, while it is open.
  findPane_ = new CStatusPane(statusBar());
  findPane_->setObjectName("findPane");
  statusBar()->addPermanentWidget(findPane_);
  findPane_->hide();
  // The position under the pointer in browse mode, first; hidden while there is none.
  pointerPane_ = new CStatusPane(statusBar());
  pointerPane_->setObjectName("pointerPane");
  statusBar()->addPermanentWidget(pointerPane_);
  pointerPane_->hide();
  for (int k = 0; k < kStatusPaneCount; ++k) {
    auto* pane = new CStatusPane(statusBar());
    pane->setObjectName(QString("pane%1").arg(k + 1));
    statusBar()->addPermanentWidget(pane);
    panes_[static_cast<size_t>(k)] = pane;
  }
}

void CMainWindow::ShowPointerText(const QString& text) {
  pointerPane_->setText(text);
  pointerPane_->setVisible(!text.isEmpty());
}

QString CMainWindow::FindText() const {
  return findPane_->isVisibleTo(this) ? findPane_->text() : QString();
}

QString CMainWindow::PointerText() const {
  return pointerPane_->isVisibleTo(this) ? pointerPane_->text() : QString();
}

CChildFrame* CMainWindow::AddChild(QWidget* view, const QString& title) {
  QMdiSubWindow* previous = mdiArea_->activeSubWindow();
  auto* frame = new CChildFrame(view);
  frame->setWindowTitle(title);
  mdiArea_->addSubWindow(frame);
  // Each new window steps down and right from the active one, back to the corner when it
  // would leave the area, so that the title of every result stays in sight.
  if (previous && !previous->isMaximized()) {
    constexpr int kCascadeStep = 28;
    QPoint at = previous->pos() + QPoint(kCascadeStep, kCascadeStep);
    const QSize area = mdiArea_->viewport()->size();
    if (at.x() + 200 > area.width() || at.y() + 150 > area.height()) at = QPoint(0, 0);
    frame->move(at);
  }
  connect(frame, &CChildFrame::closing, this, &CMainWindow::childClosing);
  frame->show();
  mdiArea_->setActiveSubWindow(frame);
  return frame;
}

QMdiSubWindow* CMainWindow::FrameOf(QWidget* view) const {
  for (QMdiSubWindow* frame : mdiArea_->subWindowList()) {
    if (frame->widget() == view) return frame;
  }
  return nullptr;
}

void CMainWindow::CloseChild(QWidget* view) {
  if (QMdiSubWindow* frame = FrameOf(view)) frame->close();
}

void CMainWindow::SetChildTitle(QWidget* view, const QString& title) {
  if (QMdiSubWindow* frame = FrameOf(view)) frame->setWindowTitle(title);
}

int CMainWindow::ChildCount() const {
  return static_cast<int>(mdiArea_->subWindowList().size());
}

QWidget* CMainWindow::ActiveChild() const {
  QMdiSubWindow* frame = mdiArea_->currentSubWindow();
  return frame ? frame->widget() : nullptr;
}

std::vector<QWidget*> CMainWindow::Children() const {
  std::vector<QWidget*> views;
  for (QMdiSubWindow* frame : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
    views.push_back(frame->widget());
  }
  return views;
}

CCommandState CMainWindow::ShellState(int command) const {
  CCommandState state;
  switch (command) {
    case cmd::kWindowCascade:
    case cmd::kWindowTile:
    case cmd::kWindowNext:
    case cmd::kWindowClose:
    case cmd::kFind:
    case cmd::kFindNext:
    case cmd::kFindPrevious:
      state.enabled = ChildCount() > 0;
      break;
    case cmd::kFullScreen:
      state.checked = fullScreen_;
      break;
    case cmd::kLeaveFullScreen:
      state.enabled = fullScreen_;
      break;
    case cmd::kCustomMatrixSize:
      state.checked = sizeBar_->isVisibleTo(this);
      break;
    case cmd::kStatusBar:
      state.checked = statusBar()->isVisibleTo(this);
      break;
    case cmd::kClustersIdentification:
      state.checked = clustersDialog_ && clustersDialog_->isVisible();
      break;
    case cmd::kHelpHomePage:
      state.enabled = !HelpPagePath("index.html").isEmpty();
      break;
    case cmd::kHelpGuidePage:
      state.enabled = !HelpPagePath("guide.html").isEmpty();
      break;
    default:
      break;
  }
  return state;
}

CCommandState CMainWindow::StateOf(int command) {
  CCommandState state = target_ ? target_->State(command) : CCommandState{};
  if (CCommandTable::IsShellCommand(command)) {
    const CCommandState own = ShellState(command);
    state.enabled = state.enabled && own.enabled;
    state.checked = state.checked || own.checked;
  }
  return state;
}

void CMainWindow::Dispatch(int command) {
  if (!StateOf(command).enabled) return;
  // The count goes down however the command ends (a failure may travel up through here), and
  // not at all when the command closed and deleted the window.
  struct CDispatchScope {
    QPointer<CMainWindow> window;
    explicit CDispatchScope(CMainWindow* w) : window(w) { ++w->dispatchDepth_; }
    ~CDispatchScope() {
      if (window) --window->dispatchDepth_;
    }
  };
  const QPointer<CMainWindow> self(this);
  {
    const CDispatchScope scope(this);
    const bool handled = target_ && target_->Execute(command);
    if (!self) return;
    if (!handled) RunShellCommand(command);
    if (!self) return;
  }
  RefreshCommandStates();
}

void CMainWindow::RunShellCommand(int command) {
  switch (command) {
    case cmd::kNew:
    case cmd::kOpen: {
      const QString path =
          QFileDialog::getOpenFileName(this, "Open", QString(), QtFileFilter(DataFileFilter()));
      if (!path.isEmpty()) OpenPath(path.toStdString());
      break;
    }
    case cmd::kExit:
      close();
      break;
    case cmd::kAbout: {
      CAboutDlg about(this);
      about.exec();
      break;
    }
    case cmd::kFullScreen:
      SetFullScreen(!fullScreen_);
      break;
    case cmd::kLeaveFullScreen:
      SetFullScreen(false);
      break;
    case cmd::kHelpHomePage:
      ShowHelpPage("index.html");
      break;
    case cmd::kHelpGuidePage:
      ShowHelpPage("guide.html");
      break;
    case cmd::kCustomMatrixSize:
      sizeBar_->setVisible(!sizeBar_->isVisibleTo(this));
      break;
    case cmd::kStatusBar:
      statusBar()->setVisible(!statusBar()->isVisibleTo(this));
      break;
    case cmd::kClustersIdentification:
      ClustersDialog().show();
      ClustersDialog().raise();
      break;
    case cmd::kWindowCascade:
      mdiArea_->cascadeSubWindows();
      break;
    case cmd::kWindowTile:
      mdiArea_->tileSubWindows();
      break;
    case cmd::kWindowNext:
      mdiArea_->activateNextSubWindow();
      break;
    case cmd::kWindowClose:
      if (QMdiSubWindow* frame = mdiArea_->currentSubWindow()) frame->close();
      break;
    case cmd::kFind:
      findBar_->Open();
      break;
    case cmd::kFindNext:
    case cmd::kFindPrevious:
      findBar_->Step(command == cmd::kFindNext);
      break;
    default: {
      const int k = command - cmd::kRecentFileFirst;
      const auto& files = recentFiles_->Files();
      if (k >= 0 && k < static_cast<int>(files.size())) {
        const std::string path = files[static_cast<size_t>(k)];
        OpenPath(path);
      }
      break;
    }
  }
}

void CMainWindow::RefreshAction(QAction* action) {
  const int command = action->data().toInt();
  if (command == 0) return;
  const CCommandState state = StateOf(command);
  action->setEnabled(state.enabled);
  // Only ticked entries are checkable, so that the others show no empty check box.
  action->setCheckable(state.checked);
  action->setChecked(state.checked);
}

void CMainWindow::RefreshMenu(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator() && !action->menu()) RefreshAction(action);
  }
}

void CMainWindow::RefreshCommandStates() {
  if (dispatchDepth_ > 0 || QApplication::activeModalWidget()) return;
  for (QAction* action : toolActions_)
    RefreshAction(action);
  for (CMethodChooser* chooser : choosers_) {
    if (!chooser->view()->isVisible()) {
      chooser->ShowChoice(target_ ? target_->MethodChoice(chooser->Kind()) : std::nullopt);
    }
  }
  if (!sideList_->view()->isVisible()) {
    const std::optional<bool> rows = target_ ? target_->RowsActive() : std::nullopt;
    const QSignalBlocker blocker(sideList_);
    sideList_->setEnabled(rows.has_value());
    if (rows) sideList_->setCurrentIndex(*rows ? 0 : 1);
  }
  if (!zoomPalette_->view()->isVisible()) {
    zoomPalette_->ShowZoom(target_ ? target_->CurrentZoom() : std::nullopt, false);
  }
  if (target_) {
    const auto texts = target_->StatusTexts();
    for (size_t k = 0; k < texts.size(); ++k)
      panes_[k]->setText(ToQString(texts[k]));
  }
}

void CMainWindow::RefreshRecentFiles() {
  const auto& files = recentFiles_->Files();
  for (size_t k = 0; k < recentActions_.size(); ++k) {
    QAction* action = recentActions_[k];
    const bool used = k < files.size();
    action->setVisible(used);
    if (used) {
      action->setText(QString("&%1 %2").arg(k + 1).arg(MenuEscaped(ToQString(files[k]))));
    }
  }
  recentSeparator_->setVisible(!files.empty());
}

void CMainWindow::RefreshWindowList() {
  for (QAction* action : windowListActions_) {
    windowMenu_->removeAction(action);
    action->deleteLater();
  }
  windowListActions_.clear();
  const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList(QMdiArea::CreationOrder);
  if (frames.isEmpty()) return;
  windowListActions_.push_back(windowMenu_->addSeparator());
  int number = 1;
  for (QMdiSubWindow* frame : frames) {
    QAction* action = windowMenu_->addAction(
        QString("&%1 %2").arg(number++).arg(MenuEscaped(frame->windowTitle())));
    action->setCheckable(true);
    action->setChecked(frame == mdiArea_->currentSubWindow());
    connect(action, &QAction::triggered, this, [this, frame = QPointer<QMdiSubWindow>(frame)] {
      if (frame) mdiArea_->setActiveSubWindow(frame);
    });
    windowListActions_.push_back(action);
  }
}

void CMainWindow::ShowContextMenu(const QPoint& globalPosition) {
  contextMenu_->exec(globalPosition);
}

std::vector<QAction*> CMainWindow::ActionsOf(int command) const {
  std::vector<QAction*> found;
  const auto [first, last] = actions_.equal_range(command);
  for (auto it = first; it != last; ++it)
    found.push_back(it->second);
  return found;
}

void CMainWindow::SetFullScreen(bool on) {
  if (on == fullScreen_) return;
  fullScreen_ = on;
  if (on) {
    wasMaximized_ = isMaximized();
    barsHiddenForFullScreen_.clear();
    for (QToolBar* bar : findChildren<QToolBar*>()) {
      if (bar->isVisibleTo(this)) barsHiddenForFullScreen_.push_back(bar);
    }
    if (statusBar()->isVisibleTo(this)) barsHiddenForFullScreen_.push_back(statusBar());
    for (QWidget* bar : barsHiddenForFullScreen_)
      bar->hide();
    showFullScreen();
  } else {
    for (QWidget* bar : barsHiddenForFullScreen_)
      bar->show();
    barsHiddenForFullScreen_.clear();
    if (wasMaximized_) {
      showMaximized();
    } else {
      showNormal();
    }
  }
  RefreshCommandStates();
}

bool CMainWindow::OpenPath(const std::string& path) {
  if (!target_) return false;
  if (target_->OpenFile(path)) {
    AddRecentFile(path);
    return true;
  }
  if (!QFileInfo::exists(ToQString(path))) recentFiles_->Remove(path);
  return false;
}

void CMainWindow::AddRecentFile(const std::string& path) {
  recentFiles_->Add(path);
  RefreshRecentFiles();
}

const std::vector<std::string>& CMainWindow::RecentFiles() const {
  return recentFiles_->Files();
}

QString CMainWindow::StatusPaneText(int pane) const {
  if (pane < 0 || pane >= kStatusPaneCount) return QString();
  return panes_[static_cast<size_t>(pane)]->text();
}

CMethodChooser* CMainWindow::MethodChooser(CMethodKind kind) const {
  return choosers_[static_cast<size_t>(kind)];
}

CLabelListDlg& CMainWindow::LabelList() {
  if (!labelList_) labelList_ = new CLabelListDlg(this);
  return *labelList_;
}

CClustersDlg& CMainWindow::ClustersDialog() {
  if (!clustersDialog_) clustersDialog_ = new CClustersDlg(this);
  return *clustersDialog_;
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Typing into the zoom palette is typing, not commands ("6" would zoom out).
    if (widget && widget == zoomPalette_->lineEdit() && IsTypingKey(*key)) {
      return QMainWindow::eventFilter(watched, event);
    }
    // So is typing into the find bar; there Escape closes the bar, Enter and the up and down
    // arrows go from match to match.
    if (widget && widget == findBar_->Field() &&
        (IsTypingKey(*key) || key->key() == Qt::Key_Escape ||
         ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
          !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))))) {
      return QMainWindow::eventFilter(watched, event);
    }
    if (widget && widget->window() == this) {
      const int command = CCommandTable::CommandOfKey(key->key(), key->modifiers());
      if (command != 0) {
        // Claiming the override keeps Qt's shortcuts and the widget's own keys out; the key
        // press that follows sends the command.
        event->accept();
        if (type == QEvent::KeyPress) Dispatch(command);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainWindow::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  event->acceptProposedAction();
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenPath(url.toLocalFile().toStdString());
  }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  SaveLayout();
  if (labelList_) labelList_->hide();
  if (clustersDialog_) clustersDialog_->hide();
  event->accept();
}

std::optional<CPaletteChoice> CMainWindow::TypedZoom(const QString& text) {
  const QString typed = text.trimmed();
  if (typed.compare("Fit", Qt::CaseInsensitive) == 0) return CPaletteChoice{true, 1.0};
  QString digits = typed;
  digits.remove('%');
  bool ok = false;
  const int percent = digits.trimmed().toInt(&ok);
  if (!ok || percent <= 0) return std::nullopt;
  const double zoom = percent / 100.0;
  // Outside the zoom's range the typed value is refused, as the zoom commands refuse it.
  if (zoom < kMinimumZoom || zoom > kMaximumZoom) return std::nullopt;
  return CPaletteChoice{false, zoom};
}

bool CMainWindow::IsTypingKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers commandModifiers =
      key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (commandModifiers != Qt::NoModifier) return false;
  switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    default:
      return !key.text().isEmpty() && key.text().at(0).isPrint();
  }
}

void CMainWindow::SaveLayout() {
  // Out of full screen first: the layout kept is the one the user works in.
  if (fullScreen_) SetFullScreen(false);
  store_.WriteString(kLayoutSection, "Geometry", saveGeometry().toBase64().toStdString());
  store_.WriteString(kLayoutSection, "ToolBars", saveState().toBase64().toStdString());
}

bool CMainWindow::RestoreLayout() {
  const QByteArray geometry = QByteArray::fromBase64(
      QByteArray::fromStdString(store_.ReadString(kLayoutSection, "Geometry", "")));
  const QByteArray state = QByteArray::fromBase64(
      QByteArray::fromStdString(store_.ReadString(kLayoutSection, "ToolBars", "")));
  if (!state.isEmpty()) restoreState(state);
  return !geometry.isEmpty() && restoreGeometry(geometry);
}

void CMainWindow::ShowHelpPage(const QString& page) {
  const QString path = HelpPagePath(page);
  if (path.isEmpty()) {
    QMessageBox::warning(this, "Quorvel",
                         "The page " + page + " is not installed with the program.");
    return;
  }
  const bool desktop = browserCheck_ ? browserCheck_() : DesktopOpensWebPages();
  if (desktop && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
  // No browser to show it: the program shows the page itself.
  if (!helpBrowser_) helpBrowser_ = new CHelpBrowser(this);
  helpBrowser_->ShowPage(path);
  if (!helpBrowser_->isVisible()) helpBrowser_->resize(size() * 0.8);
  helpBrowser_->show();
  helpBrowser_->raise();
}
