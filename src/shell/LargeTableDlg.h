// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "base/Services.h"

class QButtonGroup;
class QCheckBox;

// The large-data window shown before a table of many rows is read: continue, keep the first
// 1000 rows or stop, and whether to skip the objective function R.
class CLargeTableDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CLargeTableDlg(int rowCount, QWidget* parent = nullptr);
  // The answer once the window is closed ("Stop" or closing the window: not confirmed).
  CLargeTableAnswer Answer() const;

 private:
  QButtonGroup* choices_;
  QCheckBox* skipObjectiveR_;
};
