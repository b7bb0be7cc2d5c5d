// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "base/Geometry.h"

class CClusterActions;
class QLabel;
class QToolButton;
class QWidget;

// The "Clusters Identification" window: a colour and the buttons that mark and unmark the
// selected items with it. Not modal; it shows its buttons only while the active window has a
// user selection, otherwise only the text "Select Rows or Columns".
class CClustersDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CClustersDlg(QWidget* parent = nullptr);

  void SetActions(CClusterActions* actions) { actions_ = actions; }
  void SetSelectionExists(bool exists);
  bool SelectionExists() const { return selectionExists_; }

  // The current colour; initially red 128, green 255, blue 255.
  ColorRef CurrentColor() const { return color_; }
  // Makes `color` current and marks the selection with it at once. Black would read as
  // "unmarked", so it becomes RGB(1,1,1).
  void ChooseColor(ColorRef color);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void AskColor();
  void ShowColor();
  CClusterActions* actions_ = nullptr;
  ColorRef color_;
  bool selectionExists_ = false;
  bool placed_ = false;
  QWidget* buttons_;
  QLabel* hint_;
  QToolButton* colorButton_;
};
