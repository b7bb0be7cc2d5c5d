// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiApplication.h"

#include <QGuiApplication>
#include <cstdlib>

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  // Without a display Qt would abort: tests draw offscreen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}
