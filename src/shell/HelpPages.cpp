#include "shell/HelpPages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

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

bool OpenHelpPage(const QString& page) {
  const QString path = HelpPagePath(page);
  if (path.isEmpty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
