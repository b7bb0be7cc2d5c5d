// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

CChildFrame::CChildFrame(QWidget* view, QWidget* parent) : QMdiSubWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(view);
  if (QMenu* menu = systemMenu()) {
    for (QAction* action : menu->actions())
      action->setShortcuts({});
  }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  QMdiSubWindow::closeEvent(event);
  if (event->isAccepted()) emit closing(widget());
}
