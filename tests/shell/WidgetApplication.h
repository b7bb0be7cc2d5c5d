// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Creates the one widget application object of the test program (on the offscreen platform
// when none is chosen), unless one exists already.
void EnsureWidgetApplication();

// Runs `inspect` on the modal window that the next statement opens, once it is shown; the
// inspection closes it.
template <typename F>
void WhenModalShown(F inspect);

#include <QApplication>
#include <QTimer>

template <typename F>
void WhenModalShown(F inspect) {
  // The modal window runs its own event loop; poll until it is the active modal widget.
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, inspect]() mutable {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      inspect(modal);
    }
  });
  timer->start();
}
