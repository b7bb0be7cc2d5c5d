// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "WidgetApplication.h"
#include "qt/QtSettingsStore.h"
#include "settings/SettingsPersistence.h"
#include "shell/DisplayPage.h"
#include "shell/OptionsSheet.h"
#include "shell/TreatmentPage.h"

namespace {

class TreatmentPageTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureWidgetApplication(); }

  std::unique_ptr<CTreatmentPage> Page(const TreatmentSettings& settings,
                                       CTreatmentPageFlags flags = {}) {
    return std::make_unique<CTreatmentPage>(settings, flags, store_, services_);
  }
  template <typename T>
  static T* Find(QWidget* page, const QString& name) {
    T* found = page->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }

  CTempDir folder_;
  QString iniFile_ = QString::fromStdString((folder_.Path() / "Quorvel.conf").string());
  CQtSettingsStore store_{iniFile_};
  CScriptedServices services_;
};

TEST_F(TreatmentPageTest, OptimizationOnlyForScalingRulesAndTwoOptOnlyForPathRules) {
  for (const int rule : {0, 1, 2, 3, 5, 6}) {
    // Centroid and farthest addition are shown only when the settings hold them.
    TreatmentSettings settings;
    if (rule > 3) settings.SetSeriationCriterion = ChoiceOf<ESeriation>(rule);
    auto page = Page(settings);
    auto* optimization = Find<QGroupBox>(page.get(), "optimizationBox");
    auto* improve = Find<QGroupBox>(page.get(), "improveBox");
    Find<QRadioButton>(page.get(), "seriation1")->click();
    Find<QRadioButton>(page.get(), QString("seriation%1").arg(rule))->click();
    EXPECT_EQ(optimization->isEnabled(), rule == 1 || rule == 2) << rule;
    EXPECT_EQ(!improve->isHidden(), rule == 0 || rule == 6) << rule;
    EXPECT_EQ(page->Settings().SetSeriationCriterion, ChoiceOf<ESeriation>(rule));
  }
}

TEST_F(TreatmentPageTest, TheSeriationTabOffersTheFourRulesOfThePathHeuristicsAndScaling) {
  auto page = Page(TreatmentSettings{});
  for (const int rule : {0, 1, 2, 3})
    Find<QRadioButton>(page.get(), QString("seriation%1").arg(rule));
  EXPECT_EQ(page->findChild<QRadioButton*>("seriation5"), nullptr);
  EXPECT_EQ(page->findChild<QRadioButton*>("seriation6"), nullptr);
  // A rule that comes from the store with "Get" is shown too.
  TreatmentSettings stored;
  stored.SetSeriationCriterion = ESeriation::kFarthestAddition;
  SaveTreatmentSettings(store_, stored);
  Find<QPushButton>(page.get(), "get")->click();
  EXPECT_TRUE(Find<QRadioButton>(page.get(), "seriation6")->isChecked());
  EXPECT_EQ(page->Settings().SetSeriationCriterion, ESeriation::kFarthestAddition);
}

TEST_F(TreatmentPageTest, CodesTheListsDoNotOfferAreShownAndKept) {
  for (const int rule : {5, 6}) {
    TreatmentSettings settings;
    settings.SetSeriationCriterion = ChoiceOf<ESeriation>(rule);
    settings.AgregationCriterion = ChoiceOf<ELinkage>(-1);  // none chosen
    settings.Dissimilarity =
        EDissimilarity::kJaccard;  // Jaccard on numerical data, set on the command line
    settings.TreeSeriationCriterion = ChoiceOf<ETreeSeriation>(7);
    auto page = Page(settings);
    EXPECT_TRUE(Find<QRadioButton>(page.get(), QString("seriation%1").arg(rule))->isChecked());
    // Only the rule held is shown beside the four offered.
    EXPECT_EQ(page->findChild<QRadioButton*>(QString("seriation%1").arg(11 - rule)), nullptr);
    for (int code = 0; code < 5; ++code) {
      EXPECT_FALSE(Find<QRadioButton>(page.get(), QString("linkage%1").arg(code))->isChecked());
    }
    ASSERT_TRUE(page->Accept());
    const TreatmentSettings kept = page->Settings();
    EXPECT_EQ(kept.SetSeriationCriterion, ChoiceOf<ESeriation>(rule));
    EXPECT_EQ(kept.AgregationCriterion, ChoiceOf<ELinkage>(-1));
    EXPECT_EQ(kept.Dissimilarity, EDissimilarity::kJaccard);
    EXPECT_EQ(kept.TreeSeriationCriterion, ChoiceOf<ETreeSeriation>(7));
    EXPECT_EQ(kept.DataRepresentation, 0);
  }
}

TEST_F(TreatmentPageTest, MinimumPathLengthIsOfferedOnlyWithoutAggregatedGroups) {
  auto plain = Page(TreatmentSettings{});
  EXPECT_TRUE(Find<QRadioButton>(plain.get(), "treeSeriation4")->isEnabled());
  auto grouped = Page(TreatmentSettings{}, {true, true});
  EXPECT_FALSE(Find<QRadioButton>(grouped.get(), "treeSeriation4")->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(grouped.get(), "treeSeriation3")->isEnabled());
}

TEST_F(TreatmentPageTest, DataGroupIsLockedOnceTheDocumentHasAWindow) {
  TreatmentSettings settings;
  settings.DataType = EDataType::kContingency;
  settings.Dissimilarity = EDissimilarity::kChiSquare;
  settings.TitleCol = 0;
  settings.AgregationCriterion = ELinkage::kWard;
  auto page = Page(settings, {true, false});
  EXPECT_FALSE(Find<QWidget>(page.get(), "dataGroup")->isEnabled());
  EXPECT_FALSE(Find<QListWidget>(page.get(), "dataTypeList")->isEnabled());

  page->Reset();
  const TreatmentSettings reset = page->Settings();
  EXPECT_EQ(reset.DataType, EDataType::kContingency);
  EXPECT_EQ(reset.Dissimilarity, EDissimilarity::kChiSquare);
  EXPECT_EQ(reset.TitleCol, 0);
  EXPECT_EQ(reset.AgregationCriterion, ELinkage::kMcQuitty);

  auto open = Page(settings);
  EXPECT_TRUE(Find<QWidget>(open.get(), "dataGroup")->isEnabled());
  open->Reset();
  EXPECT_EQ(open->Settings().DataType, EDataType::kNumerical);
  EXPECT_EQ(open->Settings().TitleCol, 1);
}

TEST_F(TreatmentPageTest, EachDataTypeKeepsTheRepresentationAndMeasureLastChosenForIt) {
  TreatmentSettings settings;
  settings.DataRepresentation = 3;
  settings.Dissimilarity = EDissimilarity::kPearson;
  auto page = Page(settings);
  auto* types = Find<QListWidget>(page.get(), "dataTypeList");
  auto* numerical = Find<QComboBox>(page.get(), "representation0");
  auto* contingency = Find<QComboBox>(page.get(), "representation3");
  EXPECT_EQ(numerical->currentData().toInt(), 3);

  types->setCurrentRow(3);
  EXPECT_EQ(page->Settings().DataType, EDataType::kContingency);
  EXPECT_EQ(page->Settings().DataRepresentation, 0);
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kChiSquare);
  contingency->setCurrentIndex(contingency->findData(2));

  types->setCurrentRow(1);
  EXPECT_EQ(page->Settings().DataRepresentation, 0);  // binary data are used as read
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kEuclidean);
  auto* binaryMeasures = Find<QComboBox>(page.get(), "dissimilarity1");
  binaryMeasures->setCurrentIndex(binaryMeasures->findData(5));

  types->setCurrentRow(0);
  EXPECT_EQ(page->Settings().DataRepresentation, 3);
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kPearson);
  types->setCurrentRow(3);
  EXPECT_EQ(page->Settings().DataRepresentation, 2);
  types->setCurrentRow(1);
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kDice);
  types->setCurrentRow(2);
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kHamming);

  // Each type offers only its own measures, and reading from files.
  std::vector<int> nominal;
  auto* nominalMeasures = Find<QComboBox>(page.get(), "dissimilarity2");
  for (int k = 0; k < nominalMeasures->count(); ++k)
    nominal.push_back(nominalMeasures->itemData(k).toInt());
  EXPECT_EQ(nominal, (std::vector<int>{6, 10}));
}

TEST_F(TreatmentPageTest, GetSaveAndResetFollowTheStoreRules) {
  TreatmentSettings settings;
  settings.AgregationCriterion = ELinkage::kWard;
  settings.TreeSeriationCriterion = ETreeSeriation::kBipolarization;
  settings.DataType = EDataType::kBinary;
  settings.Dissimilarity = EDissimilarity::kDice;
  auto page = Page(settings);
  page->Save();
  store_.Sync();
  {
    QSettings raw(iniFile_, QSettings::IniFormat);
    raw.beginGroup("Settings/Treatement");
    EXPECT_EQ(raw.childKeys().size(), 15);
    EXPECT_EQ(raw.value("AgregationCriterion").toInt(), 4);
    EXPECT_EQ(raw.value("DataType").toInt(), 1);
    EXPECT_FALSE(raw.contains("TitleCol"));
    EXPECT_FALSE(raw.contains("ExportFileFormat"));
  }

  Find<QRadioButton>(page.get(), "linkage0")->click();
  page->Reset();
  EXPECT_EQ(page->Settings().AgregationCriterion, ELinkage::kMcQuitty);
  EXPECT_EQ(page->Settings().DataType, EDataType::kNumerical);
  page->Get();
  EXPECT_EQ(page->Settings().AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(page->Settings().TreeSeriationCriterion, ETreeSeriation::kBipolarization);
  EXPECT_EQ(page->Settings().DataType, EDataType::kBinary);
  EXPECT_EQ(page->Settings().Dissimilarity, EDissimilarity::kDice);

  // With a window the data group stays as the document has it.
  TreatmentSettings numerical;
  auto locked = Page(numerical, {true, false});
  locked->Get();
  EXPECT_EQ(locked->Settings().DataType, EDataType::kNumerical);
  EXPECT_EQ(locked->Settings().AgregationCriterion, ELinkage::kWard);
}

TEST_F(TreatmentPageTest, PrototypesAreAChoiceOfTheLoadThatIsNotStored) {
  auto page = Page(TreatmentSettings{});
  auto* summarise = Find<QCheckBox>(page.get(), "prototypes");
  auto* count = Find<QSpinBox>(page.get(), "prototypeCount");
  EXPECT_FALSE(summarise->isChecked());
  EXPECT_FALSE(count->isEnabled());
  EXPECT_EQ(page->Settings().Prototypes, 0);
  summarise->click();
  EXPECT_TRUE(count->isEnabled());
  count->setValue(1200);
  EXPECT_EQ(page->Settings().Prototypes, 1200);
  page->Save();
  store_.Sync();
  {
    QSettings raw(iniFile_, QSettings::IniFormat);
    raw.beginGroup("Settings/Treatement");
    EXPECT_EQ(raw.childKeys().size(), 15);  // the stored values stay what they were
  }
  page->Reset();
  EXPECT_EQ(page->Settings().Prototypes, 0);  // the default

  // A count from the command line beyond the box's range is kept while left alone; with a
  // window the table is loaded already, so the choice is fixed.
  TreatmentSettings given;
  given.Prototypes = 2000000;
  EXPECT_EQ(Page(given)->Settings().Prototypes, 2000000);
  auto locked = Page(given, {true, false});
  Find<QCheckBox>(locked.get(), "prototypes")->setChecked(false);
  EXPECT_EQ(locked->Settings().Prototypes, 2000000);
  locked->Reset();
  EXPECT_EQ(locked->Settings().Prototypes, 2000000);
  auto open = Page(given);
  Find<QCheckBox>(open.get(), "prototypes")->click();
  EXPECT_EQ(open->Settings().Prototypes, 0);
}

TEST_F(TreatmentPageTest, StartupCheckBoxIsWrittenAtOnce) {
  auto page = Page(TreatmentSettings{});
  auto* box = Find<QCheckBox>(page.get(), "showAtStartup");
  EXPECT_TRUE(box->isChecked());
  box->click();
  EXPECT_EQ(store_.ReadInt(kTreatmentSection, "ShowWindowsOptionsDlgAtStartTime", -1), 0);
  EXPECT_EQ(page->Settings().ShowWindowsOptionsDlgAtStartTime, 0);
  EXPECT_FALSE(box->isChecked());
  box->click();
  EXPECT_EQ(store_.ReadInt(kTreatmentSection, "ShowWindowsOptionsDlgAtStartTime", -1), 1);
  EXPECT_TRUE(box->isChecked());
}

TEST_F(TreatmentPageTest, OkWithFileReadDissimilaritiesNeedsFilesThatOpen) {
  const std::string rows = folder_.Write("rows.txt", "0\n1 0\n");
  const std::string missing = (folder_.Path() / "missing.txt").string();
  TreatmentSettings settings;
  settings.Dissimilarity = EDissimilarity::kFromFiles;
  settings.RowDissimilarityFileName = rows;
  settings.ColDissimilarityFileName = missing;
  auto page = Page(settings);
  EXPECT_FALSE(page->Accept());
  ASSERT_EQ(services_.messageBoxes.size(), 1u);
  EXPECT_EQ(services_.messageBoxes[0],
            missing + "\t\n\nSTOP !\tThis file could not be located !\t");
  EXPECT_EQ(store_.ReadString(kTreatmentSection, "RowDissimilarityFileName", "none"), "none");

  Find<QLineEdit>(page.get(), "colFile")->setText(QString::fromStdString(rows));
  EXPECT_TRUE(page->Accept());
  EXPECT_EQ(store_.ReadString(kTreatmentSection, "ColDissimilarityFileName", ""), rows);

  // Once a window exists the files have been read: a file gone since then does not block OK.
  services_.messageBoxes.clear();
  auto locked = Page(settings, {true, false});
  EXPECT_TRUE(locked->Accept());
  EXPECT_TRUE(services_.messageBoxes.empty());
}

TEST_F(TreatmentPageTest, SheetReturnsBothRecordsOnOkAndNothingOnCancel) {
  TreatmentSettings treatment;
  DisplaySettings display;
  display.hx = 24;
  WhenModalShown([](QWidget* modal) {
    auto* sheet = qobject_cast<COptionsSheet*>(modal);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), "Options and Settings ...");
    EXPECT_EQ(sheet->Tabs()->count(), 2);
    EXPECT_EQ(sheet->Tabs()->currentWidget(), static_cast<QWidget*>(sheet->DisplayPage()));
    sheet->findChild<QRadioButton*>("linkage4")->click();
    sheet->findChild<QPushButton*>("cancel")->click();
  });
  EXPECT_FALSE(COptionsSheet::Edit(treatment, display, {}, store_, services_,
                                   COptionsSheet::Page::kDisplay, nullptr));

  WhenModalShown([](QWidget* modal) {
    modal->findChild<QRadioButton*>("linkage4")->click();
    modal->findChild<QPushButton*>("ok")->click();
  });
  const auto edited = COptionsSheet::Edit(treatment, display, {}, store_, services_,
                                          COptionsSheet::Page::kTreatment, nullptr);
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->treatment.AgregationCriterion, ELinkage::kWard);
  EXPECT_EQ(edited->display.hx, 24);
}

TEST_F(TreatmentPageTest, SheetBeforeReadingHoldsTheTreatmentPageAloneAndStaysOpenOnBadFiles) {
  TreatmentSettings settings;
  settings.Dissimilarity = EDissimilarity::kFromFiles;
  bool stayedOpen = false;
  WhenModalShown([&](QWidget* modal) {
    auto* sheet = qobject_cast<COptionsSheet*>(modal);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), "Options...  ( /data/table.txt )");
    EXPECT_EQ(sheet->Tabs()->count(), 1);
    EXPECT_TRUE(sheet->findChild<QRadioButton*>("treeSeriation4")->isEnabled());
    EXPECT_TRUE(sheet->findChild<QWidget*>("dataGroup")->isEnabled());
    sheet->findChild<QPushButton*>("ok")->click();  // both file names are empty
    stayedOpen = sheet->isVisible();
    sheet->findChild<QPushButton*>("cancel")->click();
  });
  EXPECT_FALSE(
      COptionsSheet::EditBeforeReading("/data/table.txt", settings, store_, services_, nullptr));
  EXPECT_TRUE(stayedOpen);
  ASSERT_FALSE(services_.messageBoxes.empty());
  EXPECT_EQ(services_.messageBoxes[0].rfind("STOP !\tFile name is empty!", 0), 0u);
}

}  // namespace
