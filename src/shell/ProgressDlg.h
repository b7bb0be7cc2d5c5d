// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <string_view>

#include "base/Services.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a long step: its caption, a bar over 0 … range stepped by one, and
// optionally a stop button. Beyond the range the bar becomes a busy bar and the caption counts
// the steps: progress never runs backwards. It does not run an event loop of its own: each Step
// lets the program process pending events, so the window and the views repaint and the stop button
// answers. While it is shown the other windows take no input, so that no command runs in the
// middle of the computation that opened it. It closes when the object is destroyed.
class CProgressDlg : public QDialog, public CProgress {
  Q_OBJECT

 public:
  // Shown at once, centred over `parent` (or the active window).
  CProgressDlg(std::string_view caption, int range, bool withStopButton, QWidget* parent = nullptr);
  ~CProgressDlg() override;

  void Step() override;
  bool StopRequested() override { return stopRequested_; }
  void ClearStop() override { stopRequested_ = false; }

  // The steps made so far.
  int Position() const;
  QPushButton* StopButton() const { return stop_; }

 private:
  QString captionText_;
  int range_ = 1;
  int steps_ = 0;
  QLabel* caption_;
  QProgressBar* bar_;
  QPushButton* stop_ = nullptr;
  bool stopRequested_ = false;
  QElapsedTimer sinceEvents_;
};
