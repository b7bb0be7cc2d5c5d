// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "GuiApplication.h"
#include "data/Data.h"
#include "qt/QtTextMeasurer.h"
#include "qt/ScreenDC.h"
#include "render/HeatMapPicture.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

// A window repaints only what its clip box shows; what it shows is what the whole picture has
// there, labels included, and the measures of the layout do not change when they are kept.

namespace {

struct CLabelledTable {
  CLabelledTable(int rowCount, int columnCount, bool turned) {
    EnsureGuiApplication();
    data.Allocate(rowCount, columnCount);
    for (int i = 0; i < rowCount; ++i) {
      data.rowLabels.push_back("row label " + std::to_string(i));
      for (int j = 0; j < columnCount; ++j)
        data.At(i, j) = (i * 3 + j * 5) % 11 - 5;
    }
    for (int j = 0; j < columnCount; ++j)
      data.columnLabels.push_back("column " + std::to_string(j));
    data.maxValue = 5, data.minValue = -5;
    data.maxRowLabelLength = 13, data.maxColumnLabelLength = 9;
    rows.Initialize(rowCount, nullptr, &data.rowLabels, {});
    columns.Initialize(columnCount, nullptr, &data.columnLabels, {});
    display.hx = display.hy = 12;
    display.rotatedColumnLabels = turned;
    display.m_bShowTopFrame = 0;
    DeriveColorSwitches(display);
    input.data = &data, input.rows = &rows, input.columns = &columns, input.display = &display;
    input.switches.rowLabels = input.switches.columnLabels = true;
  }
  CData data;
  CTree rows, columns;
  DisplaySettings display;
  CPictureInput input;
};

// The picture at `zoom`, scrolled to `scroll`, into an image of `size` with the painter clipped
// to `clip` (none when empty).
QImage Painted(CHeatMapPicture& picture, double zoom, QPoint scroll, QSize size, QRect clip) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  if (!clip.isEmpty()) painter.setClipRect(clip);
  CScreenDC device(painter, false);
  device.PrepareZoom(picture.PictureSize(), zoom, CPoint{scroll.x(), scroll.y()});
  picture.DrawPicture(device, true);
  return image;
}

}  // namespace

TEST(ClippedRepaint, APartRepaintedShowsWhatTheWholePictureHasThere) {
  for (const bool turned : {false, true}) {
    CLabelledTable table(400, 60, turned);
    CQtTextMeasurer measurer;
    CHeatMapPicture picture(table.input);
    picture.RecomputeLayout(measurer);
    for (const double zoom : {1.0, 1.5}) {
      const QPoint scroll(150, 2000);
      const QSize window(700, 500);
      const QImage whole = Painted(picture, zoom, scroll, window, QRect());
      // Bands through the row labels, the column labels and the matrix, at odd places.
      for (const QRect clip :
           {QRect(0, 137, 700, 41), QRect(233, 0, 57, 500), QRect(401, 222, 33, 17)}) {
        const QImage part = Painted(picture, zoom, scroll, window, clip);
        EXPECT_EQ(part.copy(clip), whole.copy(clip))
            << "turned " << turned << " zoom " << zoom << " clip " << clip.x() << "," << clip.y();
      }
    }
  }
}

TEST(ClippedRepaint, KeptWidthsAreTheMeasuredOnes) {
  EnsureGuiApplication();
  CQtTextMeasurer kept;
  const CFont small{"", 10}, large{"", 20}, times{kTextFontFace, 14};
  for (int round = 0; round < 2; ++round) {
    for (const char* text : {"row 1", "a much longer label", "", "W"}) {
      for (const CFont& font : {small, large, times}) {
        CQtTextMeasurer fresh;
        EXPECT_EQ(kept.TextExtent(font, text), fresh.TextExtent(font, text)) << text;
      }
    }
  }
  EXPECT_LT(kept.TextExtent(small, "row 1").cx, kept.TextExtent(large, "row 1").cx);
}
