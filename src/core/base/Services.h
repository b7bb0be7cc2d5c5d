// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/LargeTable.h"
#include "base/Progress.h"

struct CWarning;

// Everything the document asks of the world: dialogs, choices, progress, files, clipboard. The
// GUI, the batch run and the tests each implement it. The layers below the document see only its
// progress reporter.
class CServices : public CProgressReporter {
 public:
  virtual ~CServices() = default;

  // The numbered warning window "WARNING !" with its three lines.
  virtual void ShowWarning(const CWarning& warning) = 0;
  // A titled window with one text and an "OK" button ("WARNING !", "ATTENTION !", "STOP!").
  virtual void ShowNotice(std::string_view title, std::string_view text) = 0;
  // A plain message box with an "OK" button.
  virtual void ShowMessageBox(std::string_view text) = 0;
  // The large-data window for a table of `rowCount` rows.
  virtual CLargeTableAnswer ConfirmLargeTable(int rowCount) = 0;
  // File dialogs; an empty answer means "cancel".
  virtual std::optional<std::string> AskOpenFileName(std::string_view filter) = 0;
  virtual std::optional<std::string> AskSaveFileName(std::string_view proposedName,
                                                     std::string_view filter) = 0;
  virtual void SetClipboardText(std::string_view text) = 0;
};
