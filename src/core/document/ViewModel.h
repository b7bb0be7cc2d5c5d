// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/ViewHistory.h"
#include "tree/Tree.h"

class CQuorvelDoc;

// One window of a document, as a model: its own copies of the row and the column order (each
// with its dendrogram and linkage rule), its zoom, its fit-to-window flag and its undo history. The
// document owns its views; the desktop program shows each in a child window.
class CViewModel {
 public:
  explicit CViewModel(CQuorvelDoc& document);
  ~CViewModel();
  CViewModel(const CViewModel&) = delete;
  CViewModel& operator=(const CViewModel&) = delete;

  CQuorvelDoc& Document() const { return *document_; }
  CTree& Side(bool rows) { return rows ? rowTree : columnTree; }

  // Recomputes R and S of both sides (the first view, and when the objective functions are
  // switched on), or of one side after its order changed. R only while the objective functions
  // are shown.
  void ComputeObjectives();
  void ComputeObjectivesOf(bool rows);

  // Windows of all documents together, for the "too many windows" rules.
  static int OpenCount();

  CTree rowTree;
  CTree columnTree;
  double zoom = 1.0;
  bool fitToWindow = false;
  // The palette's "Fit": fit the picture once at the next layout.
  bool fitOnce = false;
  bool fullScreen = false;
  // The states before the window's editing commands, for undo and redo.
  CViewHistory history;

 private:
  CQuorvelDoc* document_;
};
