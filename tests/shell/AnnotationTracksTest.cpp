// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QTest>

#include "DesktopFixture.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "render/AnnotationTracks.h"
#include "render/ColorPainter.h"
#include "render/HeatMapPicture.h"
#include "shell/CommandIds.h"
#include "shell/MainWindow.h"
#include "shell/ViewWidget.h"
#include "tree/Tree.h"

// Annotation tracks in the desktop program: painted on the screen beside the rows and kept in
// step with the window's order; opened from the File menu onto the side they describe.

namespace {

QColor ColorOf(ColorRef color) {
  return QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                static_cast<int>(BlueOf(color)));
}

// The colour painted in the middle of the first track at each row position.
std::vector<QColor> TrackColors(CViewWidget& widget) {
  ProcessEvents();
  const QImage image = widget.viewport()->grab().toImage();
  const CHeatMapPicture& picture = widget.Picture();
  const CRect strip = picture.RowTracksZone();
  std::vector<QColor> colors;
  for (int i = 0; i < picture.RowBounds().Count(); ++i) {
    const int y = strip.top + (picture.RowBounds().starts[static_cast<size_t>(i)] +
                               picture.RowBounds().ends[static_cast<size_t>(i)]) /
                                  2;
    const QPoint pixel = widget.ToPixel({strip.left + kTrackThickness / 2, y});
    colors.push_back(image.pixelColor(pixel));
  }
  return colors;
}

// What the strip should show: the colour of each row's group in the window's order.
std::vector<QColor> ExpectedColors(const CViewModel& view) {
  std::vector<QColor> colors;
  for (const int item : view.rowTree.order)
    colors.push_back(ColorOf(CategoryColor(static_cast<size_t>(item % 3))));
  return colors;
}

std::string WriteRowGroups(const CTempDir& folder) {
  std::string text = "label\tgroup\n";
  for (int i = 0; i < 9; ++i)
    text += "r" + std::to_string(i + 1) + "\tg" + std::to_string(i % 3) + "\n";
  return folder.Write("groups.txt", text);
}

}  // namespace

TEST(DesktopAnnotations, TheStripShowsEachRowsGroupAndFollowsAFlip) {
  CTempDir files;
  const std::string groups = WriteRowGroups(files);
  CDesktop desktop({"-Ward", "-RowAnnotations", groups});
  CMainWindow& main = desktop.app->MainWindow();
  main.Dispatch(cmd::kClusterRows);
  CViewWidget& widget = desktop.ActiveWidget();
  CViewModel& view = widget.Model();
  ASSERT_FALSE(widget.Picture().RowTracksZone().IsEmpty());
  EXPECT_EQ(TrackColors(widget), ExpectedColors(view));

  const std::vector<int> before = view.rowTree.order;
  const QPoint branch = RowBranchPixel(widget, 3);
  ASSERT_GE(branch.x(), 0);
  QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, branch);
  QTest::keyClick(widget.viewport(), Qt::Key_Up);  // flip
  ASSERT_NE(view.rowTree.order, before);
  EXPECT_EQ(TrackColors(widget), ExpectedColors(view)) << "the strip follows the rows";
}

TEST(DesktopAnnotations, OpenAnnotationsFindsTheSideTheFileDescribes) {
  CTempDir files;
  const std::string kinds =
      files.Write("kinds.csv", "column,kind,weight\nc1,a,1\nc2,b,2\nc4,a,NA\n");
  CDesktop desktop({});
  CMainWindow& main = desktop.app->MainWindow();
  CViewWidget& widget = desktop.ActiveWidget();
  ASSERT_TRUE(widget.Picture().ColumnTracksZone().IsEmpty());
  {
    CModalScript script({[&kinds](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      ChooseInFileDialog(*dialog, kinds);
      static_cast<QDialog*>(dialog)->accept();
    }});
    main.Dispatch(cmd::kOpenAnnotations);
  }
  ProcessEvents();
  const CQuorvelDoc& document = widget.Model().Document();
  EXPECT_FALSE(document.rowAnnotations.Shown());
  ASSERT_TRUE(document.columnAnnotations.Shown());
  EXPECT_EQ(document.columnAnnotations.matchedItems, 3);
  const CRect strips = widget.Picture().ColumnTracksZone();
  EXPECT_EQ(strips.Height(), 2 * kTrackThickness + kTrackGap);
  EXPECT_LT(strips.bottom, widget.Picture().Zone(EPictureZone::kMatrix).top);
}
