// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsPersistence.h"

namespace {

void ReadInto(CSettingsStore& store, const char* section, const char* name, int& field) {
  const int stored = store.ReadInt(section, name, kAbsentValue);
  if (stored != kAbsentValue) field = stored;
}

// A choice reads its stored code, whatever the code is.
template <typename E>
void ReadInto(CSettingsStore& store, const char* section, const char* name, E& field) {
  int code = CodeOf(field);
  ReadInto(store, section, name, code);
  field = ChoiceOf<E>(code);
}

void ReadInto(CSettingsStore& store, const char* section, const char* name, std::string& field) {
  field = store.ReadString(section, name, field);
}

}  // namespace

void ResetTreatmentSettings(TreatmentSettings& settings, bool withDataGroup) {
  const TreatmentSettings defaults;
  TreatmentSettings result = defaults;
  if (!withDataGroup) {
    result.DataType = settings.DataType;
    result.SeparateurBlanc = settings.SeparateurBlanc;
    result.TitleCol = settings.TitleCol;
    result.TitleRow = settings.TitleRow;
    result.DataRepresentation = settings.DataRepresentation;
    result.Dissimilarity = settings.Dissimilarity;
    result.RowDissimilarityFileName = settings.RowDissimilarityFileName;
    result.ColDissimilarityFileName = settings.ColDissimilarityFileName;
    result.Prototypes = settings.Prototypes;
    result.ShowWindowsOptionsDlgAtStartTime = settings.ShowWindowsOptionsDlgAtStartTime;
  }
  settings = std::move(result);
}

void ResetDisplaySettings(DisplaySettings& display) {
  display = DisplaySettings{};
}

void LoadTreatmentSettings(CSettingsStore& store, TreatmentSettings& settings, bool withDataGroup) {
  ResetTreatmentSettings(settings, withDataGroup);
  const char* s = kTreatmentSection;
  if (withDataGroup) {
    ReadInto(store, s, "DataRepresentation", settings.DataRepresentation);
    ReadInto(store, s, "DataType", settings.DataType);
    ReadInto(store, s, "Dissimilarity", settings.Dissimilarity);
    ReadInto(store, s, "SeparateurBlanc", settings.SeparateurBlanc);
    ReadInto(store, s, "TitleCol", settings.TitleCol);
    ReadInto(store, s, "TitleRow", settings.TitleRow);
    ReadInto(store, s, "RowDissimilarityFileName", settings.RowDissimilarityFileName);
    ReadInto(store, s, "ColDissimilarityFileName", settings.ColDissimilarityFileName);
    ReadInto(store, s, "ShowWindowsOptionsDlgAtStartTime",
             settings.ShowWindowsOptionsDlgAtStartTime);
  }
  ReadInto(store, s, "AgregationCriterion", settings.AgregationCriterion);
  ReadInto(store, s, "AutomationCol", settings.AutomationCol);
  ReadInto(store, s, "AutomationRow", settings.AutomationRow);
  ReadInto(store, s, "ClusteringAutomationCol", settings.ClusteringAutomationCol);
  ReadInto(store, s, "ClusteringAutomationRow", settings.ClusteringAutomationRow);
  ReadInto(store, s, "ExportFileFormat", settings.ExportFileFormat);
  ReadInto(store, s, "Improve", settings.Improve);
  ReadInto(store, s, "SeriationAutomationCol", settings.SeriationAutomationCol);
  ReadInto(store, s, "SeriationAutomationRow", settings.SeriationAutomationRow);
  ReadInto(store, s, "SeriationOptimMethode", settings.SeriationOptimMethode);
  ReadInto(store, s, "SetSeriationCriterion", settings.SetSeriationCriterion);
  ReadInto(store, s, "TreeSeriationCriterion", settings.TreeSeriationCriterion);
}

void SaveTreatmentSettings(CSettingsStore& store, const TreatmentSettings& settings) {
  const char* s = kTreatmentSection;
  store.WriteInt(s, "AgregationCriterion", CodeOf(settings.AgregationCriterion));
  store.WriteInt(s, "AutomationCol", settings.AutomationCol);
  store.WriteInt(s, "AutomationRow", settings.AutomationRow);
  store.WriteInt(s, "ClusteringAutomationCol", settings.ClusteringAutomationCol);
  store.WriteInt(s, "ClusteringAutomationRow", settings.ClusteringAutomationRow);
  store.WriteInt(s, "DataRepresentation", settings.DataRepresentation);
  store.WriteInt(s, "DataType", CodeOf(settings.DataType));
  store.WriteInt(s, "Dissimilarity", CodeOf(settings.Dissimilarity));
  store.WriteInt(s, "Improve", settings.Improve);
  store.WriteInt(s, "SeparateurBlanc", settings.SeparateurBlanc);
  store.WriteInt(s, "SeriationAutomationCol", settings.SeriationAutomationCol);
  store.WriteInt(s, "SeriationAutomationRow", settings.SeriationAutomationRow);
  store.WriteInt(s, "SeriationOptimMethode", CodeOf(settings.SeriationOptimMethode));
  store.WriteInt(s, "SetSeriationCriterion", CodeOf(settings.SetSeriationCriterion));
  store.WriteInt(s, "TreeSeriationCriterion", CodeOf(settings.TreeSeriationCriterion));
}

void LoadDisplaySettings(CSettingsStore& store, DisplaySettings& display) {
  ResetDisplaySettings(display);
  const char* s = kDisplaySection;
  ReadInto(store, s, "hx", display.hx);
  ReadInto(store, s, "hy", display.hy);
  ReadInto(store, s, "BkColor", display.BkColor);
  ReadInto(store, s, "m_intColorHighValue", display.m_intColorHighValue);
  ReadInto(store, s, "m_intColorLowValue", display.m_intColorLowValue);
  ReadInto(store, s, "m_intColorNumberOfNuances", display.m_intColorNumberOfNuances);
  ReadInto(store, s, "m_intColumnsTreeSize", display.m_intColumnsTreeSize);
  ReadInto(store, s, "ContrastColor", display.ContrastColor);
  ReadInto(store, s, "m_intNumberOfNuances", display.m_intNumberOfNuances);
  ReadInto(store, s, "m_intRowsTreeSize", display.m_intRowsTreeSize);
  ReadInto(store, s, "m_bShowObjectiveFunctionsValue", display.m_bShowObjectiveFunctionsValue);
  ReadInto(store, s, "m_bShowScale", display.m_bShowScale);
  ReadInto(store, s, "m_bShowTopFrame", display.m_bShowTopFrame);
  ReadInto(store, s, "B_h", display.B_h);
  ReadInto(store, s, "G_h", display.G_h);
  ReadInto(store, s, "R_h", display.R_h);
  ReadInto(store, s, "B_l", display.B_l);
  ReadInto(store, s, "G_l", display.G_l);
  ReadInto(store, s, "R_l", display.R_l);
  ReadInto(store, s, "ColorScale", display.colorScale);
  // Values written by other tools (or by hand) could make pictures of any size.
  ClampSizes(display);
  display.savedHighColor = display.m_intColorHighValue;
  display.savedLowColor = display.m_intColorLowValue;
}

void SaveDisplaySettings(CSettingsStore& store, const DisplaySettings& display) {
  const char* s = kDisplaySection;
  store.WriteInt(s, "hx", display.hx);
  store.WriteInt(s, "hy", display.hy);
  store.WriteInt(s, "BkColor", display.BkColor);
  store.WriteInt(s, "m_intColorHighValue", display.m_intColorHighValue);
  store.WriteInt(s, "m_intColorLowValue", display.m_intColorLowValue);
  store.WriteInt(s, "m_intColorNumberOfNuances", display.m_intColorNumberOfNuances);
  store.WriteInt(s, "m_intColumnsTreeSize", display.m_intColumnsTreeSize);
  store.WriteInt(s, "ContrastColor", display.ContrastColor);
  store.WriteInt(s, "m_intNumberOfNuances", display.m_intNumberOfNuances);
  store.WriteInt(s, "m_intRowsTreeSize", display.m_intRowsTreeSize);
  store.WriteInt(s, "m_bShowObjectiveFunctionsValue", display.m_bShowObjectiveFunctionsValue);
  store.WriteInt(s, "m_bShowScale", display.m_bShowScale);
  store.WriteInt(s, "m_bShowTopFrame", display.m_bShowTopFrame);
  store.WriteInt(s, "B_h", display.B_h);
  store.WriteInt(s, "G_h", display.G_h);
  store.WriteInt(s, "R_h", display.R_h);
  store.WriteInt(s, "B_l", display.B_l);
  store.WriteInt(s, "G_l", display.G_l);
  store.WriteInt(s, "R_l", display.R_l);
  store.WriteInt(s, "ColorScale", CodeOf(display.colorScale));
}

void SaveDissimilarityFileNames(CSettingsStore& store, const TreatmentSettings& settings) {
  store.WriteString(kTreatmentSection, "RowDissimilarityFileName",
                    settings.RowDissimilarityFileName);
  store.WriteString(kTreatmentSection, "ColDissimilarityFileName",
                    settings.ColDissimilarityFileName);
}

void ToggleShowOptionsAtStart(CSettingsStore& store, TreatmentSettings& settings) {
  settings.ShowWindowsOptionsDlgAtStartTime = settings.ShowWindowsOptionsDlgAtStartTime ? 0 : 1;
  store.WriteInt(kTreatmentSection, "ShowWindowsOptionsDlgAtStartTime",
                 settings.ShowWindowsOptionsDlgAtStartTime);
}
