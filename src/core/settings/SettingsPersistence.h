// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/DisplaySettings.h"
#include "settings/SettingsStore.h"
#include "settings/TreatmentSettings.h"

inline constexpr const char* kTreatmentSection = "Settings\\Treatement";
inline constexpr const char* kDisplaySection = "Settings\\Display";
// A stored value equal to this sentinel counts as absent.
inline constexpr int kAbsentValue = -99999;

// The built-in defaults; the data group only when `withDataGroup`.
void ResetTreatmentSettings(TreatmentSettings& settings, bool withDataGroup);
void ResetDisplaySettings(DisplaySettings& display);

// Defaults, then every stored value that is present (the data group only when `withDataGroup`).
void LoadTreatmentSettings(CSettingsStore& store, TreatmentSettings& settings, bool withDataGroup);
void LoadDisplaySettings(CSettingsStore& store, DisplaySettings& display);

// The fifteen treatment values the program writes (never TitleCol, TitleRow, ExportFileFormat).
void SaveTreatmentSettings(CSettingsStore& store, const TreatmentSettings& settings);
void SaveDisplaySettings(CSettingsStore& store, const DisplaySettings& display);

// Written on their own: the two dissimilarity file names (on OK with dissimilarities read from
// files) and the start-up switch (inverted and written at once by its check box).
void SaveDissimilarityFileNames(CSettingsStore& store, const TreatmentSettings& settings);
void ToggleShowOptionsAtStart(CSettingsStore& store, TreatmentSettings& settings);
