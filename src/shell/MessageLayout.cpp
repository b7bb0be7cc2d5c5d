// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MessageLayout.h"

#include <QStringList>

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MessageLayoutHtml(std::string_view text) {
  const QStringList lines = ToQString(text).split('\n');
  QString html = "<table cellspacing=\"0\" cellpadding=\"0\">";
  for (const QString& line : lines) {
    html += "<tr>";
    const QStringList cells = line.split('\t');
    for (const QString& cell : cells) {
      // An empty row keeps its height: the texts use blank lines as spacing.
      const QString shown = cell.isEmpty() ? QString("&nbsp;") : cell.toHtmlEscaped();
      html += "<td style=\"padding-right: 16px\">" + shown + "</td>";
    }
    html += "</tr>";
  }
  html += "</table>";
  return html;
}
