#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct CWarning;

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

// Answer of the large-data window ("Continue", "Restrict ... 1000 rows", "Stop" and the check box
// "Not compute the objective function R"). `confirmed` is false for the "Stop" button.
struct CLargeTableAnswer {
  enum Choice { kContinue = 0, kRestrict = 1, kStop = 2 };
  bool confirmed = true;
  Choice choice = kContinue;
  bool skipObjectiveR = true;
};

// Everything the core asks of the world: dialogs, choices, progress, files, clipboard. The GUI,
// the batch run and the tests each implement it.
class CServices {
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
  // Opens a progress window now; it closes when the returned object is destroyed.
  virtual std::unique_ptr<CProgress> OpenProgress(std::string_view caption, int range,
                                                  bool withStopButton) = 0;
  // File dialogs; an empty answer means "cancel".
  virtual std::optional<std::string> AskOpenFileName(std::string_view filter) = 0;
  virtual std::optional<std::string> AskSaveFileName(std::string_view proposedName,
                                                     std::string_view filter) = 0;
  virtual void SetClipboardText(std::string_view text) = 0;
};
