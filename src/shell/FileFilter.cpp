// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FileFilter.h"

#include <QStringList>

#include "shell/MessageLayout.h"

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = ToQString(filter).split('|');
  QStringList result;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    QString name = parts[k].trimmed();
    if (name.isEmpty()) break;  // the closing "||"
    QStringList patterns;
    for (QString pattern : parts[k + 1].split(';', Qt::SkipEmptyParts)) {
      pattern = pattern.trimmed();
      // "*.*" matches every name on the platforms the program runs on.
      if (pattern == "*.*") pattern = "*";
      if (!pattern.isEmpty()) patterns << pattern;
    }
    if (patterns.isEmpty()) patterns << "*";
    if (name.endsWith(')')) {
      const qsizetype open = name.lastIndexOf('(');
      if (open > 0) name = name.left(open).trimmed();
    }
    result << name + " (" + patterns.join(' ') + ")";
  }
  return result.join(";;");
}
