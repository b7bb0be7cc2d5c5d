// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ExportDlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/Choices.h"

namespace {

constexpr double kLargestSizeMm = 10000.0;

}  // namespace

CExportDlg::CExportDlg(const CExportChoice& previous, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Export Active View");
  auto* layout = new QVBoxLayout(this);
  formats_ = new QButtonGroup(this);
  for (const CExportFormat& format : ExportFormats()) {
    auto* button = new QRadioButton(QString::fromUtf8(format.caption), this);
    button->setObjectName(QString("format%1").arg(CodeOf(format.code)));
    formats_->addButton(button, CodeOf(format.code));
    layout->addWidget(button);
  }

  sizeFields_ = new QWidget(this);
  sizeFields_->setObjectName("sizeFields");
  auto* grid = new QGridLayout(sizeFields_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Final size:", sizeFields_), 0, 0, 1, 3);
  const auto sizeField = [this](const char* name, double value) {
    auto* field = new QDoubleSpinBox(sizeFields_);
    field->setObjectName(name);
    field->setDecimals(1);
    field->setRange(0.0, kLargestSizeMm);
    field->setValue(value);
    return field;
  };
  width_ = sizeField("width", previous.widthMm);
  height_ = sizeField("height", previous.heightMm);
  grid->addWidget(new QLabel("Width", sizeFields_), 1, 0);
  grid->addWidget(width_, 1, 1);
  grid->addWidget(new QLabel("mm", sizeFields_), 1, 2);
  grid->addWidget(new QLabel("Height", sizeFields_), 2, 0);
  grid->addWidget(height_, 2, 1);
  grid->addWidget(new QLabel("mm", sizeFields_), 2, 2);
  layout->addWidget(sizeFields_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(formats_, &QButtonGroup::idToggled, this, [this] { UpdateSizeFields(); });
  SetFormat(FindExportFormat(previous.format) ? previous.format : EExportFormat::kClipboard);
}

void CExportDlg::SetFormat(EExportFormat format) {
  if (QAbstractButton* button = formats_->button(CodeOf(format))) button->setChecked(true);
  UpdateSizeFields();
}

void CExportDlg::UpdateSizeFields() {
  const bool postScript = formats_->checkedId() == CodeOf(EExportFormat::kPostScript);
  sizeFields_->setVisible(postScript);
  sizeFields_->setEnabled(postScript);
}

CExportChoice CExportDlg::Choice() const {
  return CExportChoice{ChoiceOf<EExportFormat>(formats_->checkedId()), width_->value(),
                       height_->value()};
}

std::optional<CExportChoice> CExportDlg::Ask(const CExportChoice& previous, QWidget* parent) {
  CExportDlg dialog(previous, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}
