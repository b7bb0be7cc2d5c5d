// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetApplication.h"

#include <cstdlib>

void EnsureWidgetApplication() {
  if (QCoreApplication::instance()) return;
  // Without a display Qt would abort: the tests show their windows offscreen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's own statics (the input devices of QTest) may already be gone,
  // and an application object destroyed after them would crash the test program.
  new QApplication(argc, argv);
}
