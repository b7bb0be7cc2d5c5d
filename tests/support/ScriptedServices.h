// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "base/Services.h"

// Services that record what the core shows and answer from a script.
class CScriptedServices : public CServices {
 public:
  struct Progress {
    std::string caption;
    int range = 0;
    bool withStopButton = false;
    int steps = 0;
  };

  void ShowWarning(const CWarning& warning) override { warnings.push_back(warning); }
  void ShowNotice(std::string_view title, std::string_view text) override {
    notices.push_back(std::string(title) + "|" + std::string(text));
  }
  void ShowMessageBox(std::string_view text) override { messageBoxes.emplace_back(text); }
  CLargeTableAnswer ConfirmLargeTable(int rowCount) override {
    largeTableQuestions.push_back(rowCount);
    if (onLargeTable) onLargeTable();
    return largeTableAnswer;
  }
  std::unique_ptr<CProgress> OpenProgress(std::string_view caption, int range,
                                          bool withStopButton) override;
  std::optional<std::string> AskOpenFileName(std::string_view) override { return openAnswer; }
  std::optional<std::string> AskSaveFileName(std::string_view proposed, std::string_view) override {
    proposedSaveNames.emplace_back(proposed);
    return saveAnswer;
  }
  void SetClipboardText(std::string_view text) override { clipboardText = text; }

  std::vector<CWarning> warnings;
  std::vector<std::string> notices;
  std::vector<std::string> messageBoxes;
  std::vector<int> largeTableQuestions;
  std::vector<Progress> progresses;
  std::vector<std::string> proposedSaveNames;
  std::string clipboardText;

  CLargeTableAnswer largeTableAnswer;
  std::function<void()> onLargeTable;
  std::optional<std::string> openAnswer;
  std::optional<std::string> saveAnswer;
  // A progress window with a stop button reports "stop" once it has been stepped this often.
  int stopAfterSteps = -1;
  // Called at every step of every progress window.
  std::function<void()> onStep;
};
