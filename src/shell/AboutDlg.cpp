// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QtGlobal>
#include <cstdio>

#include <jpeglib.h>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Quorvel");
  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(Text(), this);
  text->setObjectName("text");
  text->setTextFormat(Qt::RichText);
  text->setWordWrap(true);
  text->setMinimumWidth(380);
  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addWidget(text, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::Text() {
  // 62 is "6b", 80 is "8".
  QString jpegVersion = QString::number(JPEG_LIB_VERSION / 10);
  if (JPEG_LIB_VERSION % 10 != 0) jpegVersion += QChar('a' + JPEG_LIB_VERSION % 10 - 1);
  return "<p><b>Quorvel</b> version " QUORVEL_VERSION
         "</p>"
         "<p>Exploratory analysis of data tables by seriation and hierarchical clustering.</p>"
         "<p>Copyright &copy; Velmora.<br>Licence: GNU General Public License, version 3 or "
         "later (GPL-3.0-or-later); the program comes with no warranty.</p>"
         "<p>Built with:</p><ul>"
         "<li>Qt " +
         QString(qVersion()) +
         " (GNU Lesser General Public License version 3), for the windows, drawing and "
         "settings;</li>"
         "<li>libjpeg " +
         jpegVersion +
         ": this software is based in part on the work of the Independent JPEG Group;</li>"
         "<li>Quorvel's own code for reading data, dissimilarities, clustering, seriation, "
         "drawing and PostScript and BMP output.</li></ul>";
}
