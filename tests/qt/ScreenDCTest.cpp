// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "GuiApplication.h"
#include "qt/QtFont.h"
#include "qt/QtTextMeasurer.h"
#include "qt/ScreenDC.h"

namespace {

constexpr ColorRef kBlack = Rgb(0, 0, 0);
constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;

// Ink: the bounding box of the pixels that are not white.
struct CInk {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
  bool Empty() const { return left == INT_MAX; }
};

CInk InkOf(const QImage& image) {
  CInk ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kWhitePixel) continue;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

// A white image with a painter and a screen device on it.
class ScreenDC : public ::testing::Test {
 protected:
  ScreenDC() : image_(MakeImage()), painter_(&image_), device_(painter_) {}

  static QImage MakeImage() {
    EnsureGuiApplication();
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
  }
  const QImage& Finished() {
    painter_.end();
    return image_;
  }

  QImage image_;
  QPainter painter_;
  CScreenDC device_;
  const CFont times_{"Times-Roman", 14};
};

}  // namespace

// --- Fills and lines ---------------------------------------------------------------------------

TEST_F(ScreenDC, FillsCoverTheRectangleWithoutItsRightAndBottomEdges) {
  device_.FillSolidRect(CRect{10, 20, 30, 25}, Rgb(255, 0, 0));
  device_.FillSolidRect(50, 20, 4, 3, Rgb(0, 0, 255));
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(10, 20), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(29, 24), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(30, 24), kWhitePixel);
  EXPECT_EQ(image.pixel(29, 25), kWhitePixel);
  EXPECT_EQ(image.pixel(9, 20), kWhitePixel);
  EXPECT_EQ(image.pixel(53, 22), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(54, 22), kWhitePixel);
  EXPECT_EQ(image.pixel(53, 23), kWhitePixel);
}

TEST_F(ScreenDC, LinesLeaveOutTheirEndPoint) {
  device_.DrawLine(10, 50, 30, 50);
  device_.DrawLine(CPoint{80, 60}, CPoint{60, 60});
  device_.MoveTo(100, 10);
  device_.LineTo(100, 20);
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(10, 50), kBlackPixel);
  EXPECT_EQ(image.pixel(29, 50), kBlackPixel);
  EXPECT_EQ(image.pixel(30, 50), kWhitePixel);
  EXPECT_EQ(image.pixel(10, 49), kWhitePixel);
  EXPECT_EQ(image.pixel(80, 60), kBlackPixel);  // drawn from right to left
  EXPECT_EQ(image.pixel(61, 60), kBlackPixel);
  EXPECT_EQ(image.pixel(60, 60), kWhitePixel);
  EXPECT_EQ(image.pixel(100, 19), kBlackPixel);
  EXPECT_EQ(image.pixel(100, 20), kWhitePixel);
  EXPECT_EQ(device_.GetCurrentPosition(), (CPoint{100, 20}));
}

TEST_F(ScreenDC, DiagonalLinesAreDrawnWithTheSelectedPen) {
  const CPen red{Rgb(255, 0, 0), 1, CPenStyle::kSolid};
  device_.SelectPen(&red);
  device_.DrawLine(0, 0, 10, 10);
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(9, 9), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(10, 10), kWhitePixel);
  EXPECT_EQ(image.pixel(5, 6), kWhitePixel);
}

TEST_F(ScreenDC, RectangleOutlineIncludesTheRightAndBottomEdges) {
  device_.DrawRectangle(CRect{10, 10, 20, 15});
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(10, 10), kBlackPixel);
  EXPECT_EQ(image.pixel(20, 10), kBlackPixel);
  EXPECT_EQ(image.pixel(20, 15), kBlackPixel);
  EXPECT_EQ(image.pixel(10, 15), kBlackPixel);
  EXPECT_EQ(image.pixel(15, 12), kWhitePixel);
  EXPECT_EQ(image.pixel(21, 10), kWhitePixel);
  EXPECT_EQ(image.pixel(15, 16), kWhitePixel);
  const CInk ink = InkOf(image);
  EXPECT_EQ(ink.left, 10);
  EXPECT_EQ(ink.right, 20);
  EXPECT_EQ(ink.top, 10);
  EXPECT_EQ(ink.bottom, 15);
}

TEST_F(ScreenDC, WidePensDrawABandAcrossTheLine) {
  const CPen wide{kBlack, 3, CPenStyle::kSolid};
  EXPECT_NE(device_.SelectPen(&wide), nullptr);  // the default pen was selected before
  device_.DrawLine(20, 50, 40, 50);
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(30, 49), kBlackPixel);
  EXPECT_EQ(image.pixel(30, 51), kBlackPixel);
  EXPECT_EQ(image.pixel(30, 52), kWhitePixel);
  EXPECT_EQ(image.pixel(30, 48), kWhitePixel);
}

TEST_F(ScreenDC, DashedPensLeaveGaps) {
  const CPen dashed{kBlack, 1, CPenStyle::kDash};
  device_.SelectPen(&dashed);
  device_.DrawLine(0, 50, 100, 50);
  const QImage& image = Finished();
  int white = 0;
  for (int x = 0; x < 100; ++x)
    white += image.pixel(x, 50) == kWhitePixel;
  EXPECT_GT(white, 10);
  EXPECT_LT(white, 90);
}

// --- Mapping -----------------------------------------------------------------------------------

TEST_F(ScreenDC, AnisotropicMappingScalesAndShiftsEverything) {
  device_.SetWindowExt({100, 50});
  device_.SetViewportExt({200, 100});  // zoom 2
  device_.FillSolidRect(CRect{5, 5, 10, 10}, Rgb(0, 255, 0));
  CRect rect{5, 5, 10, 10};
  device_.LPtoDP(rect);
  EXPECT_EQ(rect, (CRect{10, 10, 20, 20}));
  device_.DPtoLP(rect);
  EXPECT_EQ(rect, (CRect{5, 5, 10, 10}));
  EXPECT_EQ(device_.SetViewportOrg(-20, 0), (CPoint{0, 0}));
  EXPECT_EQ(device_.GetViewportOrg(), (CPoint{-20, 0}));
  CPoint points[2] = {{20, 0}, {30, 1}};
  device_.LPtoDP(points, 2);
  EXPECT_EQ(points[0], (CPoint{20, 0}));
  EXPECT_EQ(points[1], (CPoint{40, 2}));
  device_.DPtoLP(points, 2);
  EXPECT_EQ(points[1], (CPoint{30, 1}));
  device_.FillSolidRect(CRect{50, 5, 51, 6}, Rgb(0, 0, 255));  // device 80..82 × 10..12
  EXPECT_EQ(device_.SetWindowOrg(1, 0), (CPoint{0, 0}));
  EXPECT_EQ(device_.GetWindowOrg(), (CPoint{1, 0}));
  const QImage& image = Finished();
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(19, 19), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(20, 19), kWhitePixel);
  EXPECT_EQ(image.pixel(80, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(81, 11), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(82, 11), kWhitePixel);
}

TEST_F(ScreenDC, ZoomAndPrintingPreparationsSetTheExtents) {
  device_.PrepareZoom({300, 120}, 1.5, {30, 6});
  EXPECT_EQ(device_.GetWindowExt(), (CSize{300, 120}));
  EXPECT_EQ(device_.GetViewportExt(), (CSize{450, 180}));
  EXPECT_EQ(device_.GetViewportOrg(), (CPoint{-30, -6}));
  device_.FillSolidRect(CRect{20, 4, 40, 10}, kBlack);  // device 0..30 × 0..9
  device_.PrepareZoom({300, 120}, 0.001, {0, 0});
  EXPECT_EQ(device_.GetViewportExt(), (CSize{1, 1}));
  device_.PreparePrinting({400, 100}, {2000, 3000});  // wide picture, tall page
  EXPECT_EQ(device_.GetViewportExt(), (CSize{2000, 500}));
  device_.PreparePrinting({100, 400}, {2000, 3000});
  EXPECT_EQ(device_.GetViewportExt(), (CSize{750, 3000}));
  const CInk ink = InkOf(Finished());
  EXPECT_EQ(ink.left, 0);
  EXPECT_EQ(ink.top, 0);
  EXPECT_EQ(ink.right, 29);
  EXPECT_EQ(ink.bottom, 8);
}

TEST_F(ScreenDC, ClipBoxIsTheDeviceOrTheClipInLogicalUnits) {
  CRect box;
  EXPECT_EQ(device_.GetClipBox(box), kRegionSimple);
  EXPECT_EQ(box, (CRect{0, 0, 200, 100}));
  device_.SetWindowExt({100, 50});
  device_.SetViewportExt({200, 100});
  device_.GetClipBox(box);
  EXPECT_EQ(box, (CRect{0, 0, 100, 50}));
  painter_.setClipRect(QRect(20, 10, 40, 30));
  device_.GetClipBox(box);
  EXPECT_EQ(box, (CRect{10, 5, 30, 20}));
  painter_.setClipRect(QRect(0, 0, 0, 0));
  EXPECT_EQ(device_.GetClipBox(box), kRegionNull);
}

TEST_F(ScreenDC, PrintingIsTheTargetsFlag) {
  EXPECT_FALSE(device_.IsPrinting());
  CScreenDC printing(painter_, true);
  EXPECT_TRUE(printing.IsPrinting());
}

// --- Text --------------------------------------------------------------------------------------

TEST_F(ScreenDC, LeftTopTextLiesBelowAndRightOfItsPoint) {
  device_.SelectFont(&times_);
  const CSize extent = device_.GetTextExtent("Hg");
  device_.TextOut(50, 30, "Hg", false);
  const CInk ink = InkOf(Finished());
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 50);
  EXPECT_GE(ink.top, 30);
  EXPECT_LT(ink.right, 50 + extent.cx + 1);
  EXPECT_LT(ink.bottom, 30 + extent.cy);
  EXPECT_LT(ink.top, 30 + 6);  // capitals reach near the top of the cell
}

TEST_F(ScreenDC, RightAndCentreAlignmentPlaceTheTextBeforeAndAroundItsPoint) {
  device_.SelectFont(&times_);
  const int width = device_.GetTextExtent("MMMM").cx;
  EXPECT_EQ(device_.SetTextAlign(kAlignRight), kAlignLeft);
  device_.TextOut(100, 10, "MMMM", false);
  device_.SetTextAlign(kAlignCentre);
  device_.TextOut(100, 50, "MMMM", false);
  painter_.end();
  const CInk right = InkOf(image_.copy(0, 0, 200, 40));
  EXPECT_LE(right.right, 100);
  EXPECT_GE(right.left, 100 - width - 1);
  const CInk centre = InkOf(image_.copy(0, 45, 200, 55));
  EXPECT_NEAR((centre.left + centre.right) / 2.0, 100, 2);
}

TEST_F(ScreenDC, BottomAndBaselineAlignmentPutTheTextAboveItsPoint) {
  device_.SelectFont(&times_);
  device_.SetTextAlign(kAlignBottom);
  device_.TextOut(20, 40, "Hg", false);
  device_.SetTextAlign(kAlignBaseline | kAlignRight);
  device_.TextOut(150, 80, "H", false);
  painter_.end();
  const CInk bottom = InkOf(image_.copy(0, 0, 100, 100));
  EXPECT_LT(bottom.bottom, 40);
  EXPECT_GT(bottom.bottom, 34);  // the descender nearly reaches it
  const CInk baseline = InkOf(image_.copy(100, 0, 100, 100));
  EXPECT_EQ(baseline.bottom, 79);  // "H" stands on the baseline
  EXPECT_LE(baseline.right + 100, 150);
}

TEST_F(ScreenDC, TextTakesTheTextColourAndAnOpaqueBackgroundWhenAsked) {
  device_.SelectFont(&times_);
  EXPECT_EQ(device_.SetTextColor(Rgb(255, 0, 0)), kBlack);
  device_.TextOut(10, 10, "H", false);
  EXPECT_EQ(device_.SetBkColor(Rgb(0, 0, 255)), Rgb(255, 255, 255));
  device_.SetBackgroundMode(CScreenDC::BackgroundMode::kOpaque);
  device_.TextOut(100, 10, "H", false);
  const QImage& image = Finished();
  bool red = false;
  for (int y = 10; y < 30; ++y) {
    for (int x = 10; x < 25; ++x)
      red = red || image.pixel(x, y) == qRgb(255, 0, 0);
  }
  EXPECT_TRUE(red);
  EXPECT_EQ(image.pixel(100, 10), qRgb(0, 0, 255));  // the cell's corner is background
  EXPECT_EQ(image.pixel(10, 10), kWhitePixel);
}

TEST_F(ScreenDC, TextScalesWithTheZoom) {
  device_.SelectFont(&times_);
  device_.TextOut(10, 10, "H", false);
  device_.SetWindowExt({100, 100});
  device_.SetViewportExt({200, 200});
  device_.TextOut(50, 5, "H", false);
  painter_.end();
  const CInk small = InkOf(image_.copy(0, 0, 90, 100));
  const CInk large = InkOf(image_.copy(90, 0, 110, 100));
  const int smallHeight = small.bottom - small.top + 1;
  const int largeHeight = large.bottom - large.top + 1;
  EXPECT_NEAR(largeHeight, 2 * smallHeight, 2);
  EXPECT_GE(large.left + 90, 100);
  EXPECT_GE(large.top, 10);
}

TEST_F(ScreenDC, Latin1AndUtf8LabelsLookTheSame) {
  device_.SelectFont(&times_);
  device_.TextOut(10, 10, "caf\xE9", false);
  device_.TextOut(10, 50, "caf\xC3\xA9", false);
  painter_.end();
  EXPECT_EQ(image_.copy(0, 0, 200, 40), image_.copy(0, 40, 200, 40));
  EXPECT_FALSE(InkOf(image_.copy(0, 0, 200, 40)).Empty());
}

TEST_F(ScreenDC, MeasuresLikeTheLayoutsMeasurer) {
  CQtTextMeasurer measurer;
  const CFont label{"", 12};
  device_.SelectFont(&label);
  EXPECT_EQ(device_.GetTextExtent("Row label 17"), measurer.TextExtent(label, "Row label 17"));
  EXPECT_EQ(measurer.TextExtent(times_, "abc"),
            (CSize{QFontMetrics(QtFontOf(times_)).horizontalAdvance("abc"),
                   QFontMetrics(QtFontOf(times_)).height()}));
  EXPECT_GT(measurer.TextExtent(label, "WWWW").cx, measurer.TextExtent(label, "ii").cx);
  EXPECT_EQ(measurer.TextExtent(label, "x").cy, measurer.TextExtent(label, "Xg").cy);
}

TEST_F(ScreenDC, FontsResolveToTimesAndDejaVuSansAtPixelSizes) {
  const QFont times = QtFontOf(times_);
  EXPECT_EQ(times.pixelSize(), 14);
  EXPECT_TRUE(QFontInfo(times).family().startsWith("Nimbus Roman"))
      << QFontInfo(times).family().toStdString();
  const QFont label = QtFontOf(CFont{"", -24, kFontWeightBold, true});
  EXPECT_EQ(label.pixelSize(), 24);
  EXPECT_TRUE(QFontInfo(label).family().startsWith("DejaVu Sans"));
  EXPECT_TRUE(label.italic());
  EXPECT_EQ(label.weight(), QFont::Bold);
  EXPECT_EQ(QtFontOf(times_, 8.33).pixelSize(), 117);  // a 600-dpi writer at 72 dpi layout
}

TEST_F(ScreenDC, TabbedTextStartsEachPieceAtTheNextStop) {
  device_.SelectFont(&times_);
  const int stops[] = {80};
  device_.TabbedTextOut(10, 10, "a\tb", -1, 1, stops, 10);
  EXPECT_EQ(device_.GetTabbedTextExtent("a\tb", -1, 1, stops).cx,
            80 + device_.GetTextExtent("b").cx);
  painter_.end();
  const CInk second = InkOf(image_.copy(60, 0, 140, 100));
  ASSERT_FALSE(second.Empty());
  EXPECT_GE(second.left + 60, 90);
  EXPECT_LT(second.left + 60, 95);
}

TEST_F(ScreenDC, DrawTextMeasuresOrWritesInsideTheRectangle) {
  device_.SelectFont(&times_);
  CRect measure{10, 10, 10, 10};
  const int height =
      device_.DrawText("Label", measure, kDrawTextCalculateRect | kDrawTextSingleLine);
  EXPECT_EQ(height, device_.GetTextExtent("Label").cy);
  EXPECT_EQ(measure.Width(), device_.GetTextExtent("Label").cx);
  CRect box{100, 20, 190, 60};
  EXPECT_GT(device_.DrawText("Label", box,
                             kDrawTextCentre | kDrawTextVerticalCentre | kDrawTextSingleLine),
            0);
  const CInk ink = InkOf(Finished());
  EXPECT_GE(ink.left, 100);
  EXPECT_LE(ink.right, 190);
  EXPECT_GT(ink.top, 25);
  EXPECT_LT(ink.bottom, 55);
}

TEST_F(ScreenDC, TurnedTextReadsUpwardsFromItsPointCentredAcrossIt) {
  device_.SelectFont(&times_);
  const CSize extent = device_.GetTextExtent("Turned");
  device_.SetTextAlign(kAlignRight);  // the alignment does not apply to turned text
  device_.TextOutTurned(100, 90, "Turned");
  const CInk ink = InkOf(Finished());
  ASSERT_FALSE(ink.Empty());
  // The ink is a tall narrow strip: the text's length runs up from y = 90.
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_LE(ink.bottom, 90);
  EXPECT_GE(ink.top, 90 - extent.cx - 1);
  EXPECT_LT(ink.top, 90 - extent.cx + 6);
  // Centred across x = 100 within a few pixels.
  EXPECT_LT(std::abs((ink.left + ink.right) / 2 - 100), 4);
}
