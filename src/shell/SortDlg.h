// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

// What to sort the selected items by: the sum of their values at `count` consecutive display
// positions of the other side from `keyPosition` (0 = first), ascending or descending.
struct CSortChoice {
  int keyPosition = 0;
  int count = 1;
  bool descending = false;
};

// The dialog "Sort Selection": "Key" (a label of the other side, in display order, or its
// position), "Values" (how many consecutive positions are summed), "Order" and "All" (every
// position of the other side).
class CSortDlg : public QDialog {
  Q_OBJECT

 public:
  // `labels`: the other side's labels in display order.
  explicit CSortDlg(const std::vector<std::string>& labels, QWidget* parent = nullptr);

  // The choice as the fields show it, the block clamped to the other side's positions.
  CSortChoice Choice() const;

  // Shows the dialog; the choice on OK, nothing on Cancel.
  static std::optional<CSortChoice> Ask(const std::vector<std::string>& labels, QWidget* parent);

 private:
  void KeyChanged(int position);
  int positionCount_;
  QComboBox* keyLabel_;
  QSpinBox* keyPosition_;
  QSpinBox* values_;
  QRadioButton* descending_;
  QCheckBox* all_;
};
