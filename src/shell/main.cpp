// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel: the program's entry point. With a display it is the desktop program; without one (or
// with -Exit) it runs the automatic treatment of the file named on the command line and ends.
#include <QApplication>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless/BatchRun.h"
#include "qt/QtPictureExporter.h"
#include "qt/QtSettingsStore.h"
#include "settings/Keywords.h"
#include "shell/AppIcon.h"
#include "shell/DesktopApp.h"

namespace {

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

bool AsksToExit(const CCommandLine& commandLine) {
  TreatmentSettings settings;
  DisplaySettings display;
  ApplyKeywords(commandLine, settings, display);
  return settings.Exit != 0;
}

// A batch run speaks only through its own messages: Qt's diagnostics about the missing display
// and runtime folder are not for the user of a script.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const CCommandLine commandLine = ScanCommandLine(arguments);
  if (commandLine.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (commandLine.version) {
    std::printf("quorvel %s\n", QUORVEL_VERSION);
    return 0;
  }
  // Unknown keywords and missing values are said once, whatever the number of documents.
  {
    TreatmentSettings settings;
    DisplaySettings display;
    for (const std::string& warning : ApplyKeywords(commandLine, settings, display).warnings) {
      std::fprintf(stderr, "%s\n", warning.c_str());
    }
  }
  const bool batch = !HasDisplay() || AsksToExit(commandLine);
  // Qt aborts without a display unless the platform is chosen before the application exists.
  if (batch) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessages);
  }
  CQtPictureExporter exporter;
  if (batch) {
    QGuiApplication application(argc, argv);
    // The application object adopts the user's locale; numbers are always written with a point.
    std::setlocale(LC_NUMERIC, "C");
    return RunBatch(commandLine, &exporter);
  }
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName("Velmora");
  QApplication::setApplicationName("Quorvel");
  QApplication::setWindowIcon(QuorvelIcon());
  QGuiApplication::setDesktopFileName("quorvel");  // the window's icon and name on Wayland
  CQtSettingsStore store;
  CDesktopApp desktop(store, commandLine, &exporter);
  desktop.Start();
  const int status = QApplication::exec();
  return desktop.ExitStatus() != 0 ? desktop.ExitStatus() : status;
}
