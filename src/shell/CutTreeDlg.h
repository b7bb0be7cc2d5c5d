// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "tree/TreeCut.h"

class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

// The dialog "Cut Tree": cut the active side's dendrogram into a number of clusters (2 up to
// the leaves and groups the tree shows) or at a height (0 up to the root's height).
class CCutTreeDlg : public QDialog {
  Q_OBJECT

 public:
  // `units`: the pieces a cut can separate (CutUnitCount); `rootHeight`: the tree's height.
  CCutTreeDlg(int units, double rootHeight, QWidget* parent = nullptr);

  // The cut as the fields show it.
  CTreeCutRequest Request() const;

  // Shows the dialog; the cut on OK, nothing on Cancel.
  static std::optional<CTreeCutRequest> Ask(int units, double rootHeight, QWidget* parent);

 private:
  QRadioButton* byCount_;
  QSpinBox* clusters_;
  QDoubleSpinBox* height_;
};
