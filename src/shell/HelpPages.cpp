// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// How long the desktop may take to say which program opens web pages.
constexpr int kDesktopQueryMs = 3000;

}  // namespace

#ifndef QUORVEL_INSTALLED_DOCS
#define QUORVEL_INSTALLED_DOCS "../share/doc/quorvel"
#endif

QString HelpPagePath(const QString& page) {
  return HelpPagePath(page, QCoreApplication::applicationDirPath());
}

QString HelpPagePath(const QString& page, const QString& programDir) {
  // The installed guide first, so that an installed program never shows the pages of the source
  // tree it was built from; the source tree's guide serves runs from the build folder.
  const QStringList folders = {programDir + "/" QUORVEL_INSTALLED_DOCS, programDir + "/docs",
                               QStringLiteral(QUORVEL_DOCS_DIR)};
  for (const QString& folder : folders) {
    const QFileInfo file(QDir(folder).filePath(page));
    if (file.isFile()) return file.absoluteFilePath();
  }
  return {};
}

bool DesktopOpensWebPages() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  return true;
#else
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  const QString mime = QStandardPaths::findExecutable("xdg-mime");
  if (mime.isEmpty()) return !QStandardPaths::findExecutable("xdg-open").isEmpty();
  QProcess query;
  query.start(mime, {"query", "default", "text/html"});
  if (!query.waitForFinished(kDesktopQueryMs) || query.exitCode() != 0) return false;
  return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}
