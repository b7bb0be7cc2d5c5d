// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptionsSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/DisplayPage.h"
#include "shell/MessageLayout.h"

COptionsSheet::COptionsSheet(const TreatmentSettings& treatment, const DisplaySettings& display,
                             const CTreatmentPageFlags& flags, CSettingsStore& store,
                             CServices& services, Page first, QWidget* parent)
    : QDialog(parent), display_(display) {
  setWindowTitle("Options and Settings ...");
  Build();
  treatmentPage_ = new CTreatmentPage(treatment, flags, store, services, tabs_);
  displayPage_ = new CDisplayPage(display, store, tabs_);
  tabs_->addTab(treatmentPage_, "Treatment");
  tabs_->addTab(displayPage_, "Display");
  tabs_->setCurrentWidget(first == Page::kDisplay ? static_cast<QWidget*>(displayPage_)
                                                  : treatmentPage_);
}

COptionsSheet::COptionsSheet(const std::string& path, const TreatmentSettings& treatment,
                             CSettingsStore& store, CServices& services, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Options...  ( " + ToQString(path) + " )");
  Build();
  treatmentPage_ = new CTreatmentPage(treatment, CTreatmentPageFlags{}, store, services, tabs_);
  tabs_->addTab(treatmentPage_, "Treatment");
}

void COptionsSheet::Build() {
  tabs_ = new QTabWidget(this);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons);
}

TreatmentSettings COptionsSheet::Treatment() const {
  return treatmentPage_->Settings();
}

DisplaySettings COptionsSheet::Display() const {
  return displayPage_ ? displayPage_->Display() : display_;
}

void COptionsSheet::accept() {
  if (!treatmentPage_->Accept()) return;
  QDialog::accept();
}

std::optional<CEditedSettings> COptionsSheet::Edit(const TreatmentSettings& treatment,
                                                   const DisplaySettings& display,
                                                   const CTreatmentPageFlags& flags,
                                                   CSettingsStore& store, CServices& services,
                                                   Page first, QWidget* parent) {
  COptionsSheet sheet(treatment, display, flags, store, services, first, parent);
  if (sheet.exec() != QDialog::Accepted) return std::nullopt;
  return CEditedSettings{sheet.Treatment(), sheet.Display()};
}

std::optional<TreatmentSettings> COptionsSheet::EditBeforeReading(
    const std::string& path, const TreatmentSettings& treatment, CSettingsStore& store,
    CServices& services, QWidget* parent) {
  COptionsSheet sheet(path, treatment, store, services, parent);
  if (sheet.exec() != QDialog::Accepted) return std::nullopt;
  return sheet.Treatment();
}
