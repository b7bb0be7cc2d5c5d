// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// One pane of the status bar, as wide as its text (in steps, so that it does not jump at every
// digit): a pane never cuts what it shows. The status bar's message area gives way first.
class CStatusPane : public QLabel {
  Q_OBJECT

 public:
  explicit CStatusPane(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};
