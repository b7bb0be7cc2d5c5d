// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "GuiApplication.h"
#include "qt/RasterImage.h"
#include "qt/ScreenDC.h"
#include "render/ColorPainter.h"
#include "settings/DisplaySettings.h"

TEST(RasterImage, PaintingOnTheImageFillsTheRastersPixels) {
  EnsureGuiApplication();
  CRaster raster;
  ASSERT_TRUE(raster.Allocate(30, 20));
  raster.dotsPerInch = 96;
  {
    QImage image = ImageOverRaster(raster);
    EXPECT_EQ(image.dotsPerMeterX(), 3780);
    QPainter painter(&image);
    CScreenDC device(painter);
    device.FillSolidRect(CRect{2, 3, 5, 4}, Rgb(10, 20, 30));
  }
  EXPECT_EQ(raster.Pixel(2, 3) & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(RasterRed(raster.Pixel(4, 3)), 10u);
  EXPECT_EQ(RasterBlue(raster.Pixel(4, 3)), 30u);
  EXPECT_EQ(raster.Pixel(5, 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(RasterImage, CopiesAnImageWithItsResolution) {
  EnsureGuiApplication();
  QImage image(3, 2, QImage::Format_RGB888);
  image.fill(QColor(1, 2, 3));
  image.setPixelColor(2, 1, QColor(200, 100, 50));
  image.setDotsPerMeterX(11811);  // 300 dpi
  const CRaster raster = RasterFromImage(image);
  EXPECT_EQ(raster.width, 3);
  EXPECT_EQ(raster.height, 2);
  EXPECT_EQ(raster.dotsPerInch, 300);
  EXPECT_EQ(raster.Pixel(0, 0) & 0xFFFFFF, 0x010203u);
  EXPECT_EQ(raster.Pixel(2, 1) & 0xFFFFFF, 0xC86432u);
}

TEST(RasterImage, ColourPainterCellsLandOnTheirPixels) {
  EnsureGuiApplication();
  DisplaySettings display;
  display.m_intNumberOfNuances = 9;
  display.ContrastColor = 30;
  DeriveColorSwitches(display);
  CPaintedData data;
  data.minValue = -9;
  data.maxValue = 9;
  CRaster raster;
  ASSERT_TRUE(raster.Allocate(40, 10));
  QImage image = ImageOverRaster(raster);
  QPainter painter(&image);
  CScreenDC device(painter);
  CColorPainter colors(device, display, data);
  colors.BuildLevelTable();
  const double values[] = {-9, -1, 0, 0.5, 9};  // levels 0, 8, black, 10, 18
  for (int j = 0; j < 5; ++j)
    colors.PaintCell(CRect{8 * j, 0, 8 * j + 8, 10}, values[j], false);
  painter.end();
  EXPECT_EQ(raster.Pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(raster.Pixel(15, 9) & 0xFFFFFF, 0x001C00u);  // RGB(0, 28, 0)
  EXPECT_EQ(raster.Pixel(16, 5) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(raster.Pixel(24, 5) & 0xFFFFFF, 0x1C0000u);
  EXPECT_EQ(raster.Pixel(39, 9) & 0xFFFFFF, 0xFF0000u);
}
