// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RecordingDevice.h"
#include "base/Missing.h"
#include "render/ColorPainter.h"
#include "render/Font.h"
#include "render/ScaleSettings.h"
#include "settings/DisplaySettings.h"

namespace {

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kGreen = Rgb(0, 255, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);
constexpr ColorRef kBlack = Rgb(0, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);

// Nine levels per side, linear contrast, red for positive and green for negative values.
DisplaySettings NineLevels() {
  DisplaySettings display;
  display.m_intNumberOfNuances = 9;
  display.ContrastColor = 30;
  DeriveColorSwitches(display);
  return display;
}

CPaintedData Numerical(double minimum, double maximum) {
  CPaintedData data;
  data.minValue = minimum;
  data.maxValue = maximum;
  return data;
}

CPaintedData Nominal(int representation, double maximum, std::vector<int> maxCodes) {
  CPaintedData data;
  data.dataType = EDataType::kNominal;
  data.representation = representation;
  data.maxValue = maximum;
  data.maxCodes = std::move(maxCodes);
  return data;
}

ColorRef PaintedColor(CColorPainter& painter, CRecordingDevice& device, double value,
                      bool forMetrics = false) {
  device.fills.clear();
  painter.PaintCell(CRect{0, 0, 1, 1}, value, forMetrics);
  return device.fills.empty() ? 0xFFFFFFFFu : device.fills.back().color;
}

}  // namespace

// --- Shades ----------------------------------------------------------------------------------

TEST(ColorShades, LinearContrastGivesTheSpecifiedShadesOfRed) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  EXPECT_EQ(painter.ShadeColor(9, 9), kRed);
  EXPECT_EQ(painter.ShadeColor(1, 9), Rgb(28, 0, 0));
  EXPECT_EQ(painter.ShadeColor(0, 9), kBlack);
  EXPECT_EQ(painter.ShadeColor(-9, 9), kGreen);
  EXPECT_EQ(painter.ShadeColor(-1, 9), Rgb(0, 28, 0));
}

TEST(ColorShades, HigherContrastLiftsTheSmallLevels) {
  DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  display.ContrastColor = 50;
  EXPECT_GT(RedOf(painter.ShadeColor(1, 9)), 28u);
  EXPECT_EQ(painter.ShadeColor(9, 9), kRed);
  display.ContrastColor = 10;
  EXPECT_LT(RedOf(painter.ShadeColor(1, 9)), 28u);
}

TEST(ColorShades, ContrastZeroIsTakenAsOneInsteadOfDividingByZero) {
  DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  display.ContrastColor = 1;
  const ColorRef atOne = painter.ShadeColor(5, 9);
  display.ContrastColor = 0;
  EXPECT_EQ(painter.ShadeColor(5, 9), atOne);
  display.ContrastColor = -20;
  EXPECT_EQ(painter.ShadeColor(5, 9), atOne);
}

TEST(ColorShades, ColourIndexSevenPaintsItsSideWhite) {
  DisplaySettings display = NineLevels();
  display.m_intColorHighValue = 7;
  DeriveColorSwitches(display);
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  EXPECT_EQ(painter.ShadeColor(3, 9), kWhite);
  EXPECT_EQ(painter.ShadeColor(9, 9), kWhite);
  EXPECT_EQ(painter.ShadeColor(0, 9), kWhite);
  EXPECT_EQ(painter.ShadeColor(-9, 9), kGreen);  // the negative side is unchanged
}

TEST(ColorShades, SymmetricTableMirrorsTheLevelsAroundBlack) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildSymmetricTable(9);
  EXPECT_EQ(painter.LevelColor(9), kBlack);
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(painter.LevelColor(9 + i), painter.ShadeColor(i, 9));
    EXPECT_EQ(painter.LevelColor(9 - i), painter.ShadeColor(-i, 9));
  }
  EXPECT_EQ(painter.LevelColor(-5), painter.LevelColor(0));  // reads are clamped to the table
  EXPECT_EQ(painter.LevelColor(9999), painter.LevelColor(511));
}

TEST(ColorShades, HlsEntriesTurnIntoRgbOnFirstRead) {
  CLevelColor entry;
  entry.SetHls(120.0f, 0.5f, 1.0f);
  EXPECT_FALSE(entry.RgbValid());
  EXPECT_EQ(entry.Rgb(), kGreen);
  EXPECT_TRUE(entry.RgbValid());
  EXPECT_TRUE(entry.HlsValid());
  const CHls hls = RgbToHls(Rgb(0, 255, 255));
  EXPECT_FLOAT_EQ(hls.hue, 180.0f);
  EXPECT_FLOAT_EQ(hls.lightness, 0.5f);
  EXPECT_FLOAT_EQ(hls.saturation, 1.0f);
  const CHls grey = RgbToHls(Rgb(235, 235, 235));
  EXPECT_EQ(grey.hue, 0.0f);
  EXPECT_EQ(grey.saturation, 0.0f);
  EXPECT_EQ(HlsToRgb(0.0f, 0.5f, 0.0f), Rgb(127, 127, 127));
}

// --- Optical spectrum --------------------------------------------------------------------------

TEST(ColorSpectrum, DefaultColoursRunFromBlueThroughCyanGreenYellowToRed) {
  DisplaySettings display = NineLevels();
  SetOpticalSpectrum(display, true);
  display.m_intNumberOfNuances = 5;
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildLevelTable();
  EXPECT_EQ(painter.LevelColor(0), kBlue);
  EXPECT_EQ(painter.LevelColor(1), Rgb(0, 255, 255));
  EXPECT_EQ(painter.LevelColor(2), kGreen);
  EXPECT_EQ(painter.LevelColor(3), Rgb(255, 255, 0));
  EXPECT_EQ(painter.LevelColor(4), kRed);
}

TEST(ColorSpectrum, SwitchingKeepsAndRestoresTheColourChoices) {
  DisplaySettings display;
  display.m_intColorHighValue = 1;
  display.m_intColorLowValue = 3;
  DeriveColorSwitches(display);
  SetOpticalSpectrum(display, true);
  EXPECT_EQ(display.m_intColorHighValue, 0);
  EXPECT_EQ(display.m_intColorLowValue, 4);
  EXPECT_EQ(display.B_l, 1);
  SetOpticalSpectrum(display, true);  // a second "on" keeps the first choices
  SetOpticalSpectrum(display, false);
  EXPECT_EQ(display.m_intColorHighValue, 1);
  EXPECT_EQ(display.m_intColorLowValue, 3);
  EXPECT_EQ(display.G_h, 1);
}

TEST(ColorSpectrum, OneLevelBecomesTwoWithTheSpectrum) {
  DisplaySettings display;
  SetLevelChoice(display, 6);
  EXPECT_EQ(display.m_intNumberOfNuances, 1);
  SetOpticalSpectrum(display, true);
  EXPECT_EQ(display.m_intColorNumberOfNuances, 5);
  EXPECT_EQ(display.m_intNumberOfNuances, 2);
  SetLevelChoice(display, 6);
  EXPECT_EQ(display.m_intColorNumberOfNuances, 5);
  SetLevelChoice(display, 1);
  EXPECT_EQ(display.m_intNumberOfNuances, 32);
}

TEST(ColorSpectrum, NonNegativeDataUseOnlyTheUpperHalf) {
  DisplaySettings display = NineLevels();
  display.opticalSpectrum = true;
  display.m_intNumberOfNuances = 10;
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(0, 8));
  EXPECT_EQ(painter.RangeMin(), -8);
  EXPECT_EQ(painter.LevelOf(0.0001, false), 5);
  EXPECT_EQ(painter.LevelOf(8, false), 9);
  EXPECT_EQ(painter.LevelOf(-8, false), 0);
  EXPECT_EQ(painter.LevelOf(100, false), 9);  // beyond the range: the end of the spectrum
  EXPECT_EQ(painter.LevelOf(-100, false), 0);
}

TEST(ColorSpectrum, OneLevelSpectrumStaysAtTheLowColour) {
  DisplaySettings display = NineLevels();
  display.opticalSpectrum = true;
  display.m_intColorLowValue = 4;
  DeriveColorSwitches(display);
  display.m_intNumberOfNuances = 1;
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildLevelTable();
  EXPECT_EQ(painter.LevelColor(0), kBlue);
}

// --- Levels of values --------------------------------------------------------------------------

TEST(ColorLevels, SignedScaleMapsTheRangeOntoZeroToTwoN) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-10, 4));
  EXPECT_EQ(painter.RangeMax(), 10);
  EXPECT_EQ(painter.LevelOf(10, false), 18);
  EXPECT_EQ(painter.LevelOf(-10, false), 0);
  EXPECT_EQ(painter.LevelOf(0.001, false), 10);  // any positive value leaves the middle
  EXPECT_EQ(painter.LevelOf(-0.001, false), 8);
  EXPECT_EQ(painter.LevelOf(5, false), 14);   // trunc(13.5) + 1
  EXPECT_EQ(painter.LevelOf(-5, false), 4);   // trunc(4.5)
  EXPECT_EQ(painter.LevelOf(40, false), 18);  // beyond the range: the end of the scale
  EXPECT_EQ(painter.LevelOf(-40, false), 0);
}

TEST(ColorLevels, StoredLevelCountsOutsideTheTableAreClamped) {
  DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  display.m_intNumberOfNuances = 1000;
  painter.BuildLevelTable();
  EXPECT_EQ(painter.LevelOf(1, false), 510);
  display.m_intNumberOfNuances = 0;
  painter.BuildLevelTable();
  EXPECT_EQ(painter.LevelOf(1, false), 2);
  EXPECT_EQ(painter.LevelOf(-1, false), 0);
}

TEST(ColorLevels, AllZeroDataDoNotProduceWildLevels) {
  DisplaySettings display = NineLevels();
  display.opticalSpectrum = true;
  display.blackForZero = false;
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(0, 0));
  EXPECT_EQ(painter.LevelOf(0, false), 0);
  display.opticalSpectrum = false;
  EXPECT_EQ(painter.LevelOf(0, false), 0);
}

TEST(ColorLevels, NominalCodesIndexTheTableWithinItsBounds) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Nominal(0, 700, {3, 700}));
  EXPECT_EQ(painter.LevelOf(3, false), 3);
  EXPECT_EQ(painter.LevelOf(600, false), 511);
  painter.BuildLevelTable();
  EXPECT_EQ(PaintedColor(painter, device, 600), painter.LevelColor(511));
}

TEST(ColorLevels, NominalLevelsPerColumnUseTheColumnsLargestCode) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Nominal(8, 4, {1, 4}));
  EXPECT_EQ(painter.LevelOf(1, false), 5);  // trunc((1 + 4) / 8 × 9)
  painter.UseColumnRange(0);
  EXPECT_EQ(painter.RangeMax(), 1);
  EXPECT_EQ(painter.LevelOf(1, false), 8);  // the column's top code: the last level
  painter.UseColumnRange(7);                // no such column: unchanged
  EXPECT_EQ(painter.RangeMax(), 1);
  painter.UseDataRange();
  EXPECT_EQ(painter.RangeMax(), 4);
}

TEST(ColorLevels, NominalMetricsUseATableOf255LevelsPerSide) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Nominal(0, 3, {3}));
  painter.BuildLevelTable();
  painter.BeginMetrics(2.0);
  EXPECT_EQ(painter.LevelOf(2.0, true), 510);
  EXPECT_EQ(painter.LevelOf(1.0, true), 383);  // trunc(382.5) + 1
  EXPECT_EQ(PaintedColor(painter, device, 2.0, true), kRed);
  painter.EndMetrics();
  EXPECT_EQ(painter.RangeMax(), 3);
  EXPECT_EQ(painter.LevelColor(18), kRed);
  EXPECT_EQ(painter.LevelColor(9), kBlack);
}

// --- Painting cells ----------------------------------------------------------------------------

TEST(ColorCells, MissingZeroAndHiddenSigns) {
  DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildLevelTable();
  EXPECT_EQ(PaintedColor(painter, device, kMissing), Rgb(100, 100, 100));
  display.blackForZero = false;
  EXPECT_EQ(PaintedColor(painter, device, 0.0), kBlack);  // spectrum off: zero is black anyway
  EXPECT_EQ(PaintedColor(painter, device, 1.0), kRed);
  display.showPositive = false;
  EXPECT_EQ(PaintedColor(painter, device, 1.0), 0xFFFFFFFFu);
  EXPECT_EQ(PaintedColor(painter, device, 1.0, true), kRed);  // metrics ignore the switches
  display.showNegative = false;
  EXPECT_EQ(PaintedColor(painter, device, kMissing), 0xFFFFFFFFu);  // missing is negative
  EXPECT_EQ(PaintedColor(painter, device, 0.0), kBlack);
}

TEST(ColorCells, ZeroTakesItsSpectrumColourOnlyWithoutBlackForZero) {
  DisplaySettings display = NineLevels();
  display.opticalSpectrum = true;
  display.showNegative = false;  // the spectrum paints both signs anyway
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildLevelTable();
  EXPECT_EQ(PaintedColor(painter, device, 0.0), kBlack);
  display.blackForZero = false;
  EXPECT_EQ(PaintedColor(painter, device, 0.0), painter.LevelColor(4));
  EXPECT_NE(PaintedColor(painter, device, -1.0), 0xFFFFFFFFu);
}

TEST(ColorCells, RectanglesAreNormalisedBeforeFilling) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-1, 1));
  painter.BuildLevelTable();
  painter.PaintCell(CRect{10, 20, 4, 8}, 1.0, false);
  ASSERT_EQ(device.fills.size(), 1u);
  EXPECT_EQ(device.fills[0].rect, (CRect{4, 8, 10, 20}));
}

// --- Picture colours and legend ----------------------------------------------------------------

TEST(ColorPicture, PrintingGivesWhiteBackgroundAndBlackText) {
  DisplaySettings display = NineLevels();
  display.BkColor = 1;  // black on screen
  CRecordingDevice printer(true);
  CColorPainter painter(printer, display, Numerical(-1, 1));
  painter.SetPictureColors();
  EXPECT_EQ(printer.background, kWhite);
  EXPECT_EQ(printer.textColor, kBlack);
  EXPECT_EQ(printer.pen.color, kBlack);
}

TEST(ColorPicture, BlackScreenBackgroundTurnsTextAndLinesWhite) {
  DisplaySettings display = NineLevels();
  display.BkColor = 1;
  CRecordingDevice screen;
  CColorPainter painter(screen, display, Numerical(-1, 1));
  painter.SetPictureColors();
  EXPECT_EQ(screen.background, kBlack);
  EXPECT_EQ(screen.textColor, kWhite);
  EXPECT_EQ(screen.pen.color, kWhite);
  display.BkColor = 3;
  painter.SetPictureColors();
  EXPECT_EQ(screen.background, Rgb(250, 240, 230));
  EXPECT_EQ(screen.textColor, kBlack);
  display.BkColor = 42;  // an unknown stored index
  painter.SetPictureColors();
  EXPECT_EQ(screen.background, kWhite);
}

TEST(ColorLegend, SignedDataGetTheBarMinMaxMiddleAndTheDoubleRule) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Numerical(-2, 1));
  painter.BuildLevelTable();
  painter.textPosition = {10, 100};
  const CFont font{"Times-Roman", 14};
  painter.DrawLegend(font, 700);

  ASSERT_EQ(device.texts.size(), 4u);
  EXPECT_EQ(device.texts[0].text, "The colors scale:");
  EXPECT_EQ(device.texts[0].y, 100);
  ASSERT_EQ(device.fills.size(), 512u);
  EXPECT_EQ(device.fills[0].rect, (CRect{10, 118, 11, 128}));
  EXPECT_EQ(device.fills[0].color, kGreen);  // −M at the left end
  EXPECT_EQ(device.fills[511].rect, (CRect{521, 118, 522, 128}));
  EXPECT_EQ(device.fills[256].color, kBlack);  // zero in the middle
  EXPECT_EQ(device.texts[1].text, "Min = -2.00");
  EXPECT_EQ(device.texts[1].align, kAlignLeft);
  EXPECT_EQ(device.texts[1].x, 10);
  EXPECT_EQ(device.texts[1].y, 130);
  EXPECT_EQ(device.texts[2].text, "Max = 2.00");
  EXPECT_EQ(device.texts[2].align, kAlignRight);
  EXPECT_EQ(device.texts[2].x, 522);
  EXPECT_EQ(device.texts[3].text, " 0.00");
  EXPECT_EQ(device.texts[3].align, kAlignCentre);
  EXPECT_EQ(device.texts[3].x, 266);
  EXPECT_EQ(painter.textPosition.y, 154);
  EXPECT_EQ(device.calls[device.calls.size() - 2], "DrawLine 0 154 700 154");
  EXPECT_EQ(device.calls.back(), "DrawLine 0 151 700 151");
}

TEST(ColorLegend, PositiveDataRunFromZeroAndPrintingDrawsNoRule) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice printer(true);
  CColorPainter painter(printer, display, Numerical(0, 5000));
  painter.BuildLevelTable();
  painter.DrawLegend(CFont{"Times-Roman", 14}, 700);
  EXPECT_EQ(printer.fills[0].color, kBlack);  // value 0
  EXPECT_EQ(printer.fills[511].color, painter.LevelColor(18));
  EXPECT_EQ(printer.texts[1].text, "Min =  0.00");
  EXPECT_EQ(printer.texts[2].text, "Max = 5000.0");
  EXPECT_EQ(printer.texts[3].text, "2500.0");
  EXPECT_EQ(printer.calls.back().rfind("DrawLine", 0), std::string::npos);
}

TEST(ColorLegend, NominalCodesAreNumberedUnderTheirPartOfTheBar) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Nominal(0, 3, {3, 2}));
  painter.BuildLevelTable();
  painter.DrawLegend(CFont{"Times-Roman", 14}, 600);
  ASSERT_EQ(device.texts.size(), 5u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(device.texts[1 + k].text, std::to_string(k));
    EXPECT_EQ(device.texts[1 + k].x, static_cast<int>((k + 0.5) * 128));
  }
}

TEST(ColorLegend, NominalLevelsPerColumnShowOnlyMinAndMax) {
  const DisplaySettings display = NineLevels();
  CRecordingDevice device;
  CColorPainter painter(device, display, Nominal(8, 3, {3, 2}));
  painter.BuildLevelTable();
  painter.DrawLegend(CFont{"Times-Roman", 14}, 600);
  ASSERT_EQ(device.texts.size(), 3u);
  EXPECT_EQ(device.texts[1].text, "Min");
  EXPECT_EQ(device.texts[2].text, "Max");
}

TEST(ColorLegend, ValueFormatsFollowTheMagnitude) {
  EXPECT_STREQ(CColorPainter::FormatForValue(0.001), "%5.2f");
  EXPECT_STREQ(CColorPainter::FormatForValue(0.0011), "%.4f");
  EXPECT_STREQ(CColorPainter::FormatForValue(-0.05), "%.3f");
  EXPECT_STREQ(CColorPainter::FormatForValue(0.5), "%.2f");
  EXPECT_STREQ(CColorPainter::FormatForValue(1000), "%.1f");
  EXPECT_STREQ(CColorPainter::FormatForValue(10000), "%.0f");
  EXPECT_EQ(CColorPainter::FormatLegendValue(0.001), " 0.00");
  EXPECT_EQ(CColorPainter::FormatLegendValue(0.0011), "0.0011");
  EXPECT_EQ(CColorPainter::FormatLegendValue(-12345.6), "-12346");
}
