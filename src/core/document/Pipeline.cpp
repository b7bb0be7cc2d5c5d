#include "document/Pipeline.h"

#include "base/FileNames.h"
#include "base/Services.h"
#include "document/PictureExporter.h"
#include "document/QuorvelDoc.h"
#include "document/ScriptOutputs.h"
#include "document/ViewModel.h"
#include "document/WindowHost.h"
#include "seriation/Seriation.h"
#include "seriation/SeriationRun.h"
#include "settings/Choices.h"
#include "tree/AgglomerativeClustering.h"
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
    document.exportName = *chosen;
  }
}

std::string HeightsOverflowText(ELinkage linkage) {
  const CChoice<ELinkage>* rule = FindChoice(LinkageChoices(), linkage);
  return std::string("The heights of the dendrogram built with ") + (rule ? rule->caption : "") +
         " leave the range of numbers.\nNo dendrogram was built: divide the values of your "
         "dataset by a power of ten.";
}

CSeriationRun RunOf(CViewModel& view, bool rows) {
  CQuorvelDoc& document = view.Document();
  CWindowHost* host = document.Host();
  return {&document.Services(), host ? host->SeriationObserver(view, rows) : nullptr};
}

}  // namespace

std::string CommandLineExportName(const CQuorvelDoc& document, const CExportFormat& format) {
  const std::string& given = document.settings.exportFileName;
  if (given.empty() || format.keepsGivenName) return given;
  return WithExtension(given, format.extension);
}

std::string ProposedExportName(const CQuorvelDoc& document, const CExportFormat& format) {
  const std::string& base = document.exportName.empty() ? document.title : document.exportName;
  return WithExtension(base, format.extension);
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
    side.hasTree = false;
    side.selectedNode = kNoNode;
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
  const size_t viewsBefore = document.views.size();
  CViewModel& target = NewResultWindow(view, true);
  const bool newWindow = document.views.size() > viewsBefore;
  CTree& result = target.Side(rows);
  const CTree before = result;
  result.linkage = document.settings.AgregationCriterion;
  result.userSelection = false;
  if (BuildTree(result, document.settings.AgregationCriterion, &document.Services())) {
    if (!HeightsAreFinite(result)) {
      // Ward's update can leave the range of a double even from finite dissimilarities: no
      // dendrogram rather than one that cannot be drawn or written.
      result = before;
      document.Services().ShowNotice("WARNING !",
                                     HeightsOverflowText(document.settings.AgregationCriterion));
      if (!newWindow) {
        Changed(target, false);
        return target;
      }
      document.CloseView(target);
      return view;
    }
    target.ComputeObjectivesOf(rows);
  }
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

  const bool inPlace = view.rowTree.userSelection || view.columnTree.userSelection;
  const size_t viewsBefore = document.views.size();
  CViewModel& target = inPlace ? view : NewResultWindow(view, false);
  const bool newWindow = document.views.size() > viewsBefore;
  CTree& result = target.Side(rows);

  const CSeriationRun run = RunOf(target, rows);
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
      Changed(target, false);
    }
    return;
  }
  Changed(target, newWindow);
}

void RunAutomation(CQuorvelDoc& document, bool cluster, bool seriate) {
  const TreatmentSettings& settings = document.settings;
  if (cluster && document.currentView) {
    CViewModel& source = *document.currentView;
    if (settings.AutomationRow || settings.ClusteringAutomationRow) {
      ClusterSide(source, true);
      PrepareExportName(document);
    }
    if (settings.AutomationCol || settings.ClusteringAutomationCol) {
      ClusterSide(source, false);
      PrepareExportName(document);
    }
  }
  if (seriate && document.currentView) {
    CViewModel& source = *document.currentView;
    if (settings.AutomationRow || settings.SeriationAutomationRow) {
      SeriateSide(source, true);
      PrepareExportName(document);
    }
    if (settings.AutomationCol || settings.SeriationAutomationCol) {
      SeriateSide(source, false);
      PrepareExportName(document);
    }
  }
  if (document.automationPending) {
    if (!document.exportName.empty() && document.currentView && document.exporter) {
      std::string error;
      if (!document.exporter->ExportToFile(*document.currentView, settings.ExportFileFormat,
                                           document.exportName, &error)) {
        // An empty reason means the exporter has reported the failure itself.
        if (!error.empty()) document.Services().ShowMessageBox(error);
        document.outputFailed = true;
      }
    }
    if (!WriteScriptOutputs(document)) document.outputFailed = true;
  }
  if (settings.Exit) {
    document.exitRequested = true;
    if (CWindowHost* host = document.Host()) host->RequestExit();
  }
}
