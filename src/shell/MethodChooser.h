// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <optional>

#include "shell/CommandTarget.h"

// A toolbar list of the methods of one kind (linkage rule, seriation rule or tree-seriation
// rule) with the codes as item data. It shows the active document's choice: no item for a
// negative code, and a code outside the list is shown as its number so that it is not taken for
// another one.
class CMethodChooser : public QComboBox {
  Q_OBJECT

 public:
  explicit CMethodChooser(CMethodKind kind, QWidget* parent = nullptr);
  CMethodKind Kind() const { return kind_; }
  // Shows `code`; disabled when there is no document.
  void ShowChoice(std::optional<int> code);
  // The code of item `index`.
  int CodeAt(int index) const;

  // As wide as the choice shown, whole: the open list shows every caption.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  CMethodKind kind_;
  int listedCount_ = 0;
};
