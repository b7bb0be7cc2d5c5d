// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "settings/TreatmentSettings.h"

class CServices;
class CSettingsStore;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

// What the treatment page needs to know of the document it edits.
struct CTreatmentPageFlags {
  // The document has a window already: the data group (how the file is read) is fixed.
  bool dataGroupLocked = false;
  // The active side of the active window has aggregated groups: minimum path length is not
  // offered as a tree-seriation rule.
  bool aggregatedGroups = false;
};

// The page "Treatment" of the settings sheets: data (type, representation and dissimilarity per
// type, the prototypes of very large numerical tables, delimiters, titles, dissimilarity files),
// linkage rule, seriation rule, tree-seriation
// rule and automation, with "Get", "Save", "Reset" and "Show this window at startup?". It edits a
// copy of a document's treatment settings. Codes the lists do not offer (a rule or a measure set
// on the command line) are shown and kept as they are.
class CTreatmentPage : public QWidget {
  Q_OBJECT

 public:
  CTreatmentPage(const TreatmentSettings& settings, const CTreatmentPageFlags& flags,
                 CSettingsStore& store, CServices& services, QWidget* parent = nullptr);

  // The settings as the controls show them now.
  TreatmentSettings Settings() const;

  // The checks of "OK": with dissimilarities read from files (while the data group is open),
  // both files must open for reading, else their message box is shown and false returned (the
  // sheet stays open); the file names are then written to the store.
  bool Accept();

  // "Get": the stored settings (the data group only while it is open). "Save": the fifteen
  // treatment values to the store. "Reset": the defaults (the data group only while open).
  void Get();
  void Save();
  void Reset();

 private:
  QWidget* MakeDataTab();
  QWidget* MakeLinkageTab();
  QWidget* MakeSeriationTab();
  QWidget* MakeTreeSeriationTab();
  QWidget* MakeAutomationTab();
  void ShowSettings();
  void ShowSeriationRule(ESeriation rule);
  void ReadControls(TreatmentSettings& settings) const;
  void UpdateEnables();
  void Browse(QLineEdit* field);

  TreatmentSettings settings_;
  CTreatmentPageFlags flags_;
  CSettingsStore& store_;
  CServices& services_;

  QWidget* dataTab_ = nullptr;
  QListWidget* dataTypes_ = nullptr;
  QStackedWidget* typePages_ = nullptr;
  std::array<QComboBox*, 4> representations_{};  // none for binary data
  std::array<QComboBox*, 4> dissimilarities_{};
  QCheckBox* blank_ = nullptr;
  QCheckBox* titleCol_ = nullptr;
  QCheckBox* titleRow_ = nullptr;
  QCheckBox* prototypes_ = nullptr;  // numerical rows summarised by weighted prototypes
  QSpinBox* prototypeCount_ = nullptr;
  QLineEdit* rowFile_ = nullptr;
  QLineEdit* colFile_ = nullptr;
  QButtonGroup* linkage_ = nullptr;
  QButtonGroup* seriation_ = nullptr;
  QVBoxLayout* seriationLayout_ = nullptr;
  QButtonGroup* optimization_ = nullptr;
  QGroupBox* optimizationBox_ = nullptr;
  QGroupBox* improveBox_ = nullptr;
  QCheckBox* improve_ = nullptr;
  QButtonGroup* treeSeriation_ = nullptr;
  std::array<QCheckBox*, 6> automation_{};
  QCheckBox* showAtStartup_ = nullptr;
};
