#include "shell/HelpPages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString HelpPagePath(const QString& page) {
  const QString programDir = QCoreApplication::applicationDirPath();
  const QStringList folders = {programDir + "/docs", programDir + "/../share/quorvel/docs",
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
