// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "RecordingDevice.h"
#include "render/ColorMapTables.h"
#include "render/ColorPainter.h"
#include "render/ColorScales.h"
#include "render/Font.h"
#include "settings/DisplaySettings.h"

namespace {

ColorRef Hex(std::uint32_t rgb) {
  return Rgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

ColorRef At(EColorScale scale, double t) {
  return FindColorScale(scale).colorAt(t);
}

DisplaySettings WithScale(EColorScale scale, int levels = 255) {
  DisplaySettings display;
  display.m_intNumberOfNuances = levels;
  display.colorScale = scale;
  DeriveColorSwitches(display);
  return display;
}

CPaintedData Numerical(double minimum, double maximum) {
  CPaintedData data;
  data.minValue = minimum;
  data.maxValue = maximum;
  return data;
}

ColorRef Painted(CColorPainter& painter, CRecordingDevice& device, double value) {
  device.fills.clear();
  painter.PaintCell(CRect{0, 0, 1, 1}, value, false);
  return device.fills.empty() ? CDevice::kUnpaintedCell : device.fills.back().color;
}

}  // namespace

TEST(ColorMaps, ViridisAndCividisFollowTheirPublishedTables) {
  // The ends and some interior entries of the published maps.
  EXPECT_EQ(At(EColorScale::kViridis, 0.0), Hex(0x440154));
  EXPECT_EQ(At(EColorScale::kViridis, 1.0), Hex(0xfde725));
  EXPECT_EQ(At(EColorScale::kViridis, 64 / 255.0), Hex(0x3b528b));
  EXPECT_EQ(At(EColorScale::kViridis, 128 / 255.0), Hex(0x21918c));
  EXPECT_EQ(At(EColorScale::kViridis, 192 / 255.0), Hex(0x5ec962));
  EXPECT_EQ(At(EColorScale::kCividis, 0.0), Hex(0x00224e));
  EXPECT_EQ(At(EColorScale::kCividis, 1.0), Hex(0xfee838));
  EXPECT_EQ(At(EColorScale::kCividis, 128 / 255.0), Hex(0x7d7c78));
  EXPECT_EQ(ViridisTable()[32], 0x472d7bu);
  EXPECT_EQ(ViridisTable()[200], 0x70cf57u);
  EXPECT_EQ(CividisTable()[64], 0x434e6cu);
  EXPECT_EQ(CividisTable()[200], 0xc4b468u);
  // Between two entries the colour lies between them; outside [0, 1] the ends hold.
  const ColorRef between = At(EColorScale::kViridis, 0.5 / 255.0);
  EXPECT_EQ(GreenOf(between), 2u);  // entries 0x440154 and 0x440256
  EXPECT_EQ(At(EColorScale::kCividis, -3.0), Hex(0x00224e));
  EXPECT_EQ(At(EColorScale::kCividis, 7.0), Hex(0xfee838));
}

// CIE lightness L* of an sRGB colour.
double Lightness(std::uint32_t rgb) {
  const auto linear = [](unsigned byte) {
    const double u = byte / 255.0;
    return u <= 0.04045 ? u / 12.92 : std::pow((u + 0.055) / 1.055, 2.4);
  };
  const double y = 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) +
                   0.0722 * linear(rgb & 0xFF);
  return y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
}

TEST(ColorMaps, ViridisAndCividisGrowSteadilyLighter) {
  // Perceptually uniform maps rise in lightness all along (over a few entries: bytes round).
  for (const auto* table : {&ViridisTable(), &CividisTable()}) {
    for (size_t k = 0; k + 4 < table->size(); ++k) {
      EXPECT_GT(Lightness((*table)[k + 4]), Lightness((*table)[k]) + 0.5) << k;
    }
    EXPECT_GT(Lightness(table->back()) - Lightness(table->front()), 60.0);
  }
}

TEST(ColorMaps, TheDivergingScaleIsWhiteAtZeroAndDarkBlueAndRedAtItsEnds) {
  EXPECT_EQ(At(EColorScale::kDiverging, 0.5), Hex(0xffffff));
  EXPECT_EQ(At(EColorScale::kDiverging, 0.0), Hex(0x053061));
  EXPECT_EQ(At(EColorScale::kDiverging, 1.0), Hex(0x67001f));
  EXPECT_GT(BlueOf(At(EColorScale::kDiverging, 0.25)), RedOf(At(EColorScale::kDiverging, 0.25)));
  EXPECT_GT(RedOf(At(EColorScale::kDiverging, 0.75)), BlueOf(At(EColorScale::kDiverging, 0.75)));

  // On the heat map: 0 is white, ±M the two ends, whatever the sign of the range's ends.
  const DisplaySettings display = WithScale(EColorScale::kDiverging);
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-2, 5));
  painter.BuildLevelTable();
  EXPECT_EQ(Painted(painter, device, 0.0), Hex(0xffffff));
  EXPECT_EQ(Painted(painter, device, 5.0), Hex(0x67001f));
  EXPECT_EQ(Painted(painter, device, -5.0), Hex(0x053061));
  // −2 is 0.4 of the way from the middle to the blue end.
  const ColorRef minus2 = Painted(painter, device, -2.0);
  EXPECT_GT(BlueOf(minus2), RedOf(minus2));
  EXPECT_NE(minus2, Hex(0x053061));
  EXPECT_EQ(Painted(painter, device, -99999), kMissingColor);
}

TEST(ColorMaps, ASequentialScaleSpansTheDataRangeOnTheHeatMap) {
  const DisplaySettings display = WithScale(EColorScale::kViridis);
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-3, 9));
  painter.BuildLevelTable();
  EXPECT_EQ(Painted(painter, device, -3.0), Hex(0x440154));
  EXPECT_EQ(Painted(painter, device, 9.0), Hex(0xfde725));
  // Zero is a value like any other: not black.
  EXPECT_NE(Painted(painter, device, 0.0), Rgb(0, 0, 0));
  // A dissimilarity matrix runs from 0 to its largest value.
  painter.BeginMetrics(4.0);
  EXPECT_EQ(Painted(painter, device, 0.0), Hex(0x440154));
  EXPECT_EQ(Painted(painter, device, 4.0), Hex(0xfde725));
  painter.EndMetrics();
  EXPECT_EQ(Painted(painter, device, 9.0), Hex(0xfde725));
}

TEST(ColorMaps, TheLegendShowsTheRangeOfASequentialScaleAndPlusMinusMOfADivergingOne) {
  const CFont font{"Times-Roman", 14};
  {
    const DisplaySettings display = WithScale(EColorScale::kCividis);
    CRecordingDevice device;
    CColorPainter painter(device, display, Numerical(-1, 3));
    painter.BuildLevelTable();
    painter.DrawLegend(font, 600);
    ASSERT_EQ(device.fills.size(), 512u);
    EXPECT_EQ(device.fills.front().color, Hex(0x00224e));
    EXPECT_EQ(device.fills.back().color, Hex(0xfee838));
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[1].text, "Min = -1.00");
    EXPECT_EQ(device.texts[2].text, "Max = 3.00");
    EXPECT_EQ(device.texts[3].text, "1.00");
  }
  {
    const DisplaySettings display = WithScale(EColorScale::kDiverging);
    CRecordingDevice device;
    CColorPainter painter(device, display, Numerical(0, 4));
    painter.BuildLevelTable();
    painter.DrawLegend(font, 600);
    ASSERT_EQ(device.fills.size(), 512u);
    EXPECT_EQ(device.fills.front().color, Hex(0x053061));
    EXPECT_EQ(device.fills.back().color, Hex(0x67001f));
    EXPECT_EQ(device.texts[1].text, "Min = -4.00");
    EXPECT_EQ(device.texts[2].text, "Max = 4.00");
    EXPECT_EQ(device.texts[3].text, " 0.00");
  }
}
