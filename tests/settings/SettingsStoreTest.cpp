// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "settings/Choices.h"
#include "settings/SettingsPersistence.h"

TEST(Settings, FirstRunWithEmptyStoreGivesTheDefaults) {
  CMemorySettingsStore store;
  TreatmentSettings settings;
  settings.Dissimilarity = EDissimilarity::kManhattan;
  LoadTreatmentSettings(store, settings, true);
  EXPECT_EQ(settings.Dissimilarity, EDissimilarity::kEuclidean);
  EXPECT_EQ(settings.AgregationCriterion, ELinkage::kMcQuitty);
  EXPECT_EQ(settings.SeparateurBlanc, 1);
  EXPECT_EQ(settings.TitleCol, 1);
  EXPECT_EQ(settings.TitleRow, 1);
  EXPECT_EQ(settings.AutomationRow + settings.AutomationCol + settings.ClusteringAutomationRow +
                settings.ClusteringAutomationCol + settings.SeriationAutomationRow +
                settings.SeriationAutomationCol,
            0);
  DisplaySettings display;
  LoadDisplaySettings(store, display);
  EXPECT_EQ(display.hx, 12);
  EXPECT_EQ(display.m_intColorLowValue, 2);
  EXPECT_EQ(display.m_intNumberOfNuances, 255);
  EXPECT_EQ(display.ContrastColor, 50);
}

TEST(Settings, StoredValuesWinAndTheSentinelCountsAsAbsent) {
  CMemorySettingsStore store;
  store.WriteInt(kTreatmentSection, "TitleCol", 0);  // written by another tool
  store.WriteInt(kTreatmentSection, "Dissimilarity", kAbsentValue);
  store.WriteInt(kDisplaySection, "hy", 48);
  store.WriteInt(kDisplaySection, "ContrastColor", kAbsentValue);
  TreatmentSettings settings;
  LoadTreatmentSettings(store, settings, true);
  EXPECT_EQ(settings.TitleCol, 0);
  EXPECT_EQ(settings.Dissimilarity, EDissimilarity::kEuclidean);
  DisplaySettings display;
  LoadDisplaySettings(store, display);
  EXPECT_EQ(display.hy, 48);
  EXPECT_EQ(display.ContrastColor, 50);
}

TEST(Settings, SaveWritesTheFifteenTreatmentNamesOnly) {
  CMemorySettingsStore store;
  TreatmentSettings settings;
  SaveTreatmentSettings(store, settings);
  EXPECT_EQ(store.Size(), 15u);
  for (const char* name : {"TitleCol", "TitleRow", "ExportFileFormat",
                           "ShowWindowsOptionsDlgAtStartTime", "RowDissimilarityFileName"}) {
    EXPECT_FALSE(store.Contains(kTreatmentSection, name)) << name;
  }
  for (const char* name : {"AgregationCriterion", "DataType", "SeparateurBlanc",
                           "SeriationOptimMethode", "TreeSeriationCriterion"}) {
    EXPECT_TRUE(store.Contains(kTreatmentSection, name)) << name;
  }
}

TEST(Settings, DisplayRoundTripsThroughTheStore) {
  CMemorySettingsStore store;
  DisplaySettings display;
  display.hx = 6;
  display.BkColor = 3;
  display.m_bShowScale = 0;
  display.m_intRowsTreeSize = 40;
  display.colorScale = EColorScale::kCividis;
  DeriveColorSwitches(display);
  SaveDisplaySettings(store, display);
  // The nineteen historical values, and the colour scale beside them.
  EXPECT_EQ(store.Size(), 20u);
  EXPECT_EQ(store.ReadInt(kDisplaySection, "ColorScale", kAbsentValue), 2);
  DisplaySettings loaded;
  LoadDisplaySettings(store, loaded);
  EXPECT_EQ(loaded.colorScale, EColorScale::kCividis);
  EXPECT_EQ(loaded.hx, 6);
  EXPECT_EQ(loaded.BkColor, 3);
  EXPECT_EQ(loaded.m_bShowScale, 0);
  EXPECT_EQ(loaded.m_intRowsTreeSize, 40);
  EXPECT_EQ(loaded.R_h, 1);
  EXPECT_EQ(loaded.G_l, 1);
}

TEST(Settings, DataGroupIsLoadedAndResetOnlyWhenAsked) {
  CMemorySettingsStore store;
  store.WriteInt(kTreatmentSection, "DataType", 3);
  store.WriteInt(kTreatmentSection, "AgregationCriterion", 4);
  TreatmentSettings settings;
  settings.DataType = EDataType::kBinary;
  LoadTreatmentSettings(store, settings, false);
  EXPECT_EQ(settings.DataType, EDataType::kBinary);
  EXPECT_EQ(settings.AgregationCriterion, ELinkage::kWard);
  LoadTreatmentSettings(store, settings, true);
  EXPECT_EQ(settings.DataType, EDataType::kContingency);
  settings.Improve = 0;
  ResetTreatmentSettings(settings, false);
  EXPECT_EQ(settings.DataType, EDataType::kContingency);
  EXPECT_EQ(settings.Improve, 1);
  ResetTreatmentSettings(settings, true);
  EXPECT_EQ(settings.DataType, EDataType::kNumerical);
}

TEST(Settings, ShowAtStartupToggleWritesEachTime) {
  CMemorySettingsStore store;
  TreatmentSettings settings;
  ToggleShowOptionsAtStart(store, settings);
  EXPECT_EQ(store.ReadInt(kTreatmentSection, "ShowWindowsOptionsDlgAtStartTime", -1), 0);
  ToggleShowOptionsAtStart(store, settings);
  EXPECT_EQ(settings.ShowWindowsOptionsDlgAtStartTime, 1);
  EXPECT_EQ(store.WriteCount(), 2);
}

TEST(Settings, FileNamesAreStringsWrittenOnTheirOwn) {
  CMemorySettingsStore store;
  TreatmentSettings settings;
  settings.RowDissimilarityFileName = "/data/rows.txt";
  SaveDissimilarityFileNames(store, settings);
  TreatmentSettings loaded;
  LoadTreatmentSettings(store, loaded, true);
  EXPECT_EQ(loaded.RowDissimilarityFileName, "/data/rows.txt");
  EXPECT_EQ(loaded.ColDissimilarityFileName, "");
}

TEST(Choices, ColourSwitchesFollowTheIndices) {
  DisplaySettings display;
  display.m_intColorHighValue = 5;  // magenta
  display.m_intColorLowValue = kNoScaleColor;
  DeriveColorSwitches(display);
  EXPECT_EQ(display.R_h + 2 * display.G_h + 4 * display.B_h, 1 + 4);
  EXPECT_EQ(display.R_l + display.G_l + display.B_l, 0);
}

TEST(Choices, LabelsKeepTheirBlanksAndUnknownCodesAreEmpty) {
  EXPECT_STREQ(LinkageLabel(ELinkage::kMcQuitty), " McQuitty's criteria");
  EXPECT_STREQ(SeriationLabel(2), " Inertia around diagonal ");
  EXPECT_STREQ(SeriationShortLabel(99), " ");
  EXPECT_STREQ(SeriationLabel(5), "");
  EXPECT_STREQ(DissimilarityLabel(EDissimilarity::kFromFiles), "Readed distances.");
  EXPECT_STREQ(DissimilarityShortLabel(EDissimilarity::kSquaredPearson), " Pearson2");
  EXPECT_STREQ(TransformationLabel(3), " Normalize columns (Z-score scaling)");
  EXPECT_STREQ(FindExportFormat(EExportFormat::kPostScript)->caption,
               "Export as Posccript File  (*.ps)");
}
