// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/NoticeDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/MessageLayout.h"
#include "shell/MessageWindowFrame.h"

CNoticeDlg::CNoticeDlg(std::string_view title, std::string_view text, QWidget* parent)
    : QDialog(parent) {
  QHBoxLayout* body = StartWarningWindow(this, nullptr);
  setWindowTitle(ToQString(title));
  text_ = new QLabel(this);
  text_->setObjectName("text");
  text_->setTextFormat(Qt::RichText);
  text_->setText(MessageLayoutHtml(text));
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  body->addWidget(text_, 1);
  auto* buttons = new QDialogButtonBox(this);
  AddOkButton(this, buttons);
  FinishWarningWindow(this, body, buttons);
}

QString CNoticeDlg::TextHtml() const {
  return text_->text();
}
