// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DesktopApp.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "base/Failure.h"
#include "data/TableFileReader.h"
#include "document/Pipeline.h"
#include "document/QuorvelDoc.h"
#include "document/RunSequence.h"
#include "document/ViewCommands.h"
#include "document/ViewModel.h"
#include "shell/ClustersDlg.h"
#include "shell/FileFilter.h"
#include "shell/LabelListDlg.h"
#include "shell/OptionsSheet.h"
#include "shell/ViewWidget.h"

CDesktopApp::CDesktopApp(CSettingsStore& store, CCommandLine commandLine,
                         CPictureExporter* exporter)
    : store_(store),
      commandLine_(std::move(commandLine)),
      exporter_(exporter),
      mainWindow_(store),
      services_(&mainWindow_) {
  startedWithoutArguments_ = commandLine_.arguments.empty();
  mainWindow_.SetCommandTarget(this);
  connect(&mainWindow_, &CMainWindow::childClosing, this,
          [this](QWidget* widget) { ChildClosing(widget); });
  connect(&mainWindow_, &CMainWindow::childActivated, this,
          [this](QWidget* widget) { ChildActivated(widget); });
  mainWindow_.ClustersDialog().SetActions(this);
  mainWindow_.LabelList().onSaveAs = [this] {
    if (CViewModel* view = ActiveView()) SaveSelection(*view, true);
  };
  mainWindow_.LabelList().onHidden = [this] {
    if (CQuorvelDoc* document = ActiveDocument()) document->switches.labelList = false;
  };
}

CDesktopApp::~CDesktopApp() {
  mainWindow_.SetCommandTarget(nullptr);
  // The documents close their views, each window letting go of its model first; the windows
  // themselves go with the main window.
  documents_.clear();
}

void CDesktopApp::Start() {
  if (mainWindow_.RestoreLayout()) {
    mainWindow_.show();
  } else {
    // Without a window manager (a virtual display) maximising does nothing: take the screen.
    if (QScreen* screen = mainWindow_.screen()) {
      mainWindow_.resize(screen->availableGeometry().size());
    }
    mainWindow_.showMaximized();
  }
  if (!commandLine_.dataFile.empty()) {
    if (OpenFile(commandLine_.dataFile)) mainWindow_.AddRecentFile(commandLine_.dataFile);
    return;
  }
  // Without a data file the program asks for one once the main window is up; cancelling leaves
  // the empty main window.
  QTimer::singleShot(0, &mainWindow_, [this] {
    if (const auto path = services_.AskOpenFileName(DataFileFilter())) mainWindow_.OpenPath(*path);
  });
}

int CDesktopApp::Guarded(const std::function<void()>& work) {
  // A failure shows its message and abandons what it interrupted; the program, its other
  // documents and windows go on. (Failures of the data arise only while a document is read and
  // abandon that document; memory may run out later too, and then the command is abandoned.)
  return RunReportingFailures(services_, work);
}

CViewModel* CDesktopApp::ActiveView() const {
  QWidget* active = mainWindow_.ActiveChild();
  for (const auto& [view, widget] : widgets_) {
    if (widget == active) return const_cast<CViewModel*>(view);
  }
  return nullptr;
}

CQuorvelDoc* CDesktopApp::ActiveDocument() const {
  CViewModel* view = ActiveView();
  return view ? &view->Document() : nullptr;
}

CViewWidget* CDesktopApp::WidgetOf(const CViewModel& view) const {
  auto found = widgets_.find(&view);
  return found == widgets_.end() ? nullptr : found->second;
}

CQuorvelDoc* CDesktopApp::DocumentOf(const CViewModel& view) const {
  for (const auto& document : documents_) {
    if (document.get() == &view.Document()) return document.get();
  }
  return nullptr;
}

bool CDesktopApp::OpenFile(const std::string& path) {
  bool opened = false;
  CQuorvelDoc* added = nullptr;
  const int failure = Guarded([&] {
    // Every document starts from the stored settings plus the keywords of the command line.
    auto document = std::make_unique<CQuorvelDoc>(services_, store_, commandLine_, this, exporter_);
    opened = OpenWithFirstWindow(*document, path, nullptr, [&](CQuorvelDoc& loaded) {
      added = documents_.emplace_back(std::move(document)).get();
      if (loaded.settings.FullScreen) mainWindow_.SetFullScreen(true);
    });
  });
  if (failure != 0) {
    // The failing document is abandoned as a failed open is, with whatever window it had.
    if (added) CloseDocument(*added);
    return false;
  }
  if (opened) {
    QTimer::singleShot(0, this, [this] { AutomateNewestDocument(); });
  }
  return opened;
}

void CDesktopApp::AutomateNewestDocument() {
  // The most recently opened document is the main window's current one.
  if (documents_.empty()) return;
  CQuorvelDoc& document = *documents_.back();
  if (!document.automationPending || document.currentView == nullptr) return;
  Guarded([&] { ::RunPendingAutomation(document); });
  // Once, also when a failure abandoned it.
  document.automationPending = false;
  mainWindow_.RefreshCommandStates();
}

void CDesktopApp::ViewOpened(CViewModel& view) {
  auto* widget = new CViewWidget(view, *this);
  widgets_[&view] = widget;
  CQuorvelDoc& document = view.Document();
  mainWindow_.AddChild(widget, QString::fromStdString(document.title));
  RefreshTitles(document);
  ViewChanged(view, true);
}

void CDesktopApp::ViewClosing(CViewModel& view) {
  auto found = widgets_.find(&view);
  if (found == widgets_.end()) return;
  CViewWidget* widget = found->second;
  widgets_.erase(found);
  widget->Detach();
  mainWindow_.CloseChild(widget);
}

void CDesktopApp::ViewChanged(CViewModel& view, bool fitFrame) {
  if (CViewWidget* widget = WidgetOf(view)) {
    // A full-screen start maximises its windows (the first, and the results copying it).
    QWidget* frame = widget->parentWidget();
    if (view.fullScreen && frame && !frame->isMaximized()) frame->showMaximized();
    widget->ModelChanged(fitFrame);
  }
  if (&view == ActiveView()) RefreshLabelList();
}

CSeriationObserver* CDesktopApp::SeriationObserver(CViewModel& view, bool rows) {
  CViewWidget* widget = WidgetOf(view);
  return widget ? widget->SeriationObserver(rows) : nullptr;
}

bool CDesktopApp::EditSettingsBeforeOpening(TreatmentSettings& settings, const std::string& path) {
  if (!startedWithoutArguments_) return true;
  auto edited = COptionsSheet::EditBeforeReading(path, settings, store_, services_, &mainWindow_);
  if (!edited) return false;
  settings = *edited;
  return true;
}

void CDesktopApp::RequestExit() {
  QTimer::singleShot(0, &mainWindow_, [this] { mainWindow_.close(); });
}

void CDesktopApp::ChildClosing(QWidget* widget) {
  for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
    if (it->second != widget) continue;
    CViewModel* view = const_cast<CViewModel*>(it->first);
    widgets_.erase(it);
    static_cast<CViewWidget*>(widget)->Detach();
    CQuorvelDoc* document = DocumentOf(*view);
    if (document == nullptr) return;
    document->CloseView(*view);
    if (document->views.empty()) {
      CloseDocument(*document);
    } else {
      RefreshTitles(*document);
    }
    return;
  }
}

void CDesktopApp::RefreshTitles(const CQuorvelDoc& document) {
  // A document with several windows numbers them in the order they were opened.
  const QString title = QString::fromStdString(document.title);
  const bool numbered = document.views.size() > 1;
  int number = 0;
  for (const auto& view : document.views) {
    ++number;
    if (CViewWidget* widget = WidgetOf(*view)) {
      mainWindow_.SetChildTitle(widget, numbered ? title + ":" + QString::number(number) : title);
    }
  }
}

void CDesktopApp::CloseDocument(CQuorvelDoc& document) {
  for (auto it = documents_.begin(); it != documents_.end(); ++it) {
    if (it->get() == &document) {
      documents_.erase(it);
      break;
    }
  }
  if (documents_.empty()) mainWindow_.LabelList().hide();
}

void CDesktopApp::ChildActivated(QWidget*) {
  // The document's current window stays its most recently created one: results copy it.
  RefreshLabelList();
  CViewModel* view = ActiveView();
  mainWindow_.ClustersDialog().SetSelectionExists(
      view && view->Side(view->Document().switches.rowsActive).userSelection);
}

void CDesktopApp::SelectionChanged(CViewModel& view) {
  RefreshLabelList();
  mainWindow_.ClustersDialog().SetSelectionExists(
      view.Side(view.Document().switches.rowsActive).userSelection);
  mainWindow_.RefreshCommandStates();
}

void CDesktopApp::ShowPointerText(const std::string& text) {
  mainWindow_.ShowPointerText(QString::fromStdString(text));
}

void CDesktopApp::RefreshLabelList() {
  CLabelListDlg& list = mainWindow_.LabelList();
  CViewModel* view = ActiveView();
  if (view == nullptr) {
    list.ClearSelection();
    return;
  }
  const CTree& side = view->Side(view->Document().switches.rowsActive);
  if (side.userSelection) {
    list.ShowSelection(SelectedLabels(side));
  } else {
    list.ClearSelection();
  }
}

void CDesktopApp::ToggleLabelList(CQuorvelDoc& document) {
  CLabelListDlg& list = mainWindow_.LabelList();
  if (list.isVisible()) {
    document.switches.labelList = false;
    list.hide();
  } else {
    document.switches.labelList = true;
    RefreshLabelList();
    list.show();
  }
}

std::optional<int> CDesktopApp::MethodChoice(CMethodKind kind) {
  CQuorvelDoc* document = ActiveDocument();
  if (document == nullptr) return std::nullopt;
  switch (kind) {
    case CMethodKind::kLinkage:
      return CodeOf(document->settings.AgregationCriterion);
    case CMethodKind::kSeriation:
      return CodeOf(document->settings.SetSeriationCriterion);
    case CMethodKind::kTreeSeriation:
      return CodeOf(document->settings.TreeSeriationCriterion);
  }
  return std::nullopt;
}

void CDesktopApp::SetMethodChoice(CMethodKind kind, int code) {
  CQuorvelDoc* document = ActiveDocument();
  if (document == nullptr) return;
  switch (kind) {
    case CMethodKind::kLinkage:
      document->settings.AgregationCriterion = ChoiceOf<ELinkage>(code);
      break;
    case CMethodKind::kSeriation:
      document->settings.SetSeriationCriterion = ChoiceOf<ESeriation>(code);
      break;
    case CMethodKind::kTreeSeriation:
      document->settings.TreeSeriationCriterion = ChoiceOf<ETreeSeriation>(code);
      break;
  }
}

std::optional<bool> CDesktopApp::RowsActive() {
  CQuorvelDoc* document = ActiveDocument();
  if (document == nullptr) return std::nullopt;
  return document->switches.rowsActive;
}

void CDesktopApp::SetRowsActive(bool rows) {
  CViewModel* view = ActiveView();
  if (view == nullptr) return;
  view->Document().switches.rowsActive = rows;
  SelectionChanged(*view);
  view->Document().UpdateAllViews();
}

std::optional<double> CDesktopApp::CurrentZoom() {
  CViewModel* view = ActiveView();
  if (view == nullptr) return std::nullopt;
  return view->zoom;
}

void CDesktopApp::ChooseZoom(const CPaletteChoice& choice) {
  CViewModel* view = ActiveView();
  if (view == nullptr) return;
  Guarded([&] { ChoosePaletteItem(*view, choice); });
}

void CDesktopApp::Mark(ColorRef color) {
  if (CViewModel* view = ActiveView()) Guarded([&] { MarkSelection(*view, color); });
}

void CDesktopApp::Unmark() {
  if (CViewModel* view = ActiveView()) Guarded([&] { UnmarkSelection(*view); });
}

void CDesktopApp::UnmarkAll() {
  if (CViewModel* view = ActiveView()) Guarded([&] { UnmarkAllOfSide(*view); });
}
