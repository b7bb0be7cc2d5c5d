// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Pipeline.h"

#include <filesystem>

#include "base/FileNames.h"
#include "base/Services.h"
#include "base/StepTimer.h"
#include "dissimilarity/TriangleRefill.h"
#include "document/ExportNames.h"
#include "document/PictureExporter.h"
#include "document/QuorvelDoc.h"
#include "document/RunMemory.h"
#include "document/ScriptOutputs.h"
#include "document/ViewCommands.h"
#include "document/ViewModel.h"
#include "document/WindowHost.h"
#include "seriation/Seriation.h"
#include "seriation/SeriationRun.h"
#include "settings/Choices.h"
#include "settings/PictureExports.h"
#include "tree/AgglomerativeClustering.h"
#include "tree/TreeCut.h"
#include "tree/TreeSeriation.h"

namespace {

void Changed(CViewModel& view, bool fitFrame) {
  if (CWindowHost* host = view.Document().Host()) host->ViewChanged(view, fitFrame);
}

// After an automatic step, the name of the file the picture will be exported to: the
// command-line name (cut at the first point of its file name) with the format's extension, or
// a name asked once in a save dialog.
void PrepareExportName(CQuorvelDoc& document) {
  if (!document.automationPending) return;
  const EExportFormat code = document.settings.ExportFileFormat;
  if (code == EExportFormat::kClipboard) return;
  const CExportFormat* format = FindExportFormat(code);
  if (format == nullptr) return;
  if (const std::string named = CommandLineExportName(document, *format); !named.empty()) {
    document.exportName = named;
    return;
  }
  if (!document.exportName.empty()) return;
  if (auto chosen = document.Services().AskSaveFileName(ProposedExportName(document, *format),
                                                        format->filter)) {
    document.exportName = CompletedExportName(*chosen, *format);
  }
}

// After an automatic step of a side, the cut the command line asks for, in the newest window:
// after the clustering it colours the clusters; after the seriation it numbers them again in the
// new display order, so that the colours follow the clusters from the first.
void CutAsAsked(CQuorvelDoc& document, bool rows) {
  const int asked = rows ? document.settings.cutRowTree : document.settings.cutColumnTree;
  if (asked == 0 || document.currentView == nullptr) return;
  const char* side = rows ? "rows" : "columns";
  if (asked < 2) {
    document.Services().ShowNotice(
        "NOTICE", std::string("A cut needs at least 2 clusters: the ") + side + " are not cut.");
    return;
  }
  CTree& tree = document.currentView->Side(rows);
  if (!tree.hasTree) return;
  const int made = CutSideTree(*document.currentView, rows, CTreeCutRequest{asked, std::nullopt});
  if (made < asked) {
    document.Services().ShowNotice("NOTICE", std::string("The ") + side + "' dendrogram has " +
                                                 std::to_string(made) +
                                                 " leaves or groups only: it is cut into " +
                                                 std::to_string(made) + " clusters.");
  }
}

// The picture files beyond the first, each under its own name; false when one failed.
bool ExportFurtherPictures(CQuorvelDoc& document) {
  bool ok = true;
  for (const CPictureExportRequest& request : document.settings.furtherPictureExports) {
    std::string error;
    if (!document.exporter->ExportToFile(*document.currentView, request.format, request.fileName,
                                         &error)) {
      if (!error.empty()) document.Services().ShowMessageBox(error);
      ok = false;
    }
  }
  return ok;
}

std::string HeightsOverflowText(ELinkage linkage) {
  const CChoice<ELinkage>* rule = FindChoice(LinkageChoices(), linkage);
  return std::string("The heights of the dendrogram built with ") + (rule ? rule->caption : "") +
         " leave the range of numbers.\nNo dendrogram was built: divide the values of your "
         "dataset by a power of ten.";
}

// The window that receives a result, whether it is new, and the state it had before when it is
// not: with no window to spare the result replaces an existing window's content, which can then
// be undone there (a new window is undone by closing it).
struct CResultWindow {
  CViewModel* window;
  bool isNew;
  CViewState before;
};

CResultWindow OpenResultWindow(CViewModel& view, bool fromClustering) {
  CQuorvelDoc& document = view.Document();
  CViewState before = CViewHistory::Capture(document.currentView ? *document.currentView : view);
  const size_t viewsBefore = document.views.size();
  CViewModel& target = NewResultWindow(view, fromClustering);
  return {&target, document.views.size() > viewsBefore, std::move(before)};
}

void RecordReplacedContent(CResultWindow& result) {
  if (!result.isNew) result.window->history.Record(std::move(result.before), *result.window);
}

CSeriationRun RunOf(CViewModel& view, bool rows) {
  CQuorvelDoc& document = view.Document();
  CWindowHost* host = document.Host();
  return {&document.Services(), host ? host->SeriationObserver(view, rows) : nullptr,
          document.RefillOf(rows)};
}

// Whether a step over all `items` of a side works inside its triangle.
bool WorksInside(const CTree& side, CTriangleRefill* refill, int items) {
  if (refill == nullptr || side.distance == nullptr || items != side.distance->size) return false;
  return refill->WorkInside(side.distance->values.size() * sizeof(double));
}

// A step that cannot fit in the memory available now ends the program with message 2 before
// it starts, rather than half-way or by the system's killer.
void CheckRoomForClustering(CQuorvelDoc& document, const CTree& side, bool rows) {
  const bool inside = WorksInside(side, document.RefillOf(rows), side.count);
  RefuseStepTooLarge(ClusteringBytes(side.count, inside), side.count);
}

void CheckRoomForMinimumPath(CQuorvelDoc& document, const CTree& side, bool rows) {
  if (document.settings.TreeSeriationCriterion != ETreeSeriation::kMinimumPath) return;
  const int leaves = side.Node(side.selectedNode).count;
  const bool inside = WorksInside(side, document.RefillOf(rows), leaves);
  RefuseStepTooLarge(LeafOrderBytes(leaves, inside), leaves);
}

void CheckRoomForPicture(const CQuorvelDoc& document) {
  const EExportFormat format = document.settings.ExportFileFormat;
  if (format != EExportFormat::kJpeg && format != EExportFormat::kBmp &&
      format != EExportFormat::kPng) {
    return;
  }
  const int64_t rows = document.data ? document.data->rowCount : 0;
  const int64_t columns = document.data ? document.data->columnCount : 0;
  const int64_t bytes =
      EstimatePictureBytes(rows, columns, document.display.hx, document.display.hy);
  RefuseStepTooLarge(static_cast<size_t>(std::max<int64_t>(bytes, 0)), std::max(rows, columns));
}

}  // namespace

std::string CommandLineExportName(const CQuorvelDoc& document, const CExportFormat& format) {
  const std::string& given = document.settings.exportFileName;
  if (given.empty()) return given;
  // A name kept whole is kept for the format it was given for; another format chosen in the
  // export dialog gets its own extension.
  if (format.keepsGivenName && format.code != document.settings.ExportFileFormat) {
    return WithExtension(given, format.extension);
  }
  return PictureFileNameFor(format, given);
}

std::string ProposedExportName(const CQuorvelDoc& document, const CExportFormat& format) {
  if (!document.exportName.empty()) return WithExtension(document.exportName, format.extension);
  // The first export of a document starts in the data file's folder, not in the folder the
  // program happens to run in.
  const std::filesystem::path folder = std::filesystem::path(document.pathName).parent_path();
  const std::string name = WithExtension(document.title, format.extension);
  return folder.empty() ? name : (folder / name).string();
}

CViewModel& NewResultWindow(CViewModel& view, bool fromClustering) {
  CQuorvelDoc& document = view.Document();
  const int open = CViewModel::OpenCount();
  if (open > 17) {
    document.Services().ShowNotice(
        "ATTENTION !", "WARNING! \nToo many windows!\n\nClose windows before continuing.");
  }
  if (open <= 18) document.CreateView();
  CViewModel& target = document.currentView ? *document.currentView : view;
  if (fromClustering) {
    target.rowTree.userSelection = false;
    target.columnTree.userSelection = false;
  }
  target.zoom = view.zoom;
  target.fullScreen = view.fullScreen;
  Changed(target, true);
  return target;
}

CViewModel& ClusterSide(CViewModel& view, bool rows) {
  CQuorvelDoc& document = view.Document();
  CTree& side = view.Side(rows);
  if (side.hasTree) {
    CViewState before = CViewHistory::Capture(view);
    side.hasTree = false;
    side.selectedNode = kNoNode;
    view.history.Record(std::move(before), view);
    Changed(view, false);
    return view;
  }
  if (!IsChosen(document.settings.AgregationCriterion)) {
    document.Services().ShowNotice("WARNING !",
                                   "You must choose a Hierarchical Classification method.");
    return view;
  }
  if (side.count < 2) {
    document.Services().ShowNotice(
        "WARNING !", rows ? "A hierarchical classification needs at least two rows."
                          : "A hierarchical classification needs at least two columns.");
    return view;
  }
  CheckRoomForClustering(document, side, rows);
  CResultWindow opened = OpenResultWindow(view, true);
  CViewModel& target = *opened.window;
  CTree& result = target.Side(rows);
  const CTree before = result;
  result.linkage = document.settings.AgregationCriterion;
  result.userSelection = false;
  bool built = false;
  {
    CStepTimer timer(rows ? "cluster rows" : "cluster columns");
    built = BuildTree(result, document.settings.AgregationCriterion, &document.Services(),
                      document.RefillOf(rows));
  }
  if (built && !HeightsAreFinite(result)) {
    // Ward's update can leave the range of a double even from finite dissimilarities: no
    // dendrogram rather than one that cannot be drawn or written.
    result = before;
    document.Services().ShowNotice("WARNING !",
                                   HeightsOverflowText(document.settings.AgregationCriterion));
    if (!opened.isNew) {
      RecordReplacedContent(opened);
      Changed(target, false);
      return target;
    }
    document.CloseView(target);
    return view;
  }
  if (built) target.ComputeObjectivesOf(rows);
  RecordReplacedContent(opened);
  Changed(target, true);
  return target;
}

void SeriateSide(CViewModel& view, bool rows) {
  CQuorvelDoc& document = view.Document();
  const TreatmentSettings& settings = document.settings;
  CTree& side = view.Side(rows);
  if (side.hasTree) {
    const bool collapsed = side.selectedNode != kNoNode && !side.Node(side.selectedNode).IsLeaf() &&
                           !side.Node(side.selectedNode).expanded;
    if (collapsed && !IsChosen(settings.SetSeriationCriterion)) {
      document.Services().ShowNotice("ATTENTION !", "You must choose a Seriation method.");
      return;
    }
    if (!IsChosen(settings.TreeSeriationCriterion)) {
      document.Services().ShowNotice("ATTENTION !", "You must choose a Tree Seriation method.");
      return;
    }
  } else if (!IsChosen(settings.SetSeriationCriterion)) {
    document.Services().ShowNotice("ATTENTION !", "You must choose a Seriation method.");
    return;
  }
  if (side.selectionLength == 1) return;

  if (side.hasTree && side.selectedNode != kNoNode) CheckRoomForMinimumPath(document, side, rows);
  const bool inPlace = view.rowTree.userSelection || view.columnTree.userSelection;
  // A seriation in place changes the window it is given in: it can be undone there.
  CResultWindow opened = inPlace ? CResultWindow{&view, false, CViewHistory::Capture(view)}
                                 : OpenResultWindow(view, false);
  CViewModel& target = *opened.window;
  const bool newWindow = opened.isNew;
  CTree& result = target.Side(rows);

  const CSeriationRun run = RunOf(target, rows);
  CStepTimer timer(rows ? "seriate rows" : "seriate columns");
  bool refusedForSize = false;
  if (side.hasTree && side.selectedNode != kNoNode) {
    // The marks stay as they were when the tree seriation refused to run.
    const CTreeSeriationResult outcome = TreeSeriate(result, TreeSeriationOptionsOf(settings), run);
    if (outcome.refusedForGroupedLeaves) {
      document.Services().ShowMessageBox(kGroupedLeavesWarning);
      Changed(target, false);
    }
    if (outcome.ran) target.ComputeObjectivesOf(rows);
    refusedForSize = outcome.refusedForSize;
    if (result.hasTree && result.Node(result.root).expanded) result.RebuildOrder(result.root);
    if (outcome.ran) {
      RecordTreeSeriationMarks(result, settings.SetSeriationCriterion,
                               settings.TreeSeriationCriterion);
    }
  } else {
    result.orderMethodMark = -1;
    refusedForSize =
        Seriate(result, SeriationOptionsOf(settings), run) == ESeriationOutcome::kRefusedForSize;
    target.ComputeObjectivesOf(rows);
    result.orderMethodMark = CodeOf(settings.SetSeriationCriterion);
  }
  if (refusedForSize) {
    document.Services().ShowNotice(kTooManyElementsTitle, kTooManyElementsText);
  }

  if (refusedForSize) {
    result.orderMethodMark = -1;
    if (newWindow) {
      document.CloseView(target);
    } else {
      RecordReplacedContent(opened);
      Changed(target, false);
    }
    return;
  }
  RecordReplacedContent(opened);
  Changed(target, newWindow);
}

void RunAutomation(CQuorvelDoc& document, bool cluster, bool seriate) {
  const TreatmentSettings& settings = document.settings;
  // The picture files are written only after an automatic step.
  bool stepTaken = false;
  const auto step = [&](auto operation, CViewModel& source, bool rows) {
    operation(source, rows);
    CutAsAsked(document, rows);
    PrepareExportName(document);
    stepTaken = true;
  };
  if (cluster && document.currentView) {
    CViewModel& source = *document.currentView;
    if (settings.AutomationRow || settings.ClusteringAutomationRow) step(ClusterSide, source, true);
    if (settings.AutomationCol || settings.ClusteringAutomationCol)
      step(ClusterSide, source, false);
  }
  if (seriate && document.currentView) {
    CViewModel& source = *document.currentView;
    if (settings.AutomationRow || settings.SeriationAutomationRow) step(SeriateSide, source, true);
    if (settings.AutomationCol || settings.SeriationAutomationCol) step(SeriateSide, source, false);
  }
  if (document.automationPending) {
    CStepTimer timer("outputs");
    if (!document.exportName.empty() && document.currentView && document.exporter) {
      CheckRoomForPicture(document);
      std::string error;
      if (!document.exporter->ExportToFile(*document.currentView, settings.ExportFileFormat,
                                           document.exportName, &error)) {
        // An empty reason means the exporter has reported the failure itself.
        if (!error.empty()) document.Services().ShowMessageBox(error);
        document.outputFailed = true;
      }
    }
    if (stepTaken && document.currentView && document.exporter &&
        !ExportFurtherPictures(document)) {
      document.outputFailed = true;
    }
    if (!WriteScriptOutputs(document)) document.outputFailed = true;
  }
  if (settings.Exit) {
    document.exitRequested = true;
    if (CWindowHost* host = document.Host()) host->RequestExit();
  }
}
