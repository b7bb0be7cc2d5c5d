// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "render/Zoom.h"

// Enabled and ticked state of a command's menu entries and toolbar buttons.
struct CCommandState {
  bool enabled = true;
  bool checked = false;
};

// The three method choosers of the toolbar.
enum class CMethodKind { kLinkage, kSeriation, kTreeSeriation };

// Number of status-bar panes.
inline constexpr int kStatusPaneCount = 9;

// What the main window asks of the program behind it: it carries out the commands and says
// what the menus, toolbars and status bar show for the active document and window.
class CCommandTarget {
 public:
  virtual ~CCommandTarget() = default;

  // Carries out command `command` (numbers of CommandIds.h). Returns false when it leaves the
  // command to the main window, which then does its own part for the commands it knows (window
  // menu, full screen, status bar, exit, new and open by the file dialog, about box, clusters
  // dialog) and nothing for the others. A disabled command is never sent.
  virtual bool Execute(int command) = 0;
  // Asked when a menu opens, after each command and regularly for the toolbars.
  virtual CCommandState State(int command) = 0;

  // The texts of the nine status-bar panes.
  virtual std::array<std::string, kStatusPaneCount> StatusTexts() { return {}; }

  // The active document's method code of a chooser (negative: none chosen), or nothing when no
  // document is open (the chooser is then disabled); and the user's choice.
  virtual std::optional<int> MethodChoice(CMethodKind) { return std::nullopt; }
  virtual void SetMethodChoice(CMethodKind, int) {}

  // The active side of the active document (true: rows), nothing without a document.
  virtual std::optional<bool> RowsActive() { return std::nullopt; }
  virtual void SetRowsActive(bool) {}

  // The zoom of the active window, nothing without one; a choice of the zoom palette.
  virtual std::optional<double> CurrentZoom() { return std::nullopt; }
  virtual void ChooseZoom(const CPaletteChoice&) {}

  // Opens a data file (recent-file list, drag and drop, the default New and Open commands).
  // True when a document was opened; the main window then puts the file on the recent list.
  virtual bool OpenFile(const std::string&) { return false; }
};
