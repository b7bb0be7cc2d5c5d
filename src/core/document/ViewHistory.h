// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>

#include "tree/Tree.h"

class CViewModel;

// The state of a window that its editing commands change: both orders with their dendrograms,
// selections, aggregation, cluster marks and objective values. Each side is O(n).
struct CViewState {
  CTree rows;
  CTree columns;
};

// The undo and redo history of one window: the states before the commands that changed its
// orders, trees, aggregation or marks. Recording a new change forgets what could be redone. The
// history keeps at most `maxSteps` states and about `maxBytes` of them; the oldest go first.
class CViewHistory {
 public:
  static constexpr size_t kDefaultSteps = 100;
  static constexpr size_t kDefaultBytes = size_t{16} << 20;

  explicit CViewHistory(size_t maxSteps = kDefaultSteps, size_t maxBytes = kDefaultBytes);

  static CViewState Capture(const CViewModel& view);
  // Whether the window's state is no longer `before` (order, tree shape, aggregation, marks,
  // seriation marks, selection).
  static bool Changed(const CViewState& before, const CViewModel& view);

  // Keeps `before` as the state to go back to when the window changed since it was captured;
  // true when it was kept.
  bool Record(CViewState before, const CViewModel& view);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  size_t UndoCount() const { return undo_.size(); }
  size_t Bytes() const { return bytes_; }

  // Puts the window back into the state before its last recorded change (the current state
  // becomes redoable), or into the state that change made; false when there is none.
  bool Undo(CViewModel& view);
  bool Redo(CViewModel& view);

 private:
  struct CEntry {
    CViewState state;
    size_t bytes;
  };
  static CEntry EntryOf(CViewState state);
  void Trim();
  void ForgetRedo();

  size_t maxSteps_;
  size_t maxBytes_;
  size_t bytes_ = 0;
  std::deque<CEntry> undo_;
  std::deque<CEntry> redo_;
};

// The memory a state holds, roughly (its vectors).
size_t StateBytes(const CViewState& state);
