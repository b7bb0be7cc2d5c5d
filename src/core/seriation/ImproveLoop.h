// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CProgress;
class CSeriationObserver;  // seriation/SeriationRun.h

// A move of an improvement loop between positions i < j of a sequence, and what it gains.
struct CMove {
  int i = 0;
  int j = 0;
  double gain = 0.0;
};

// The moves of one criterion on one sequence (2-opt reversals, discrete swaps).
class CImprovementMoves {
 public:
  virtual ~CImprovementMoves() = default;
  // The best move of the current order: scanning i ascending, then j ascending, the gain starts
  // at 0 and is replaced only by a strictly larger one, so the first best move wins ties. A gain
  // of 0 means that no move gains anything.
  virtual CMove FindBestMove() = 0;
  virtual void Apply(const CMove& move) = 0;
  // Writes the order reached into the caller's sequence.
  virtual void Publish() = 0;
};

// Gains at or below this end the loop (after applying a last positive one).
inline constexpr double kImprovementThreshold = 0.00001;

// Applies one best move per pass while the best gain of a pass exceeds kImprovementThreshold and
// the stop button of `progress` was not pressed. After each pass the progress window (when there
// is one) has its stop flag cleared, is stepped (which lets the window handle its events) and is
// asked for the stop; the observer (when there is one) repaints the order reached. A stop ends
// the loop after the current pass and keeps that order. The order reached is published at the
// end in every case.
void ImproveLoop(CImprovementMoves& moves, CProgress* progress, CSeriationObserver* observer);
