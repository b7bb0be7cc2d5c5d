// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string_view>

class QLabel;

// A titled window with one text and "OK" ("WARNING !", "ATTENTION !", "STOP!"). The text keeps
// the layout of its tabs and line feeds.
class CNoticeDlg : public QDialog {
  Q_OBJECT

 public:
  CNoticeDlg(std::string_view title, std::string_view text, QWidget* parent = nullptr);
  QString TextHtml() const;

 private:
  QLabel* text_;
};
