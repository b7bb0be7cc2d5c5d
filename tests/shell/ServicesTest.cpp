// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "WidgetApplication.h"
#include "base/Failure.h"
#include "data/TableFileReader.h"
#include "shell/ClipboardImage.h"
#include "shell/FileFilter.h"
#include "shell/LargeTableDlg.h"
#include "shell/NoticeDlg.h"
#include "shell/ProgressDlg.h"
#include "shell/QtServices.h"
#include "shell/WarningMessageDlg.h"

namespace {

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureWidgetApplication(); }
  CQtServices services_;
};

TEST_F(ServicesTest, WarningWindowShowsItsTitleAndTheThreeLinesInOrder) {
  bool inspected = false;
  WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<CWarningMessageDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "WARNING !");
    auto* heading = dialog->findChild<QLineEdit*>("heading");
    auto* line1 = dialog->findChild<QLineEdit*>("line1");
    auto* line2 = dialog->findChild<QLineEdit*>("line2");
    EXPECT_EQ(heading->text(), "PLEASE VERIFY YOUR DATA !");
    EXPECT_EQ(line1->text(),
              "First code, of a nominal measurement, must be 0. Ex: 0, 1, 2, 3, ...");
    EXPECT_EQ(line2->text(),
              QString::fromUtf8("The variable n\u00b0%1 start with code %2 !").arg(3).arg(2));
    EXPECT_TRUE(heading->isReadOnly() && line1->isReadOnly() && line2->isReadOnly());
    EXPECT_LT(heading->y(), line1->y());
    EXPECT_LT(line1->y(), line2->y());
    const auto buttons = dialog->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    inspected = true;
    buttons[0]->click();
  });
  services_.ShowWarning(CWarning::FromTable(14, 3, 2));
  EXPECT_TRUE(inspected);
}

TEST_F(ServicesTest, NoticesAndMessageBoxesLayOutTheirTabsAndLineFeeds) {
  WhenModalShown([](QWidget* modal) {
    auto* notice = qobject_cast<CNoticeDlg*>(modal);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->windowTitle(), "ATTENTION !");
    // One row per line, the blank line kept.
    EXPECT_EQ(notice->TextHtml().count("<tr>"), 3);
    EXPECT_TRUE(notice->TextHtml().contains("Close windows before continuing."));
    notice->accept();
  });
  services_.ShowNotice("ATTENTION !", "Too many windows!\n\nClose windows before continuing.");

  WhenModalShown([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    const QString text = box->text();
    EXPECT_FALSE(text.contains('\t'));
    EXPECT_TRUE(text.contains("/data/x &amp; y.txt"));
    EXPECT_LT(text.indexOf(">STOP !<"), text.indexOf(">This file could not be located !<"));
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons()[0]->text(), "OK");
    box->buttons()[0]->click();
  });
  services_.ShowMessageBox("/data/x & y.txt\t\n\nSTOP !\tThis file could not be located !\t");
}

TEST_F(ServicesTest, LargeTableWindowAnswersTheChoiceAndTheCheckBox) {
  const auto answer = [this](auto act) {
    WhenModalShown([act](QWidget* modal) {
      auto* dialog = qobject_cast<CLargeTableDlg*>(modal);
      ASSERT_NE(dialog, nullptr);
      act(dialog);
    });
    return services_.ConfirmLargeTable(1500);
  };

  CLargeTableAnswer plain = answer([](CLargeTableDlg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "WARNING !");
    bool countShown = false;
    for (QLabel* label : dialog->findChildren<QLabel*>())
      countShown |= label->text() == "n = 1500";
    EXPECT_TRUE(countShown);
    dialog->findChild<QPushButton*>("ok")->click();
  });
  EXPECT_TRUE(plain.confirmed);
  EXPECT_EQ(plain.choice, CLargeTableAnswer::kContinue);
  EXPECT_TRUE(plain.skipObjectiveR);

  CLargeTableAnswer restricted = answer([](CLargeTableDlg* dialog) {
    dialog->findChild<QRadioButton*>("choice1")->click();
    dialog->findChild<QCheckBox*>("skipObjectiveR")->click();
    dialog->findChild<QPushButton*>("ok")->click();
  });
  EXPECT_TRUE(restricted.confirmed);
  EXPECT_EQ(restricted.choice, CLargeTableAnswer::kRestrict);
  EXPECT_FALSE(restricted.skipObjectiveR);

  CLargeTableAnswer stopChoice = answer([](CLargeTableDlg* dialog) {
    dialog->findChild<QRadioButton*>("choice2")->click();
    dialog->findChild<QPushButton*>("ok")->click();
  });
  EXPECT_TRUE(stopChoice.confirmed);
  EXPECT_EQ(stopChoice.choice, CLargeTableAnswer::kStop);

  CLargeTableAnswer stopButton =
      answer([](CLargeTableDlg* dialog) { dialog->findChild<QPushButton*>("stop")->click(); });
  EXPECT_FALSE(stopButton.confirmed);
  EXPECT_EQ(stopButton.choice, CLargeTableAnswer::kStop);
}

TEST_F(ServicesTest, ProgressWindowReportsItsStopButtonAndNeverRunsBackPastItsRange) {
  std::unique_ptr<CProgress> progress =
      services_.OpenProgress("Computing distances matrix.", 3, true);
  auto* window = dynamic_cast<CProgressDlg*>(progress.get());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->findChild<QLabel*>("caption")->text(), "Computing distances matrix.");
  EXPECT_FALSE(progress->StopRequested());
  QTest::mouseClick(window->StopButton(), Qt::LeftButton);
  EXPECT_TRUE(progress->StopRequested());
  progress->ClearStop();
  EXPECT_FALSE(progress->StopRequested());

  // The 2-opt loop announces 50 passes and may run more: the bar fills, then turns into a busy
  // bar while the caption counts the passes; it never shows less than before.
  std::unique_ptr<CProgress> passes =
      services_.OpenProgress("2-Opt local search heuristic. Improving the solution.", 50, true);
  auto* passWindow = dynamic_cast<CProgressDlg*>(passes.get());
  ASSERT_NE(passWindow, nullptr);
  auto* bar = passWindow->findChild<QProgressBar*>("bar");
  ASSERT_NE(bar, nullptr);
  double shown = 0.0;
  for (int k = 1; k <= 82; ++k) {
    passes->Step();
    const bool busy = bar->maximum() == 0;
    const double fraction = busy ? 1.0 : static_cast<double>(bar->value()) / bar->maximum();
    EXPECT_GE(fraction, shown) << "step " << k;
    shown = fraction;
    EXPECT_EQ(busy, k > 50) << "step " << k;
  }
  EXPECT_EQ(passWindow->Position(), 82);
  EXPECT_TRUE(passWindow->findChild<QLabel*>("caption")->text().endsWith("Pass 82"));
  passes.reset();
  progress.reset();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  std::unique_ptr<CProgress> plain = services_.OpenProgress("Is reading the data->", 10, false);
  auto* plainWindow = dynamic_cast<CProgressDlg*>(plain.get());
  ASSERT_NE(plainWindow, nullptr);
  EXPECT_EQ(plainWindow->StopButton(), nullptr);
  EXPECT_FALSE(plain->StopRequested());
}

TEST_F(ServicesTest, ProgramFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Text|*.txt|All|*.*||"), "Text (*.txt);;All (*)");
  EXPECT_EQ(QtFileFilter(DataFileFilter()),
            "Data Files (*.xls *.xlsx *.ods *.csv *.tsv *.txt *.prn);;Excel Files (*.xls);;Excel "
            "Workbooks (*.xlsx);;OpenDocument Spreadsheets (*.ods);;Comma-separated values "
            "(*.csv);;Tab-separated values (*.tsv);;Text Files (*.txt *.prn);;All Files (*)");
  EXPECT_EQ(QtFileFilter("PostScript Files (*.ps;*.eps)|*.ps; *.eps|All Files (*.*)|*.*||"),
            "PostScript Files (*.ps *.eps);;All Files (*)");
}

TEST_F(ServicesTest, ClipboardTakesTextAndPictures) {
  services_.SetClipboardText("alpha\r\nbeta\r\n");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "alpha\r\nbeta\r\n");

  CRaster raster;
  ASSERT_TRUE(raster.Allocate(2, 1));
  raster.pixels[0] = RasterPixel(255, 0, 0);
  raster.pixels[1] = RasterPixel(0, 0, 255);
  PutRasterOnClipboard(raster);
  const QImage image = QGuiApplication::clipboard()->image();
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 255));

  CRaster broken;
  broken.width = 4;
  broken.height = 4;  // no pixels
  EXPECT_TRUE(ImageFromRaster(broken).isNull());
}

}  // namespace
