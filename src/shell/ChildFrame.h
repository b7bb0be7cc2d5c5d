// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMdiSubWindow>

// The frame of one document window inside the main window. It is deleted when closed and says
// so before it goes, so that the program can drop the window's model. Its system menu has no
// keys: the program's key table owns Ctrl+F4 and the other keys.
class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit CChildFrame(QWidget* view, QWidget* parent = nullptr);

 signals:
  // The frame accepted to close; `view` is still alive.
  void closing(QWidget* view);

 protected:
  void closeEvent(QCloseEvent* event) override;
};
