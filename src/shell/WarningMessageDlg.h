// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

struct CWarning;
class QLineEdit;

// The numbered warning window: title "WARNING !", a warning icon, the heading and the two lines
// of the message as read-only fields, and "OK".
class CWarningMessageDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CWarningMessageDlg(const CWarning& warning, QWidget* parent = nullptr);

  QString Heading() const;
  QString Line1() const;
  QString Line2() const;

 private:
  QLineEdit* heading_;
  QLineEdit* line1_;
  QLineEdit* line2_;
};
