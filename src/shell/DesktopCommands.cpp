// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DesktopApp.h"

#include <chrono>
#include <optional>

#include "base/FileNames.h"
#include "document/AnnotationLoad.h"
#include "document/ExportNames.h"
#include "document/PictureExporter.h"
#include "document/Pipeline.h"
#include "document/QuorvelDoc.h"
#include "document/SelectedItems.h"
#include "document/ViewCommands.h"
#include "document/ViewModel.h"
#include "render/Report.h"
#include "settings/Choices.h"
#include "settings/SettingsPersistence.h"
#include "settings/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/CutTreeDlg.h"
#include "shell/ExportDlg.h"
#include "shell/OptionsSheet.h"
#include "shell/SortDlg.h"
#include "shell/ViewWidget.h"
#include "tree/NewickWriter.h"
#include "tree/TreeCut.h"
#include "tree/TreeFileName.h"

// The commands of the desktop program on the active window and its document, their menu
// states, the status texts, and the dialogs some of them open.

namespace {

const char* const kTreeFileFilter =
    "Tree Files (*.phy;*.tre)|*.phy; *.tre|Text Files (*.txt;*.prn)|*.txt; *.prn|All Files "
    "(*.*)|*.*||";
const char* const kSaveFileFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// The menu commands of the display switches.
std::optional<EDisplaySwitch> DisplaySwitchOfCommand(int command) {
  switch (command) {
    case cmd::kAverageProfile:
      return EDisplaySwitch::kAverageProfile;
    case cmd::kDataValues:
      return EDisplaySwitch::kDataValues;
    case cmd::kMetrics:
      return EDisplaySwitch::kMetrics;
    case cmd::kCriteria:
      return EDisplaySwitch::kCriteria;
    case cmd::kTreeOfRows:
      return EDisplaySwitch::kRowTree;
    case cmd::kTreeOfColumns:
      return EDisplaySwitch::kColumnTree;
    case cmd::kDataMatrix:
      return EDisplaySwitch::kDataMatrix;
    case cmd::kLabelsOfRows:
      return EDisplaySwitch::kRowLabels;
    case cmd::kLabelsOfColumns:
      return EDisplaySwitch::kColumnLabels;
    case cmd::kObjectiveFunctions:
      return EDisplaySwitch::kObjectiveFunctions;
    case cmd::kColorsScale:
      return EDisplaySwitch::kColorScale;
    case cmd::kTopFrame:
      return EDisplaySwitch::kTopFrame;
    default:
      return std::nullopt;
  }
}

bool IsDisplaySwitch(int command) {
  return DisplaySwitchOfCommand(command).has_value();
}

// Commands that act on a window and are disabled without one.
bool NeedsWindow(int command) {
  if (IsDisplaySwitch(command)) return true;
  if (command >= cmd::kRowHeightFirst && command < cmd::kRowHeightFirst + 5) return true;
  if (command >= cmd::kColumnWidthFirst && command < cmd::kColumnWidthFirst + 5) return true;
  switch (command) {
    case cmd::kSave:
    case cmd::kSaveAs:
    case cmd::kPrint:
    case cmd::kPrintPreview:
    case cmd::kExport:
    case cmd::kClusterRows:
    case cmd::kClusterColumns:
    case cmd::kSeriateRows:
    case cmd::kSeriateColumns:
    case cmd::kClusterActiveSide:
    case cmd::kSeriateActiveSide:
    case cmd::kClusterSeriateActiveSide:
    case cmd::kClusterSeriateRows:
    case cmd::kClusterSeriateColumns:
    case cmd::kClusterSeriateBothSides:
    case cmd::kNonlinearRows:
    case cmd::kNonlinearColumns:
    case cmd::kFlipRows:
    case cmd::kFlipColumns:
    case cmd::kSwapRows:
    case cmd::kSwapColumns:
    case cmd::kAggregateRows:
    case cmd::kAggregateColumns:
    case cmd::kRandomiseRows:
    case cmd::kRandomiseColumns:
    case cmd::kSortRows:
    case cmd::kSortColumns:
    case cmd::kLabels:
    case cmd::kZoomIn:
    case cmd::kZoomOut:
    case cmd::kZoomDelete:
    case cmd::kFitToWindow:
    case cmd::kBrowseDataValues:
    case cmd::kSaveRowTree:
    case cmd::kSaveColumnTree:
    case cmd::kCutTree:
    case cmd::kSaveTreeClusters:
    case cmd::kFormat:
    case cmd::kUndo:
    case cmd::kRedo:
    case cmd::kOpenAnnotations:
      return true;
    default:
      return false;
  }
}

std::int64_t SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

bool CDesktopApp::Execute(int command) {
  CViewModel* view = ActiveView();
  if (view == nullptr) {
    if (command == cmd::kSettings) {
      EditSettings(false);
      return true;
    }
    return false;
  }
  CQuorvelDoc& document = view->Document();
  bool handled = true;
  Guarded([&] {
    const bool rowsActive = document.switches.rowsActive;
    switch (command) {
      case cmd::kClusterRows:
        ClusterSide(*view, true);
        break;
      case cmd::kClusterColumns:
        ClusterSide(*view, false);
        break;
      case cmd::kSeriateRows:
        SeriateSide(*view, true);
        break;
      case cmd::kSeriateColumns:
        SeriateSide(*view, false);
        break;
      case cmd::kClusterActiveSide:
        ClusterSide(*view, rowsActive);
        break;
      case cmd::kSeriateActiveSide:
        SeriateSide(*view, rowsActive);
        break;
      // Each step works on the window that holds the result of the step before.
      case cmd::kClusterSeriateActiveSide:
        SeriateSide(ClusterSide(*view, rowsActive), rowsActive);
        break;
      case cmd::kClusterSeriateRows:
        SeriateSide(ClusterSide(*view, true), true);
        break;
      case cmd::kClusterSeriateColumns:
        SeriateSide(ClusterSide(*view, false), false);
        break;
      case cmd::kClusterSeriateBothSides:
        SeriateSide(ClusterSide(*view, true), true);
        SeriateSide(ClusterSide(*document.currentView, false), false);
        break;
      case cmd::kNonlinearRows:
      case cmd::kNonlinearColumns:
        break;
      case cmd::kFlipRows:
        FlipSide(*view, true);
        break;
      case cmd::kFlipColumns:
        FlipSide(*view, false);
        break;
      case cmd::kSwapRows:
        SwapSide(*view, true);
        break;
      case cmd::kSwapColumns:
        SwapSide(*view, false);
        break;
      case cmd::kAggregateRows:
        AggregateSide(*view, true);
        break;
      case cmd::kAggregateColumns:
        AggregateSide(*view, false);
        break;
      case cmd::kRandomiseRows:
        RandomiseSide(*view, true, SecondsNow());
        break;
      case cmd::kRandomiseColumns:
        RandomiseSide(*view, false, SecondsNow());
        break;
      case cmd::kSortRows:
        SortSelection(*view, true);
        break;
      case cmd::kSortColumns:
        SortSelection(*view, false);
        break;
      case cmd::kLabels:
        ToggleLabelList(document);
        break;
      case cmd::kZoomIn:
        ZoomIn(*view);
        break;
      case cmd::kZoomOut:
        ZoomOut(*view);
        break;
      case cmd::kZoomDelete:
        ZoomDelete(*view);
        break;
      case cmd::kFitToWindow:
        ToggleFitToWindow(*view);
        break;
      case cmd::kBrowseDataValues:
        document.switches.browseDataValues = !document.switches.browseDataValues;
        break;
      case cmd::kSave:
        SaveSelection(*view, document.saveName.empty());
        break;
      case cmd::kSaveAs:
        SaveSelection(*view, true);
        break;
      case cmd::kSaveRowTree:
        SaveTree(*view, true);
        break;
      case cmd::kSaveColumnTree:
        SaveTree(*view, false);
        break;
      case cmd::kCutTree:
        CutActiveTree(*view);
        break;
      case cmd::kSaveTreeClusters:
        SaveTreeClusters(*view);
        break;
      case cmd::kExport:
        ExportView(*view);
        break;
      case cmd::kPrint:
      case cmd::kPrintPreview:
        if (CViewWidget* widget = WidgetOf(*view)) widget->Print(command == cmd::kPrintPreview);
        break;
      case cmd::kOpenAnnotations:
        OpenAnnotations(document);
        break;
      case cmd::kUndo:
        UndoView(*view);
        break;
      case cmd::kRedo:
        RedoView(*view);
        break;
      case cmd::kSettings:
        EditSettings(false);
        break;
      case cmd::kFormat:
        EditSettings(true);
        break;
      default:
        if (const auto which = DisplaySwitchOfCommand(command)) {
          ToggleDisplaySwitch(document, *which);
        } else if (command >= cmd::kRowHeightFirst && command < cmd::kRowHeightFirst + 5) {
          SetCellSize(document, true, kCellSizePresets[command - cmd::kRowHeightFirst]);
        } else if (command >= cmd::kColumnWidthFirst && command < cmd::kColumnWidthFirst + 5) {
          SetCellSize(document, false, kCellSizePresets[command - cmd::kColumnWidthFirst]);
        } else {
          handled = false;
        }
    }
  });
  if (handled) RefreshLabelList();
  return handled;
}

CCommandState CDesktopApp::State(int command) {
  CViewModel* view = ActiveView();
  if (view == nullptr) return {!NeedsWindow(command), false};
  CQuorvelDoc& document = view->Document();
  CCommandState state;
  if (const auto which = DisplaySwitchOfCommand(command)) {
    state.checked = DisplaySwitchState(document, *which);
    return state;
  }
  if (command >= cmd::kRowHeightFirst && command < cmd::kRowHeightFirst + 5) {
    state.checked = document.display.hy == kCellSizePresets[command - cmd::kRowHeightFirst];
    return state;
  }
  if (command >= cmd::kColumnWidthFirst && command < cmd::kColumnWidthFirst + 5) {
    state.checked = document.display.hx == kCellSizePresets[command - cmd::kColumnWidthFirst];
    return state;
  }
  switch (command) {
    case cmd::kClusterRows:
      state.checked = HasExpandedSelection(view->rowTree);
      break;
    case cmd::kClusterColumns:
      state.checked = HasExpandedSelection(view->columnTree);
      state.enabled = document.settings.DataType != EDataType::kNominal;
      break;
    case cmd::kFlipRows:
      state.enabled = CanFlip(view->rowTree);
      break;
    case cmd::kFlipColumns:
      state.enabled = CanFlip(view->columnTree);
      break;
    case cmd::kSwapRows:
      state.enabled = CanSwap(view->rowTree);
      break;
    case cmd::kSwapColumns:
      state.enabled = CanSwap(view->columnTree);
      break;
    case cmd::kAggregateRows:
      state.enabled = CanAggregate(view->rowTree);
      break;
    case cmd::kAggregateColumns:
      state.enabled = CanAggregate(view->columnTree);
      break;
    case cmd::kUndo:
      state.enabled = CanUndo(*view);
      break;
    case cmd::kRedo:
      state.enabled = CanRedo(*view);
      break;
    case cmd::kSaveRowTree:
      state.enabled = view->rowTree.hasTree;
      break;
    case cmd::kSaveColumnTree:
      state.enabled = view->columnTree.hasTree;
      break;
    case cmd::kCutTree:
      state.enabled = view->Side(document.switches.rowsActive).hasTree;
      break;
    case cmd::kSaveTreeClusters:
      state.enabled = HasCut(view->Side(document.switches.rowsActive));
      break;
    case cmd::kLabels:
      state.checked = document.switches.labelList;
      break;
    case cmd::kFitToWindow:
      state.checked = view->fitToWindow;
      break;
    case cmd::kBrowseDataValues:
      state.checked = document.switches.browseDataValues;
      break;
    default:
      break;
  }
  return state;
}

std::array<std::string, kStatusPaneCount> CDesktopApp::StatusTexts() {
  std::array<std::string, kStatusPaneCount> texts;
  CViewModel* view = ActiveView();
  if (view == nullptr) return texts;
  CQuorvelDoc& document = view->Document();
  const TreatmentSettings& settings = document.settings;
  const CTree& active = view->Side(document.switches.rowsActive);
  if (document.data) {
    texts[0] = StatusTableSize(document.data->rowCount, document.data->columnCount);
  }
  texts[1] = TransformationLabel(settings.DataRepresentation);
  texts[2] = StatusActiveSide(document.switches.rowsActive);
  texts[3] = DissimilarityShortLabel(document.Measure());
  texts[4] = StatusObjectives(active.objectiveR, active.objectiveS, active.objectiveS != 0.0,
                              active.objectiveRKnown);
  texts[5] = kStatusNextAction;
  texts[6] = LinkageLabel(settings.AgregationCriterion);
  auto nextSeriation = [&](const CTree& side) {
    return SeriationShortLabel(side.hasTree ? CodeOf(settings.TreeSeriationCriterion)
                                            : CodeOf(settings.SetSeriationCriterion));
  };
  texts[7] = nextSeriation(view->rowTree);
  texts[8] = nextSeriation(view->columnTree);
  return texts;
}

void CDesktopApp::EditSettings(bool displayFirst) {
  CQuorvelDoc* document = ActiveDocument();
  TreatmentSettings treatment;
  DisplaySettings display;
  if (document) {
    treatment = document->settings;
    display = document->display;
  } else {
    LoadTreatmentSettings(store_, treatment, true);
    LoadDisplaySettings(store_, display);
  }
  CTreatmentPageFlags flags;
  flags.dataGroupLocked = document != nullptr;
  if (CViewModel* view = ActiveView()) {
    const CTree& side = view->Side(view->Document().switches.rowsActive);
    for (const CNode& node : side.nodes) {
      if (side.hasTree && !node.IsLeaf() && !node.expanded) flags.aggregatedGroups = true;
    }
  }
  auto edited = COptionsSheet::Edit(
      treatment, display, flags, store_, services_,
      displayFirst ? COptionsSheet::Page::kDisplay : COptionsSheet::Page::kTreatment, &mainWindow_);
  if (!edited || document == nullptr) return;
  const TreatmentSettings before = document->settings;
  document->settings = edited->treatment;
  document->display = edited->display;
  const TreatmentSettings& after = document->settings;
  const bool automationChanged =
      before.AutomationRow != after.AutomationRow || before.AutomationCol != after.AutomationCol;
  const bool cluster = automationChanged || before.AgregationCriterion != after.AgregationCriterion;
  const bool seriate = automationChanged ||
                       before.TreeSeriationCriterion != after.TreeSeriationCriterion ||
                       before.SetSeriationCriterion != after.SetSeriationCriterion;
  document->UpdateAllViews();
  if (cluster || seriate) Guarded([&] { RunAutomation(*document, cluster, seriate); });
}

void CDesktopApp::ExportView(CViewModel& view) {
  CQuorvelDoc& document = view.Document();
  auto choice = CExportDlg::Ask(document.exportChoice, &mainWindow_);
  if (!choice) return;
  document.exportChoice.format = choice->format;
  if (choice->format == EExportFormat::kPostScript) {
    document.exportChoice.widthMm = choice->widthMm;
    document.exportChoice.heightMm = choice->heightMm;
  }
  if (exporter_ == nullptr) return;
  std::string error;
  if (choice->format == EExportFormat::kClipboard) {
    if (!exporter_->CopyToClipboard(view, &error) && !error.empty()) {
      services_.ShowMessageBox(error);
    }
    return;
  }
  const CExportFormat* format = FindExportFormat(choice->format);
  if (format == nullptr) return;
  std::string proposed = CommandLineExportName(document, *format);
  if (proposed.empty()) {
    // A document's first export starts where the last export went, in this run or an earlier.
    std::string suggested = ProposedExportName(document, *format);
    if (document.exportName.empty()) {
      suggested =
          InLastExportFolder(suggested, store_.ReadString(kExportSection, kExportFolderKey, ""));
    }
    auto chosen = services_.AskSaveFileName(suggested, format->filter);
    if (!chosen) return;
    // A name typed with another format's extension gets that format (and the dialog shows it
    // next time): a file never holds one format under the name of another.
    const CExportFormat* named = ExportFormatNamedBy(*chosen);
    if (named != nullptr && named->code != format->code) {
      format = named;
      document.exportChoice.format = named->code;
      if (named->code == EExportFormat::kPostScript) {
        document.exportChoice.widthMm = choice->widthMm;
        document.exportChoice.heightMm = choice->heightMm;
      }
    }
    proposed = CompletedExportName(*chosen, *format);
  }
  document.exportName = proposed;
  if (!exporter_->ExportToFile(view, format->code, proposed, &error)) {
    if (!error.empty()) services_.ShowMessageBox(error);
    return;
  }
  if (const std::string folder = ExportFolderOf(proposed); !folder.empty()) {
    store_.WriteString(kExportSection, kExportFolderKey, folder);
  }
}

std::vector<std::string> CDesktopApp::OpenDataFiles() const {
  std::vector<std::string> files;
  for (const auto& document : documents_)
    files.push_back(document->pathName);
  return files;
}

void CDesktopApp::SaveSelection(CViewModel& view, bool askName) {
  CQuorvelDoc& document = view.Document();
  const std::vector<std::string> openFiles = OpenDataFiles();
  std::string target = document.saveName;
  if (askName) {
    auto chosen = services_.AskSaveFileName(
        ProposedSaveName(document.saveName, document.pathName, openFiles), kSaveFileFilter);
    if (!chosen) return;
    target = CompletedSaveName(*chosen);
  }
  if (target.empty()) return;
  // The data file of an open document is replaced only when the user says so in words that
  // name that replacement, each time.
  if (NamesOneOf(target, openFiles) && !services_.ConfirmReplacingDataFile(target)) return;
  document.saveName = target;
  // The selection saved is that of the document's most recently created window.
  CViewModel& source = document.currentView ? *document.currentView : view;
  std::string error;
  if (!SaveSelectedItems(source, document.saveName, &error) && !error.empty()) {
    services_.ShowMessageBox(error);
  }
}

void CDesktopApp::SaveTree(CViewModel& view, bool rows) {
  CQuorvelDoc& document = view.Document();
  const CTree& tree = view.Side(rows);
  if (!tree.hasTree) return;
  auto chosen = services_.AskSaveFileName(
      DefaultTreeFileName(document.treeFileName, document.pathName), kTreeFileFilter);
  if (!chosen) return;
  document.treeFileName = ChosenTreeFileName(*chosen);
  std::string reason;
  if (!WriteNewick(tree, document.treeFileName, &reason)) services_.ShowMessageBox(reason);
}

void CDesktopApp::CutActiveTree(CViewModel& view) {
  const bool rows = view.Document().switches.rowsActive;
  const CTree& side = view.Side(rows);
  if (!side.hasTree) return;
  auto request = CCutTreeDlg::Ask(CutUnitCount(side), side.rootHeight, &mainWindow_);
  if (!request) return;
  CutSideTree(view, rows, *request);
}

void CDesktopApp::SaveTreeClusters(CViewModel& view) {
  CQuorvelDoc& document = view.Document();
  const bool rows = document.switches.rowsActive;
  if (!HasCut(view.Side(rows))) return;
  const std::string proposed =
      WithExtension(document.pathName, rows ? "-row-clusters.txt" : "-column-clusters.txt");
  auto chosen = services_.AskSaveFileName(proposed, kSaveFileFilter);
  if (!chosen) return;
  std::string error;
  if (!::SaveTreeClusters(view, rows, CompletedSaveName(*chosen), &error) && !error.empty()) {
    services_.ShowMessageBox(error);
  }
}

void CDesktopApp::SortSelection(CViewModel& view, bool rows) {
  CTree& side = view.Side(rows);
  if (side.selectionLength == 1) return;
  const CTree& other = view.Side(!rows);
  std::vector<std::string> labels;
  labels.reserve(static_cast<size_t>(other.count));
  for (int position = 0; position < other.count; ++position) {
    const int item = other.order[static_cast<size_t>(position)];
    labels.push_back(other.labels && static_cast<size_t>(item) < other.labels->size()
                         ? (*other.labels)[static_cast<size_t>(item)]
                         : std::string());
  }
  auto choice = CSortDlg::Ask(labels, &mainWindow_);
  if (!choice) return;
  SortSide(view, rows, choice->keyPosition, choice->count, choice->descending);
}
