// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/Services.h"

// The services of the desktop program: the warning window, notices, message boxes, the
// large-data window, progress windows, file dialogs and the clipboard. Dialogs are placed over
// the parent window when one is set, else over the active window.
class CQtServices : public CServices {
 public:
  explicit CQtServices(QWidget* parentWindow = nullptr);
  void SetParentWindow(QWidget* parentWindow) { parent_ = parentWindow; }

  void ShowWarning(const CWarning& warning) override;
  void ShowNotice(std::string_view title, std::string_view text) override;
  void ShowMessageBox(std::string_view text) override;
  CLargeTableAnswer ConfirmLargeTable(int rowCount) override;
  std::unique_ptr<CProgress> OpenProgress(std::string_view caption, int range,
                                          bool withStopButton) override;
  // The filters come in the program's form ("Text|*.txt|All|*.*||"). The save dialog asks
  // before overwriting an existing file.
  std::optional<std::string> AskOpenFileName(std::string_view filter) override;
  std::optional<std::string> AskSaveFileName(std::string_view proposedName,
                                             std::string_view filter) override;
  void SetClipboardText(std::string_view text) override;
  // Asks whether the selected items may replace the open data file `path`; the default answer
  // keeps the file.
  bool ConfirmReplacingDataFile(std::string_view path);

 private:
  QWidget* Parent() const;
  QPointer<QWidget> parent_;
};
