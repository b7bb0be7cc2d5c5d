// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LabelListDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/MessageLayout.h"

CLabelListDlg::CLabelListDlg(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setWindowTitle("Label");
  setModal(false);
  count_ = new QLineEdit(this);
  count_->setObjectName("count");
  count_->setReadOnly(true);
  list_ = new QListWidget(this);
  list_->setObjectName("labels");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  copy_ = new QPushButton("Copy", this);
  copy_->setObjectName("copy");
  saveAs_ = new QPushButton("Save as...", this);
  saveAs_->setObjectName("saveAs");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(copy_, &QPushButton::clicked, this, &CLabelListDlg::CopyLabels);
  connect(saveAs_, &QPushButton::clicked, this, [this] {
    if (onSaveAs) onSaveAs();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(copy_);
  buttons->addWidget(saveAs_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(count_);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  resize(260, 360);
  ClearSelection();
}

void CLabelListDlg::ShowSelection(const std::vector<std::string>& labels) {
  count_->setText("n = " + QString::number(static_cast<qlonglong>(labels.size())));
  list_->clear();
  QStringList items;
  items.reserve(static_cast<qsizetype>(labels.size()));
  for (const std::string& label : labels)
    items << ToQString(label);
  list_->addItems(items);
  SetButtons(true);
}

void CLabelListDlg::ClearSelection() {
  count_->setText("n = 0");
  list_->clear();
  SetButtons(false);
}

QString CLabelListDlg::ClipboardText() const {
  QString text;
  for (int k = 0; k < list_->count(); ++k)
    text += list_->item(k)->text() + "\r\n";
  return text;
}

void CLabelListDlg::CopyLabels() {
  QGuiApplication::clipboard()->setText(ClipboardText());
}

void CLabelListDlg::done(int result) {
  QDialog::done(result);
  if (onHidden) onHidden();
}

void CLabelListDlg::SetButtons(bool enabled) {
  copy_->setEnabled(enabled);
  saveAs_->setEnabled(enabled);
}
