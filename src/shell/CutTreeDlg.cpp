// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CutTreeDlg.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

CCutTreeDlg::CCutTreeDlg(int units, double rootHeight, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Cut Tree");
  const int most = std::max(units, 2);
  byCount_ = new QRadioButton("&Number of clusters", this);
  byCount_->setObjectName("byCount");
  byCount_->setChecked(true);
  auto* byHeight = new QRadioButton("At &height", this);
  byHeight->setObjectName("byHeight");
  clusters_ = new QSpinBox(this);
  clusters_->setObjectName("clusters");
  clusters_->setRange(2, most);
  clusters_->setValue(std::min(3, most));
  height_ = new QDoubleSpinBox(this);
  height_->setObjectName("height");
  const double top = std::isfinite(rootHeight) && rootHeight > 0.0 ? rootHeight : 1.0;
  // Enough decimals to tell apart merges a thousandth of the tree's height apart.
  const int decimals = std::clamp(3 - static_cast<int>(std::floor(std::log10(top))), 2, 10);
  height_->setDecimals(decimals);
  height_->setRange(0.0, top);
  height_->setSingleStep(top / 100.0);
  height_->setValue(top / 2.0);
  height_->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->addWidget(byCount_, 0, 0);
  grid->addWidget(clusters_, 0, 1);
  grid->addWidget(byHeight, 1, 0);
  grid->addWidget(height_, 1, 1);
  auto* note = new QLabel(
      "The clusters get colours of their own; the cut replaces the marks of "
      "the side.",
      this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(byCount_, &QRadioButton::toggled, this, [this](bool count) {
    clusters_->setEnabled(count);
    height_->setEnabled(!count);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

CTreeCutRequest CCutTreeDlg::Request() const {
  if (byCount_->isChecked()) return {clusters_->value(), std::nullopt};
  return {0, height_->value()};
}

std::optional<CTreeCutRequest> CCutTreeDlg::Ask(int units, double rootHeight, QWidget* parent) {
  CCutTreeDlg dialog(units, rootHeight, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Request();
}
