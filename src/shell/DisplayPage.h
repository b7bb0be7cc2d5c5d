// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "settings/DisplaySettings.h"

class CSettingsStore;
class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

// The page "Display" of the settings sheet: cell and tree sizes, the colours of positive and
// negative values with their show switches, the optical spectrum, black for zero, the number of
// levels, the contrast, the background, the colour scale and the shown elements, with "Get",
// "Save" and "Reset".
// It edits a copy of a document's display settings; the colour-channel switches follow every
// change.
class CDisplayPage : public QWidget {
  Q_OBJECT

 public:
  CDisplayPage(const DisplaySettings& display, CSettingsStore& store, QWidget* parent = nullptr);

  const DisplaySettings& Display() const { return display_; }

  // "Get": the defaults, then the stored values. "Save": the stored values. "Reset": the
  // defaults.
  void Get();
  void Save();
  void Reset();

 private:
  void ShowDisplay();
  void Changed();

  DisplaySettings display_;
  CSettingsStore& store_;
  QComboBox* rowHeight_;
  QComboBox* columnWidth_;
  QComboBox* rowsTree_;
  QComboBox* columnsTree_;
  QComboBox* highColor_;
  QComboBox* lowColor_;
  QCheckBox* showPositive_;
  QCheckBox* showNegative_;
  QCheckBox* spectrum_;
  QCheckBox* blackForZero_;
  QComboBox* levels_;
  QSlider* contrastSlider_;
  QSpinBox* contrast_;
  QComboBox* background_;
  QComboBox* colorScale_;
  QCheckBox* showObjectives_;
  QCheckBox* showScale_;
  QCheckBox* showTopFrame_;
};
