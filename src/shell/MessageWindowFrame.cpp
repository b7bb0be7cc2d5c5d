// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MessageWindowFrame.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QHBoxLayout* StartWarningWindow(QDialog* dialog, const char* title) {
  if (title != nullptr) dialog->setWindowTitle(title);
  dialog->setModal(true);
  auto* icon = new QLabel(dialog);
  QStyle* style = dialog->style();
  const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, dialog);
  icon->setPixmap(style->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  return body;
}

QPushButton* AddOkButton(QDialog* dialog, QDialogButtonBox* buttons) {
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  return ok;
}

void FinishWarningWindow(QDialog* dialog, QHBoxLayout* body, QDialogButtonBox* buttons) {
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
