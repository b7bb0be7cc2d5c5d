#include "shell/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "data/TableFileReader.h"
#include "shell/AboutDlg.h"
#include "shell/ChildFrame.h"
#include "shell/ClustersDlg.h"
#include "shell/CommandIcons.h"
#include "shell/CommandIds.h"
#include "shell/FileFilter.h"
#include "shell/HelpPages.h"
#include "shell/LabelListDlg.h"
#include "shell/MessageLayout.h"
#include "shell/MethodChooser.h"
#include "shell/RecentFileList.h"
#include "shell/StatusPane.h"
#include "shell/ZoomPalette.h"

namespace {

constexpr int kRefreshIntervalMs = 250;
// Texts that size the status-bar panes: the table size, the objective functions and the rest.
constexpr const char* kShortPanePlaceholder = " McQuitty's criteria   ";
// The pane of the fixed text "   Next action parameters:     " is sized by that text.
constexpr int kNextActionPane = 5;
constexpr const char* kNextActionPlaceholder = "   Next action parameters:     ";
constexpr const char* kLongPanePlaceholder =
    " Objective Function: By rows R=-x.xxx , By columns R=-x.xxx ";
constexpr int kObjectivesPane = 4;

constexpr CMenuName kMenuBarMenus[] = {CMenuName::kFile, CMenuName::kView,    CMenuName::kTreatment,
                                       CMenuName::kZoom, CMenuName::kOptions, CMenuName::kWindow,
                                       CMenuName::kHelp};

QString MenuEscaped(QString text) {
  return text.replace('&', "&&");
}

}  // namespace

CMainWindow::CMainWindow(CSettingsStore& store, QWidget* parent)
    : QMainWindow(parent), recentFiles_(std::make_unique<CRecentFileList>(store)) {
  setWindowTitle("Quorvel");
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
    emit childActivated(frame ? frame->widget() : nullptr);
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
  zoomPalette_->setToolTip("Zoom");
  zoomBar->addWidget(zoomPalette_);
  connect(zoomPalette_, &QComboBox::activated, this, [this](int index) {
    if (index > 0 && target_) {
      target_->ChooseZoom(ParsePaletteItem(zoomPalette_->itemText(index).toStdString()));
    }
    zoomPalette_->ShowZoom(target_ ? target_->CurrentZoom() : std::nullopt);
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

  // The cell-size presets, shown by "Custom matrix size".
  sizeBar_ = addToolBar("Matrix size");
  sizeBar_->setObjectName("sizeBar");
  for (const bool rows : {true, false}) {
    auto* button = new QToolButton(sizeBar_);
    button->setText(rows ? "Rows height" : "Columns width");
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
  for (int k = 0; k < kStatusPaneCount; ++k) {
    const char* placeholder = k == kObjectivesPane   ? kLongPanePlaceholder
                              : k == kNextActionPane ? kNextActionPlaceholder
                                                     : kShortPanePlaceholder;
    auto* pane = new CStatusPane(placeholder, statusBar());
    pane->setObjectName(QString("pane%1").arg(k + 1));
    statusBar()->addPermanentWidget(pane);
    panes_[static_cast<size_t>(k)] = pane;
  }
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
      OpenHelpPage("index.html");
      break;
    case cmd::kHelpGuidePage:
      OpenHelpPage("guide.html");
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
    zoomPalette_->ShowZoom(target_ ? target_->CurrentZoom() : std::nullopt);
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
    if (widget && widget->window() == this) {
      const auto* key = static_cast<QKeyEvent*>(event);
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
  if (labelList_) labelList_->hide();
  if (clustersDialog_) clustersDialog_->hide();
  event->accept();
}
