// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HelpBrowser.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpBrowser::CHelpBrowser(QWidget* parent) : QDialog(parent) {
  setObjectName("helpBrowser");
  setWindowTitle("Quorvel - User's Guide");
  setModal(false);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("page");
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("Close", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_, 1);
  layout->addWidget(buttons);
}

void CHelpBrowser::ShowPage(const QString& path) {
  browser_->setSource(QUrl::fromLocalFile(path));
}
