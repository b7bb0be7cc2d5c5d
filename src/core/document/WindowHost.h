// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CSeriationObserver;
class CViewModel;
struct TreatmentSettings;

// What the document asks of the windows around it. The desktop program implements it (one
// child window per view); a batch run has none, and its views exist as models only.
class CWindowHost {
 public:
  virtual ~CWindowHost() = default;
  // A view was created and should get its window (it starts as a copy of the current view).
  virtual void ViewOpened(CViewModel& view) = 0;
  // A view is about to be destroyed: its window must go.
  virtual void ViewClosing(CViewModel& view) = 0;
  // A view's orders or switches changed: lay it out again (and fit its frame when asked) and
  // repaint it.
  virtual void ViewChanged(CViewModel& view, bool fitFrame) = 0;
  // The treatment dialog shown before a file is read when the program was started without
  // arguments; false when the user cancels.
  virtual bool EditSettingsBeforeOpening(TreatmentSettings& settings, const std::string& path) = 0;
  // The automatic treatment asked the program to end.
  virtual void RequestExit() = 0;
  // The watcher of a seriation running on a side of a view (it repaints the window as the order
  // changes), or null.
  virtual CSeriationObserver* SeriationObserver(CViewModel& view, bool rows) = 0;
};
