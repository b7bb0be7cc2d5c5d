// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>

#include "TestFiles.h"
#include "qt/QtSettingsStore.h"
#include "settings/SettingsPersistence.h"

TEST(QtSettingsStore, WritesTheTwoSectionsUnderTheirNamesAndReadsThemBack) {
  CTempDir folder;
  const QString file = QString::fromStdString((folder.Path() / "Quorvel.conf").string());
  {
    CQtSettingsStore store(file);
    TreatmentSettings settings;
    settings.AgregationCriterion = ELinkage::kWard;
    settings.RowDissimilarityFileName = "/tmp/rows.txt";
    SaveTreatmentSettings(store, settings);
    SaveDissimilarityFileNames(store, settings);
    DisplaySettings display;
    display.hy = 24;
    SaveDisplaySettings(store, display);
    store.Sync();
  }
  QSettings raw(file, QSettings::IniFormat);
  EXPECT_EQ(raw.value("Settings/Treatement/AgregationCriterion").toInt(), 4);
  EXPECT_EQ(raw.value("Settings/Display/hy").toInt(), 24);
  EXPECT_FALSE(raw.contains("Settings/Treatement/TitleCol"));

  CQtSettingsStore store(file);
  TreatmentSettings loaded;
  LoadTreatmentSettings(store, loaded, true);
  EXPECT_EQ(loaded.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(loaded.RowDissimilarityFileName, "/tmp/rows.txt");
  DisplaySettings display;
  LoadDisplaySettings(store, display);
  EXPECT_EQ(display.hy, 24);
}

TEST(QtSettingsStore, UserStoreLivesUnderVelmoraQuorvel) {
  CTempDir folder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(folder.Path().string()));
  {
    CQtSettingsStore store;
    store.WriteInt(kTreatmentSection, "DataType", 3);
    store.WriteInt(kTreatmentSection, "Improve", kAbsentValue);
    store.Sync();
  }
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Velmora" / "Quorvel.conf"));
  CQtSettingsStore store;
  TreatmentSettings settings;
  LoadTreatmentSettings(store, settings, true);
  EXPECT_EQ(settings.DataType, EDataType::kContingency);
  EXPECT_EQ(settings.Improve, 1);  // the stored sentinel counts as absent
}
