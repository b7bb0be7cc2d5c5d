// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class CViewWidget;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The find bar at the bottom of the main window: what is typed is looked for in the labels of
// the active side of the active window (a part of the label ignoring case, or a regular
// expression). The first match is selected as a click on its cell would select it and scrolled
// into sight; every match is highlighted; Enter and Shift+Enter (or the buttons) go to the next
// and the previous match, round the end. Escape closes the bar.
class CFindBar : public QWidget {
  Q_OBJECT

 public:
  // `activeWidget` gives the active window's view (nullptr: none); `report` shows the count.
  CFindBar(std::function<CViewWidget*()> activeWidget, std::function<void(const QString&)> report,
           QWidget* parent = nullptr);

  // Shows the bar with the text selected for typing over, and searches again.
  void Open();
  // Hides the bar and removes the highlight.
  void Close();
  // The next (or previous) match after the current one, round the end; the search is made
  // again first, since the orders may have changed since.
  void Step(bool forward);
  // Searches again from the first match and selects it: the text or the way to match changed.
  void Search();
  // Counts and highlights the matches again without touching the selection: another window
  // became active, or its active side changed.
  void Refresh();

  QLineEdit* Field() const { return field_; }
  QCheckBox* RegularExpressionBox() const { return regularExpression_; }
  // The count or the error shown ("3 matches", "Match 2 of 3", "No match").
  QString Status() const { return status_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Finds the matches on the active side. `step` 0 selects the first match, 1 and −1 the next
  // and the previous one; without `select` nothing is selected or scrolled.
  void Run(int step, bool select = true);
  void ShowStatus(const QString& text, bool error);
  void ForgetHighlight();

  std::function<CViewWidget*()> activeWidget_;
  std::function<void(const QString&)> report_;
  QLineEdit* field_;
  QCheckBox* regularExpression_;
  QToolButton* previous_;
  QToolButton* next_;
  QLabel* message_;
  QString status_;
  // The window whose picture shows the matches, and the item of the current match there.
  QPointer<CViewWidget> highlighted_;
  int currentItem_ = -1;
};
