// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WarningMessageDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "base/Failure.h"
#include "shell/MessageLayout.h"
#include "shell/MessageWindowFrame.h"

namespace {

QLineEdit* ReadOnlyLine(const std::string& text, QWidget* parent) {
  auto* field = new QLineEdit(ToQString(text), parent);
  field->setReadOnly(true);
  field->setFrame(false);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(field->text()) + 24);
  field->setCursorPosition(0);
  return field;
}

}  // namespace

CWarningMessageDlg::CWarningMessageDlg(const CWarning& warning, QWidget* parent) : QDialog(parent) {
  QHBoxLayout* body = StartWarningWindow(this, "WARNING !");

  heading_ = ReadOnlyLine(warning.heading, this);
  heading_->setObjectName("heading");
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  line1_ = ReadOnlyLine(warning.line1, this);
  line1_->setObjectName("line1");
  line2_ = ReadOnlyLine(warning.line2, this);
  line2_->setObjectName("line2");

  auto* lines = new QVBoxLayout;
  lines->addWidget(heading_);
  lines->addWidget(line1_);
  lines->addWidget(line2_);
  // What exactly went wrong and what to do, after the three lines of the message.
  if (!warning.detail.empty()) {
    auto* detail = new QLabel(ToQString(warning.detail), this);
    detail->setObjectName("detail");
    detail->setWordWrap(true);
    detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    detail->setMinimumWidth(360);
    lines->addWidget(detail);
  }
  body->addLayout(lines, 1);
  auto* buttons = new QDialogButtonBox(this);
  AddOkButton(this, buttons);
  FinishWarningWindow(this, body, buttons);
}

QString CWarningMessageDlg::Heading() const {
  return heading_->text();
}
QString CWarningMessageDlg::Line1() const {
  return line1_->text();
}
QString CWarningMessageDlg::Line2() const {
  return line2_->text();
}
