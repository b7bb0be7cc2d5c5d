// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Choices.h"

class CProgressReporter;
class CTriangleRefill;
struct TreatmentSettings;

// Watches a seriation that shows its steps (centroid seriation, the improvement loops): the
// window repaints and shows the segment being worked on. A batch run has none.
class CSeriationObserver {
 public:
  virtual ~CSeriationObserver() = default;
  virtual void Repaint() = 0;
  // Selects `length` positions of the side's order from `start` (centroid seriation).
  virtual void SelectSegment(int start, int length) = 0;
};

// Which plain seriation runs, and how.
struct CSeriationOptions {
  ESeriation rule = ESeriation::kMultipleFragment;
  bool improve = true;  // 2-opt after MF and FA
  EOptimisation optimisation = EOptimisation::kNumeric;
};
CSeriationOptions SeriationOptionsOf(const TreatmentSettings& settings);

// What a running seriation may use of the world: progress windows (none without a reporter), a
// watcher of its steps, and the refill of the side's triangle that lets a step over the whole
// side work inside it (none: the steps work on copies).
struct CSeriationRun {
  CProgressReporter* progress = nullptr;
  CSeriationObserver* observer = nullptr;
  CTriangleRefill* refill = nullptr;
};

// Whether a seriation ran: the discrete methods refuse sequences too long for them, leaving the
// sequence as it was.
enum class ESeriationOutcome { kDone, kRefusedForSize };

// The window shown for a refusal for size.
inline constexpr char kTooManyElementsTitle[] = "STOP!";
inline constexpr char kTooManyElementsText[] =
    "Too many elements to seriate!\n\nThe processing time would be too long!";
