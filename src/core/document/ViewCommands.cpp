// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ViewCommands.h"

#include "base/AtomicFile.h"
#include "document/AnalystFiles.h"
#include "document/QuorvelDoc.h"
#include "document/SelectedItems.h"
#include "document/ViewModel.h"
#include "document/WindowHost.h"
#include "tree/Aggregation.h"
#include "tree/ClusterMarks.h"
#include "tree/KeySort.h"
#include "tree/RandomFlips.h"
#include "tree/SortSubtree.h"
#include "tree/SwapPrimary.h"
#include "tree/TreeCut.h"
#include "tree/TreeFlip.h"

namespace {

void Changed(CViewModel& view, bool fitFrame = false) {
  if (CWindowHost* host = view.Document().Host()) host->ViewChanged(view, fitFrame);
}

// The editing commands mark the side as worked on by the user: a later seriation then works in
// this window instead of opening a new one. An order that changed has its R and S recomputed
// (aggregation changes no order).
bool Edited(CViewModel& view, bool rows, bool changed, bool orderChanged = true) {
  if (changed) {
    if (orderChanged) view.ComputeObjectivesOf(rows);
    view.Side(rows).userSelection = true;
    Changed(view);
  }
  return changed;
}

CTree& ActiveSide(CViewModel& view) {
  return view.Side(view.Document().switches.rowsActive);
}

// Runs an editing command; the state before it is kept for undo when the window changed.
template <typename F>
bool Recorded(CViewModel& view, F command) {
  CViewState before = CViewHistory::Capture(view);
  const bool changed = command();
  view.history.Record(std::move(before), view);
  return changed;
}

}  // namespace

bool CanFlip(const CTree& side) {
  return side.selectionLength != 1;
}

bool HasExpandedSelection(const CTree& side) {
  return side.hasTree && side.selectedNode != kNoNode && side.Node(side.selectedNode).expanded;
}

bool CanSwap(const CTree& side) {
  return HasExpandedSelection(side) && !side.Node(side.selectedNode).IsLeaf() &&
         side.selectionLength != 1;
}

bool CanAggregate(const CTree& side) {
  return HasExpandedSelection(side) && side.selectionLength != 1 &&
         side.selectionLength != side.count;
}

bool FlipSide(CViewModel& view, bool rows) {
  if (!CanFlip(view.Side(rows))) return false;
  return Recorded(view, [&] { return Edited(view, rows, FlipSelection(view.Side(rows))); });
}

bool SwapSide(CViewModel& view, bool rows) {
  if (!CanSwap(view.Side(rows))) return false;
  return Recorded(view, [&] { return Edited(view, rows, SwapPrimary(view.Side(rows))); });
}

bool AggregateSide(CViewModel& view, bool rows) {
  if (!CanAggregate(view.Side(rows))) return false;
  return Recorded(view, [&] { return Edited(view, rows, Aggregate(view.Side(rows)), false); });
}

bool RandomiseSide(CViewModel& view, bool rows, std::int64_t seed) {
  return Recorded(view,
                  [&] { return Edited(view, rows, RandomiseSelection(view.Side(rows), seed)); });
}

bool SortSide(CViewModel& view, bool rows, int keyPosition, int keyCount, bool descending) {
  CTree& side = view.Side(rows);
  if (side.selectionLength == 1) return false;
  const CTree& other = view.Side(!rows);
  const std::vector<double> keys =
      SortKeySums(*view.Document().data, rows, other.order, keyPosition, keyCount);
  return Recorded(view, [&] { return Edited(view, rows, SortSelection(side, keys, descending)); });
}

void MarkSelection(CViewModel& view, ColorRef colour) {
  Recorded(view, [&] {
    Mark(ActiveSide(view), colour);
    return true;
  });
  Changed(view);
}

void UnmarkSelection(CViewModel& view) {
  Recorded(view, [&] {
    Unmark(ActiveSide(view));
    return true;
  });
  Changed(view);
}

void UnmarkAllOfSide(CViewModel& view) {
  Recorded(view, [&] {
    UnmarkAll(ActiveSide(view));
    return true;
  });
  Changed(view);
}

int CutSideTree(CViewModel& view, bool rows, const CTreeCutRequest& request) {
  CTree& side = view.Side(rows);
  const CTreeCut cut = CutTree(side, request);
  if (cut.clusterCount == 0) return 0;
  ApplyCut(side, cut);
  Changed(view);
  return cut.clusterCount;
}

bool SaveTreeClusters(CViewModel& view, bool rows, const std::string& path, std::string* error) {
  const CTree& side = view.Side(rows);
  if (path.empty() || !HasCut(side)) return false;
  return WriteFileAtomically(path, FormatClusterMemberships(side), error);
}

bool CanUndo(const CViewModel& view) {
  return view.history.CanUndo();
}

bool CanRedo(const CViewModel& view) {
  return view.history.CanRedo();
}

bool UndoView(CViewModel& view) {
  if (!view.history.Undo(view)) return false;
  Changed(view);
  return true;
}

bool RedoView(CViewModel& view) {
  if (!view.history.Redo(view)) return false;
  Changed(view);
  return true;
}

void ZoomIn(CViewModel& view) {
  if (auto zoomed = StepZoomIn(view.zoom)) {
    view.zoom = *zoomed;
    Changed(view);
  }
}

void ZoomOut(CViewModel& view) {
  view.zoom = StepZoomOut(view.zoom);
  Changed(view);
}

void ZoomDelete(CViewModel& view) {
  view.zoom = 1.0;
  Changed(view);
}

void ToggleFitToWindow(CViewModel& view) {
  view.fitToWindow = !view.fitToWindow;
  if (!view.fitToWindow) view.zoom = 1.0;
  Changed(view);
}

void ChoosePaletteItem(CViewModel& view, const CPaletteChoice& choice) {
  if (choice.fit) {
    view.fitOnce = true;
  } else {
    view.zoom = choice.zoom;
  }
  Changed(view);
}

namespace {

bool* SwitchOf(CQuorvelDoc& document, EDisplaySwitch which) {
  CDisplaySwitches& switches = document.switches;
  switch (which) {
    case EDisplaySwitch::kAverageProfile:
      return &switches.averageProfile;
    case EDisplaySwitch::kLabelList:
      return &switches.labelList;
    case EDisplaySwitch::kDataValues:
      return &switches.dataValues;
    case EDisplaySwitch::kMetrics:
      return &switches.metrics;
    case EDisplaySwitch::kCriteria:
      return &switches.criteria;
    case EDisplaySwitch::kRowTree:
      return &switches.rowTree;
    case EDisplaySwitch::kColumnTree:
      return &switches.columnTree;
    case EDisplaySwitch::kDataMatrix:
      return &switches.dataMatrix;
    case EDisplaySwitch::kRowLabels:
      return &switches.rowLabels;
    case EDisplaySwitch::kColumnLabels:
      return &switches.columnLabels;
    default:
      return nullptr;
  }
}

int* StoredSwitchOf(CQuorvelDoc& document, EDisplaySwitch which) {
  switch (which) {
    case EDisplaySwitch::kObjectiveFunctions:
      return &document.display.m_bShowObjectiveFunctionsValue;
    case EDisplaySwitch::kColorScale:
      return &document.display.m_bShowScale;
    case EDisplaySwitch::kTopFrame:
      return &document.display.m_bShowTopFrame;
    default:
      return nullptr;
  }
}

}  // namespace

void ToggleDisplaySwitch(CQuorvelDoc& document, EDisplaySwitch which) {
  if (bool* flag = SwitchOf(document, which)) {
    *flag = !*flag;
  } else if (int* stored = StoredSwitchOf(document, which)) {
    *stored = *stored ? 0 : 1;
    // Turning the objective functions on computes them for every window first.
    if (which == EDisplaySwitch::kObjectiveFunctions && *stored) {
      for (auto& view : document.views)
        view->ComputeObjectives();
    }
  }
  document.UpdateAllViews();
}

bool DisplaySwitchState(const CQuorvelDoc& document, EDisplaySwitch which) {
  CQuorvelDoc& mutableDocument = const_cast<CQuorvelDoc&>(document);
  if (const bool* flag = SwitchOf(mutableDocument, which)) return *flag;
  if (const int* stored = StoredSwitchOf(mutableDocument, which)) return *stored != 0;
  return false;
}

void SetCellSize(CQuorvelDoc& document, bool rows, int size) {
  int& current = rows ? document.display.hy : document.display.hx;
  if (current == size) return;
  current = size;
  document.UpdateAllViews();
}

std::vector<std::string> SelectedLabels(const CTree& side) {
  std::vector<std::string> labels;
  if (!side.userSelection || side.labels == nullptr) return labels;
  for (int p = side.selectionStart; p < side.selectionStart + side.selectionLength; ++p) {
    if (p < 0 || p >= side.count) break;
    const int item = side.order[static_cast<size_t>(p)];
    if (item >= 0 && static_cast<size_t>(item) < side.labels->size()) {
      labels.push_back((*side.labels)[static_cast<size_t>(item)]);
    }
  }
  return labels;
}

std::string LabelListText(const std::vector<std::string>& labels) {
  std::string text;
  for (const std::string& label : labels)
    text += label + "\r\n";
  return text;
}

bool SaveSelectedItems(CViewModel& view, const std::string& path, std::string* error) {
  const CQuorvelDoc& document = view.Document();
  if (path.empty() || !document.data) return false;
  return WriteFileAtomically(
      path, FormatSelectedItems(*document.data, view.rowTree, view.columnTree), error);
}
