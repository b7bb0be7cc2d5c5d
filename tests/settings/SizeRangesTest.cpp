// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "settings/Keywords.h"
#include "settings/SettingsPersistence.h"

namespace {

DisplaySettings Applied(const std::vector<std::string>& arguments) {
  TreatmentSettings settings;
  DisplaySettings display;
  ApplyKeywords(ScanCommandLine(arguments), settings, display);
  return display;
}

}  // namespace

TEST(SizeRanges, CellSizesFromTheCommandLineStayInTheirRange) {
  EXPECT_EQ(Applied({"f", "-ColWidthValue", "2147483647"}).hx, 500);
  EXPECT_EQ(Applied({"f", "-RowHeightValue", "99999999999999"}).hy, 500);
  EXPECT_EQ(Applied({"f", "-RowHeightValue", "-7"}).hy, 1);
  EXPECT_EQ(Applied({"f", "-ColWidthValue", "500"}).hx, 500);
  EXPECT_EQ(Applied({"f", "-ColWidthValue", "501"}).hx, 500);
  EXPECT_EQ(Applied({"f", "-ColWidthValue", "300"}).hx, 300);
}

TEST(SizeRanges, StoredCellAndTreeSizesStayInTheirRange) {
  CMemorySettingsStore store;
  store.WriteInt(kDisplaySection, "hx", INT_MAX);
  store.WriteInt(kDisplaySection, "hy", -5);
  store.WriteInt(kDisplaySection, "m_intRowsTreeSize", 100000);
  store.WriteInt(kDisplaySection, "m_intColumnsTreeSize", INT_MIN + 1);
  DisplaySettings display;
  LoadDisplaySettings(store, display);
  EXPECT_EQ(display.hx, 500);
  EXPECT_EQ(display.hy, 1);
  EXPECT_EQ(display.m_intRowsTreeSize, 100);
  EXPECT_EQ(display.m_intColumnsTreeSize, 0);
  // Sizes inside the ranges, offered or not, are kept.
  store.WriteInt(kDisplaySection, "hx", 7);
  store.WriteInt(kDisplaySection, "hy", 48);
  store.WriteInt(kDisplaySection, "m_intRowsTreeSize", 15);
  store.WriteInt(kDisplaySection, "m_intColumnsTreeSize", 40);
  LoadDisplaySettings(store, display);
  EXPECT_EQ(display.hx, 7);
  EXPECT_EQ(display.hy, 48);
  EXPECT_EQ(display.m_intRowsTreeSize, 15);
  EXPECT_EQ(display.m_intColumnsTreeSize, 40);
}
