// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SortDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/MessageLayout.h"

CSortDlg::CSortDlg(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent), positionCount_(static_cast<int>(labels.size())) {
  setWindowTitle("Sort Selection");
  const int last = std::max(positionCount_, 1);
  keyLabel_ = new QComboBox(this);
  keyLabel_->setObjectName("keyLabel");
  for (const std::string& label : labels)
    keyLabel_->addItem(ToQString(label));
  // Positions are shown from 1, as the user counts them.
  keyPosition_ = new QSpinBox(this);
  keyPosition_->setObjectName("keyPosition");
  keyPosition_->setRange(1, last);
  values_ = new QSpinBox(this);
  values_->setObjectName("values");
  values_->setRange(1, last);
  values_->setValue(1);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(keyLabel_, 1);
  keyRow->addWidget(keyPosition_);

  auto* order = new QGroupBox("Order", this);
  auto* ascending = new QRadioButton("&Ascending", order);
  ascending->setObjectName("ascending");
  ascending->setChecked(true);
  descending_ = new QRadioButton("&Descending", order);
  descending_->setObjectName("descending");
  auto* orderLayout = new QHBoxLayout(order);
  orderLayout->addWidget(ascending);
  orderLayout->addWidget(descending_);

  all_ = new QCheckBox("All", this);
  all_->setObjectName("all");

  auto* form = new QFormLayout;
  form->addRow("Key", keyRow);
  form->addRow("Values", values_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  ok->setEnabled(positionCount_ > 0);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(order);
  layout->addWidget(all_);
  layout->addWidget(buttons);

  connect(keyLabel_, &QComboBox::currentIndexChanged, this,
          [this](int index) { KeyChanged(index); });
  connect(keyPosition_, &QSpinBox::valueChanged, this,
          [this](int value) { KeyChanged(value - 1); });
  connect(all_, &QCheckBox::toggled, this, [this](bool all) {
    keyLabel_->setEnabled(!all);
    keyPosition_->setEnabled(!all);
    values_->setEnabled(!all);
  });
  KeyChanged(0);
}

void CSortDlg::KeyChanged(int position) {
  if (position < 0) return;
  const QSignalBlocker labelBlocker(keyLabel_);
  const QSignalBlocker positionBlocker(keyPosition_);
  keyLabel_->setCurrentIndex(position);
  keyPosition_->setValue(position + 1);
  // The block of summed positions ends at the last position.
  values_->setMaximum(std::max(positionCount_ - position, 1));
}

CSortChoice CSortDlg::Choice() const {
  CSortChoice choice;
  choice.descending = descending_->isChecked();
  if (all_->isChecked()) {
    choice.keyPosition = 0;
    choice.count = positionCount_;
    return choice;
  }
  choice.keyPosition = std::clamp(keyPosition_->value() - 1, 0, std::max(positionCount_ - 1, 0));
  choice.count = std::clamp(values_->value(), 0, positionCount_ - choice.keyPosition);
  return choice;
}

std::optional<CSortChoice> CSortDlg::Ask(const std::vector<std::string>& labels, QWidget* parent) {
  CSortDlg dialog(labels, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}
