// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ViewHistory.h"

#include <utility>

#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"

namespace {

bool SameNodes(const std::vector<CNode>& a, const std::vector<CNode>& b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    const CNode& x = a[k];
    const CNode& y = b[k];
    if (x.left != y.left || x.right != y.right || x.expanded != y.expanded ||
        x.methodMark != y.methodMark || x.criterionMark != y.criterionMark || x.items != y.items) {
      return false;
    }
  }
  return true;
}

bool SameSide(const CTree& a, const CTree& b) {
  return a.order == b.order && a.marks == b.marks && a.marksShown == b.marksShown &&
         a.hasTree == b.hasTree && a.root == b.root && a.selectedNode == b.selectedNode &&
         a.orderMethodMark == b.orderMethodMark && a.linkage == b.linkage &&
         SameNodes(a.nodes, b.nodes);
}

size_t SideBytes(const CTree& side) {
  size_t bytes = sizeof(CTree) + side.order.capacity() * sizeof(int) +
                 side.marks.capacity() * sizeof(int) + side.elements.capacity() * sizeof(CElement) +
                 side.nodes.capacity() * sizeof(CNode);
  for (const CNode& node : side.nodes)
    bytes += node.items.capacity() * sizeof(int);
  return bytes;
}

// Keeps the window's own view of its selection and R when a state comes back: R is computed
// again when it is shown and the state does not hold its value.
void Restore(CViewModel& view, CViewState state) {
  view.rowTree = std::move(state.rows);
  view.columnTree = std::move(state.columns);
  if (view.Document().ComputesObjectiveR()) {
    if (!view.rowTree.objectiveRKnown) view.ComputeObjectivesOf(true);
    if (!view.columnTree.objectiveRKnown) view.ComputeObjectivesOf(false);
  }
}

}  // namespace

size_t StateBytes(const CViewState& state) {
  return SideBytes(state.rows) + SideBytes(state.columns);
}

CViewHistory::CViewHistory(size_t maxSteps, size_t maxBytes)
    : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

CViewState CViewHistory::Capture(const CViewModel& view) {
  return CViewState{view.rowTree, view.columnTree};
}

bool CViewHistory::Changed(const CViewState& before, const CViewModel& view) {
  return !SameSide(before.rows, view.rowTree) || !SameSide(before.columns, view.columnTree);
}

CViewHistory::CEntry CViewHistory::EntryOf(CViewState state) {
  const size_t bytes = StateBytes(state);
  return CEntry{std::move(state), bytes};
}

bool CViewHistory::Record(CViewState before, const CViewModel& view) {
  if (!Changed(before, view)) return false;
  ForgetRedo();
  undo_.push_back(EntryOf(std::move(before)));
  bytes_ += undo_.back().bytes;
  Trim();
  return true;
}

void CViewHistory::ForgetRedo() {
  for (const CEntry& entry : redo_)
    bytes_ -= entry.bytes;
  redo_.clear();
}

void CViewHistory::Trim() {
  // The newest state always stays, however large: one step back is what the user expects.
  while (undo_.size() > 1 && (undo_.size() > maxSteps_ || bytes_ > maxBytes_)) {
    bytes_ -= undo_.front().bytes;
    undo_.pop_front();
  }
}

bool CViewHistory::Undo(CViewModel& view) {
  if (undo_.empty()) return false;
  redo_.push_back(EntryOf(Capture(view)));
  bytes_ += redo_.back().bytes;
  CEntry entry = std::move(undo_.back());
  undo_.pop_back();
  bytes_ -= entry.bytes;
  Restore(view, std::move(entry.state));
  return true;
}

bool CViewHistory::Redo(CViewModel& view) {
  if (redo_.empty()) return false;
  undo_.push_back(EntryOf(Capture(view)));
  bytes_ += undo_.back().bytes;
  CEntry entry = std::move(redo_.back());
  redo_.pop_back();
  bytes_ -= entry.bytes;
  Restore(view, std::move(entry.state));
  return true;
}
