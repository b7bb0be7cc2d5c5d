// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "WidgetApplication.h"
#include "settings/SettingsPersistence.h"
#include "shell/ClusterActions.h"
#include "shell/ClustersDlg.h"
#include "shell/CutTreeDlg.h"
#include "shell/DisplayPage.h"
#include "shell/ExportDlg.h"
#include "shell/LabelListDlg.h"
#include "shell/SortDlg.h"

namespace {

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureWidgetApplication(); }
  template <typename T>
  static T* Find(QWidget* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
};

TEST_F(DialogsTest, SingleLevelIsRefusedWhileTheOpticalSpectrumIsOn) {
  CMemorySettingsStore store;
  CDisplayPage page(DisplaySettings{}, store);
  auto* levels = Find<QComboBox>(&page, "levels");
  emit levels->activated(6);
  EXPECT_EQ(page.Display().m_intNumberOfNuances, 1);

  Find<QCheckBox>(&page, "spectrum")->click();
  EXPECT_EQ(page.Display().m_intColorNumberOfNuances, 5);  // one level became two
  emit levels->activated(6);
  EXPECT_EQ(page.Display().m_intColorNumberOfNuances, 5);
  EXPECT_EQ(page.Display().m_intNumberOfNuances, 2);
  EXPECT_EQ(levels->currentText(), "2");
  emit levels->activated(2);
  EXPECT_EQ(page.Display().m_intNumberOfNuances, 9);
}

TEST_F(DialogsTest, OpticalSpectrumRunsFromBlueToRedAndGivesTheColoursBack) {
  CMemorySettingsStore store;
  DisplaySettings display;
  display.m_intColorHighValue = 1;
  display.m_intColorLowValue = 3;
  CDisplayPage page(display, store);
  auto* high = Find<QComboBox>(&page, "highColor");
  auto* low = Find<QComboBox>(&page, "lowColor");
  Find<QCheckBox>(&page, "spectrum")->click();
  EXPECT_EQ(high->currentText(), "Red");
  EXPECT_EQ(low->currentText(), "Blue");
  EXPECT_EQ(page.Display().R_h, 1);
  EXPECT_EQ(page.Display().B_l, 1);
  Find<QCheckBox>(&page, "spectrum")->click();
  EXPECT_EQ(high->currentText(), "Yellow");
  EXPECT_EQ(low->currentText(), "Cyan");
  EXPECT_EQ(page.Display().G_h, 1);

  // Choosing a colour updates its channel switches.
  emit high->activated(5);
  EXPECT_EQ(page.Display().m_intColorHighValue, 5);
  EXPECT_EQ(page.Display().R_h, 1);
  EXPECT_EQ(page.Display().G_h, 0);
  EXPECT_EQ(page.Display().B_h, 1);
}

TEST_F(DialogsTest, TheColourScaleIsChosenShownAndKeptByGetAndSave) {
  CMemorySettingsStore store;
  DisplaySettings display;
  display.colorScale = EColorScale::kDiverging;
  CDisplayPage page(display, store);
  auto* scales = Find<QComboBox>(&page, "colorScale");
  EXPECT_EQ(scales->count(), static_cast<int>(ColorScaleChoices().size()));
  EXPECT_EQ(scales->currentData().toInt(), CodeOf(EColorScale::kDiverging));
  emit scales->activated(scales->findData(CodeOf(EColorScale::kViridis)));
  EXPECT_EQ(page.Display().colorScale, EColorScale::kViridis);
  page.Save();
  page.Reset();
  EXPECT_EQ(page.Display().colorScale, EColorScale::kSigned);
  EXPECT_EQ(scales->currentData().toInt(), CodeOf(EColorScale::kSigned));
  page.Get();
  EXPECT_EQ(page.Display().colorScale, EColorScale::kViridis);
  EXPECT_EQ(scales->currentText().toStdString().rfind("Viridis", 0), 0u);
}

TEST_F(DialogsTest, DisplayGetSaveAndResetAndTheContrastControls) {
  CMemorySettingsStore store;
  DisplaySettings display;
  display.hy = 48;
  display.BkColor = 3;
  CDisplayPage page(display, store);
  page.Save();
  EXPECT_EQ(store.ReadInt(kDisplaySection, "hy", 0), 48);

  page.Reset();
  EXPECT_EQ(page.Display().hy, 12);
  EXPECT_EQ(Find<QComboBox>(&page, "rowHeight")->currentText(), "Normal");
  // The defaults come with their channel switches, not the "not derived" marker.
  EXPECT_EQ(page.Display().R_h, 1);
  EXPECT_EQ(page.Display().G_l, 1);
  page.Get();
  EXPECT_EQ(page.Display().hy, 48);
  EXPECT_EQ(page.Display().BkColor, 3);
  EXPECT_EQ(Find<QComboBox>(&page, "background")->currentText(), "Ivory");

  auto* slider = Find<QSlider>(&page, "contrastSlider");
  auto* field = Find<QSpinBox>(&page, "contrast");
  slider->setValue(80);
  EXPECT_EQ(field->value(), 80);
  EXPECT_EQ(page.Display().ContrastColor, 80);
  field->setValue(0);  // below the range: 1 at least, never the 0 the scale divides by
  EXPECT_EQ(page.Display().ContrastColor, 1);
  EXPECT_EQ(slider->value(), 1);
}

TEST_F(DialogsTest, ExportSizeFieldsOnlyForPostScriptAndTheDialogOpensOnThePreviousChoice) {
  CExportDlg postScript(CExportChoice{EExportFormat::kPostScript, 210.0, 297.0});
  EXPECT_TRUE(Find<QRadioButton>(&postScript, "format3")->isChecked());
  EXPECT_TRUE(postScript.SizeFields()->isVisibleTo(&postScript));
  EXPECT_TRUE(postScript.SizeFields()->isEnabled());
  EXPECT_DOUBLE_EQ(postScript.Choice().widthMm, 210.0);
  EXPECT_EQ(Find<QRadioButton>(&postScript, "format3")->text(), "Export as Posccript File  (*.ps)");

  Find<QRadioButton>(&postScript, "format2")->click();
  EXPECT_FALSE(postScript.SizeFields()->isVisibleTo(&postScript));
  EXPECT_FALSE(postScript.SizeFields()->isEnabled());
  EXPECT_EQ(postScript.Choice().format, EExportFormat::kJpeg);

  CExportDlg bitmap(CExportChoice{EExportFormat::kBmp, 0, 0});
  EXPECT_TRUE(Find<QRadioButton>(&bitmap, "format4")->isChecked());
  EXPECT_FALSE(bitmap.SizeFields()->isVisibleTo(&bitmap));
  CExportDlg unknown(CExportChoice{ChoiceOf<EExportFormat>(42), 0, 0});
  EXPECT_EQ(unknown.Choice().format, EExportFormat::kClipboard);
  EXPECT_EQ(Find<QRadioButton>(&unknown, "format1")->text(), "Save to Clipboard");
  EXPECT_NE(unknown.findChild<QRadioButton*>("format5"), nullptr);
  EXPECT_NE(unknown.findChild<QRadioButton*>("format6"), nullptr);
}

TEST_F(DialogsTest, SortChoiceKeepsItsBlockInsideTheOtherSide) {
  CSortDlg dialog({"a", "b", "c", "d"});
  CSortChoice choice = dialog.Choice();
  EXPECT_EQ(choice.keyPosition, 0);
  EXPECT_EQ(choice.count, 1);
  EXPECT_FALSE(choice.descending);

  Find<QComboBox>(&dialog, "keyLabel")->setCurrentIndex(2);
  EXPECT_EQ(Find<QSpinBox>(&dialog, "keyPosition")->value(), 3);
  Find<QSpinBox>(&dialog, "values")->setValue(4);
  Find<QRadioButton>(&dialog, "descending")->click();
  choice = dialog.Choice();
  EXPECT_EQ(choice.keyPosition, 2);
  EXPECT_EQ(choice.count, 2);  // positions 3 and 4 only
  EXPECT_TRUE(choice.descending);

  Find<QCheckBox>(&dialog, "all")->click();
  choice = dialog.Choice();
  EXPECT_EQ(choice.keyPosition, 0);
  EXPECT_EQ(choice.count, 4);
}

class CRecordingClusterActions : public CClusterActions {
 public:
  void Mark(ColorRef color) override { calls.push_back("mark " + std::to_string(color)); }
  void Unmark() override { calls.push_back("unmark"); }
  void UnmarkAll() override { calls.push_back("unmark all"); }
  std::vector<std::string> calls;
};

TEST_F(DialogsTest, ClustersWindowMarksWithItsColourAndNeverWithBlack) {
  CRecordingClusterActions actions;
  CClustersDlg dialog;
  dialog.SetActions(&actions);
  EXPECT_EQ(dialog.CurrentColor(), Rgb(128, 255, 255));

  dialog.show();
  EXPECT_FALSE(Find<QWidget>(&dialog, "buttons")->isVisible());
  EXPECT_TRUE(Find<QLabel>(&dialog, "hint")->isVisible());
  const QRect area = dialog.screen()->availableGeometry();
  EXPECT_EQ(dialog.pos(),
            QPoint(area.left() + area.width() * 2 / 3, area.top() + area.height() / 11));

  dialog.SetSelectionExists(true);
  EXPECT_TRUE(Find<QWidget>(&dialog, "buttons")->isVisible());
  EXPECT_FALSE(Find<QLabel>(&dialog, "hint")->isVisible());
  for (const char* name :
       {"mark", "markPicture", "unmark", "unmarkPicture", "unmarkAll", "unmarkAllPicture"}) {
    QTest::mouseClick(Find<QAbstractButton>(&dialog, name), Qt::LeftButton);
  }
  const std::string mark = "mark " + std::to_string(Rgb(128, 255, 255));
  EXPECT_EQ(actions.calls,
            (std::vector<std::string>{mark, mark, "unmark", "unmark", "unmark all", "unmark all"}));

  actions.calls.clear();
  dialog.ChooseColor(Rgb(0, 0, 0));
  EXPECT_EQ(dialog.CurrentColor(), Rgb(1, 1, 1));
  EXPECT_EQ(actions.calls, std::vector<std::string>{"mark " + std::to_string(Rgb(1, 1, 1))});
  dialog.hide();
}

TEST_F(DialogsTest, LabelWindowListsTheSelectionAndCopiesItLineByLine) {
  CLabelListDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "Label");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "count")->text(), "n = 0");
  EXPECT_FALSE(Find<QPushButton>(&dialog, "copy")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>(&dialog, "saveAs")->isEnabled());

  dialog.ShowSelection({"alpha", "beta", "gamma"});
  EXPECT_EQ(Find<QLineEdit>(&dialog, "count")->text(), "n = 3");
  EXPECT_EQ(Find<QListWidget>(&dialog, "labels")->count(), 3);
  QGuiApplication::clipboard()->clear();
  Find<QPushButton>(&dialog, "copy")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "alpha\r\nbeta\r\ngamma\r\n");

  int savedAs = 0;
  int hidden = 0;
  dialog.onSaveAs = [&] { ++savedAs; };
  dialog.onHidden = [&] { ++hidden; };
  dialog.show();
  Find<QPushButton>(&dialog, "saveAs")->click();
  Find<QPushButton>(&dialog, "ok")->click();
  EXPECT_EQ(savedAs, 1);
  EXPECT_EQ(hidden, 1);
  EXPECT_FALSE(dialog.isVisible());

  dialog.ClearSelection();
  EXPECT_EQ(Find<QLineEdit>(&dialog, "count")->text(), "n = 0");
  EXPECT_EQ(Find<QListWidget>(&dialog, "labels")->count(), 0);
  EXPECT_FALSE(Find<QPushButton>(&dialog, "copy")->isEnabled());
}

}  // namespace

TEST_F(DialogsTest, CutTreeAsksANumberOfClustersOrAHeightWithinTheTree) {
  CCutTreeDlg dialog(5, 40.0);
  auto* clusters = Find<QSpinBox>(&dialog, "clusters");
  auto* height = Find<QDoubleSpinBox>(&dialog, "height");
  EXPECT_EQ(clusters->minimum(), 2);
  EXPECT_EQ(clusters->maximum(), 5) << "no more clusters than the tree shows pieces";
  EXPECT_FALSE(height->isEnabled());
  clusters->setValue(4);
  EXPECT_EQ(dialog.Request().clusters, 4);
  EXPECT_FALSE(dialog.Request().height.has_value());
  Find<QRadioButton>(&dialog, "byHeight")->click();
  EXPECT_TRUE(height->isEnabled());
  EXPECT_FALSE(clusters->isEnabled());
  height->setValue(55.0);
  ASSERT_TRUE(dialog.Request().height.has_value());
  EXPECT_DOUBLE_EQ(*dialog.Request().height, 40.0) << "at most the root's height";
  // A tree of small heights gets the decimals to tell its merges apart.
  CCutTreeDlg fine(3, 0.0042);
  EXPECT_GE(Find<QDoubleSpinBox>(&fine, "height")->decimals(), 6);
}
