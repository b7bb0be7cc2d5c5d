// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "base/Services.h"

// The services of a run without display and without user: warnings and messages go to stderr,
// every dialog takes its preselected default, progress is drawn on stderr only when it is a
// terminal, and file dialogs answer "cancel" (a batch run names its files on the command line).
class CBatchServices : public CServices {
 public:
  explicit CBatchServices(std::FILE* stream = stderr);

  void ShowWarning(const CWarning& warning) override;
  void ShowNotice(std::string_view title, std::string_view text) override;
  void ShowMessageBox(std::string_view text) override;
  CLargeTableAnswer ConfirmLargeTable(int rowCount) override;
  std::unique_ptr<CProgress> OpenProgress(std::string_view caption, int range,
                                          bool withStopButton) override;
  std::optional<std::string> AskOpenFileName(std::string_view filter) override;
  std::optional<std::string> AskSaveFileName(std::string_view proposedName,
                                             std::string_view filter) override;
  void SetClipboardText(std::string_view text) override;

 private:
  void WriteLine(std::string_view text);
  std::FILE* stream_;
  bool interactiveTerminal_;
};
