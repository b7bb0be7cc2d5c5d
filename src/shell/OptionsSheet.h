// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"
#include "shell/TreatmentPage.h"

class CDisplayPage;
class CServices;
class CSettingsStore;
class QTabWidget;

// Both records as the settings sheet leaves them on OK.
struct CEditedSettings {
  TreatmentSettings treatment;
  DisplaySettings display;
};

// The settings sheets. "Options and Settings ..." holds the pages "Treatment" and "Display" on
// copies of a document's records; "Options...  ( path )" holds the treatment page alone and is
// shown before a file is read. OK runs the treatment page's checks and closes only when they
// pass; Cancel leaves the records as they were.
class COptionsSheet : public QDialog {
  Q_OBJECT

 public:
  enum class Page { kTreatment, kDisplay };

  // The sheet of both pages, opened on `first`.
  COptionsSheet(const TreatmentSettings& treatment, const DisplaySettings& display,
                const CTreatmentPageFlags& flags, CSettingsStore& store, CServices& services,
                Page first = Page::kTreatment, QWidget* parent = nullptr);
  // The treatment page alone, before the file `path` is read.
  COptionsSheet(const std::string& path, const TreatmentSettings& treatment, CSettingsStore& store,
                CServices& services, QWidget* parent = nullptr);

  CTreatmentPage& TreatmentPage() const { return *treatmentPage_; }
  CDisplayPage* DisplayPage() const { return displayPage_; }
  QTabWidget* Tabs() const { return tabs_; }

  TreatmentSettings Treatment() const;
  // The edited display record (the one given when the sheet has no display page).
  DisplaySettings Display() const;

  void accept() override;

  // The settings commands: shows the sheet of both pages and returns the edited records on OK,
  // nothing on Cancel. The caller compares them with its own to see what changed.
  static std::optional<CEditedSettings> Edit(const TreatmentSettings& treatment,
                                             const DisplaySettings& display,
                                             const CTreatmentPageFlags& flags,
                                             CSettingsStore& store, CServices& services, Page first,
                                             QWidget* parent);
  // Before a file is read: the treatment page alone; nothing when the user cancels.
  static std::optional<TreatmentSettings> EditBeforeReading(const std::string& path,
                                                            const TreatmentSettings& treatment,
                                                            CSettingsStore& store,
                                                            CServices& services, QWidget* parent);

 private:
  void Build();
  QTabWidget* tabs_ = nullptr;
  CTreatmentPage* treatmentPage_ = nullptr;
  CDisplayPage* displayPage_ = nullptr;
  DisplaySettings display_;
};
