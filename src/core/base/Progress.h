// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>

// A progress window of a long step: stepped once per outer item or pass. Stepping also lets an
// interactive program process pending events and repaint; the stop button (when the window has
// one) is read back through StopRequested.
class CProgress {
 public:
  virtual ~CProgress() = default;
  virtual void Step() = 0;
  virtual bool StopRequested() { return false; }
  virtual void ClearStop() {}
};

// A progress reporter that shows nothing, for steps below their size threshold.
class CSilentProgress final : public CProgress {
 public:
  void Step() override {}
};

// Opens progress windows for the long steps of the layers below the document; the desktop
// program shows them, a batch run reports on a terminal, tests record them. The layers take a
// nullable pointer: null shows nothing.
class CProgressReporter {
 public:
  virtual ~CProgressReporter() = default;
  // Opens a progress window now; it closes when the returned object is destroyed.
  virtual std::unique_ptr<CProgress> OpenProgress(std::string_view caption, int range,
                                                  bool withStopButton) = 0;
};

// Reading, computing or summing over items shows its progress only above this many items.
inline constexpr int kProgressAboveItems = 1000;

inline bool ShowsProgressFor(int items) {
  return items > kProgressAboveItems;
}

// The progress window of a step over `items` items (range `items`), or null when the step is
// too small to show one or nobody reports.
inline std::unique_ptr<CProgress> OpenItemProgress(CProgressReporter* reporter,
                                                   std::string_view caption, int items) {
  if (reporter == nullptr || !ShowsProgressFor(items)) return nullptr;
  return reporter->OpenProgress(caption, items, false);
}
