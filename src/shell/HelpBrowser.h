// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

// A window of the program that shows a page of the guide, for desktops without a browser for
// web pages. Links between the pages of the guide are followed inside it.
class CHelpBrowser : public QDialog {
  Q_OBJECT

 public:
  explicit CHelpBrowser(QWidget* parent = nullptr);
  void ShowPage(const QString& path);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};
