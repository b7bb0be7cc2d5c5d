// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "render/ColorScales.h"
#include "render/LevelColor.h"
#include "render/Pen.h"
#include "settings/Choices.h"

class CDevice;
struct CFont;
struct DisplaySettings;

// What the painter needs of the table it paints.
struct CPaintedData {
  EDataType dataType = EDataType::kNumerical;
  int representation = 0;  // DataRepresentation (nominal: the colour levels, ENominalLevels)
  double maxValue = 0.0;   // the table's value range
  double minValue = 0.0;
  std::vector<int> maxCodes;  // nominal: the largest code of each column

  bool IsNominal() const { return dataType == EDataType::kNominal; }
  bool NominalLevels(ENominalLevels levels) const {
    return IsNominal() && representation == CodeOf(levels);
  }
};

inline constexpr int kLevelCount = 512;
inline constexpr int kMaximumLevelsPerSide = 255;
inline constexpr ColorRef kMissingColor = Rgb(100, 100, 100);
inline constexpr ColorRef kZeroColor = Rgb(0, 0, 0);

// The background of the picture on the screen (the display's BkColor choice; printers always
// print on white).
ColorRef ScreenBackground(const DisplaySettings& display);

// Turns data values into the colours of heat-map cells and draws the colour-scale legend, for
// one drawing pass on one device. The scale is signed: positive values take shades of the high
// colour, negative ones shades of the low colour, zero is black and missing values dark grey;
// the optical spectrum runs through the hues from the low colour to the high one instead.
class CColorPainter {
 public:
  CColorPainter(CDevice& device, const DisplaySettings& display, CPaintedData data);

  CDevice& Device() { return device_; }
  const CPaintedData& Data() const { return data_; }

  // The colour of signed level a (−n ≤ a ≤ n) on a scale of n levels per side.
  ColorRef ShadeColor(int a, int n) const;
  // Fills the level table from the settings: the spectrum or the signed table.
  void BuildLevelTable();
  // The signed table: entry n − i holds level −i, entry n + i level i, entry n black.
  void BuildSymmetricTable(int n);
  // The table index of a value (always inside the table).
  int LevelOf(double value, bool forMetrics) const;
  // The RGB form of a table entry (converted from HLS on first read).
  ColorRef LevelColor(int level);
  // Fills `rect` with the colour of `value`, or leaves it unpainted for a hidden sign.
  void PaintCell(CRect rect, double value, bool forMetrics);
  // The colour PaintCell would fill with, or CDevice::kUnpaintedCell when it leaves the cell.
  ColorRef CellColor(double value, bool forMetrics);

  // The range values are scaled against, always ±M.
  double RangeMax() const { return rangeMax_; }
  double RangeMin() const { return rangeMin_; }
  // ±M with M the larger of the table's maximum and its negated minimum.
  void UseDataRange();
  // Nominal data shown with levels per column: the column's largest code as the top of the
  // range while its cells are painted (nothing for other data); UseDataRange restores it.
  void UseColumnRange(int column);
  // A dissimilarity matrix: ±largest; for nominal data the table is rebuilt with 255 levels
  // per side until EndMetrics, which rebuilds the normal table and restores the data range.
  void BeginMetrics(double largestDissimilarity);
  void EndMetrics();

  // Background, text colour and line pen of the picture, set on the device: white background
  // on a printing device; on screen the chosen background, with white text and white lines on
  // black.
  void SetPictureColors();
  ColorRef BackgroundColor() const { return background_; }
  ColorRef TextColor() const { return textColor_; }
  const CPen& LinePen() const { return *linePen_; }

  // The colour-scale legend at the text position, in `textFont`; the double rule under it
  // spans `pictureWidth`. Moves the text position below the legend.
  void DrawLegend(const CFont& textFont, int pictureWidth);

  // printf format of a legend value.
  static const char* FormatForValue(double x);
  // The value written in that format (in the C locale).
  static std::string FormatLegendValue(double x);

  // The text position, advanced by the title frame and the legend.
  CPoint textPosition;

 private:
  int LevelsPerSide() const;
  int SpectrumLevel(double value, int n) const;
  void BuildSpectrumTable(int n);
  // A scale sampled from a colour map: 2n + 1 samples, and the sample of a value.
  void BuildSampledTable(int n);
  int SampledLevel(double value, int n) const;
  int HighSwitch(int channel) const;
  int LowSwitch(int channel) const;

  CDevice& device_;
  const DisplaySettings& display_;
  const CColorScaleRow& scale_;
  CPaintedData data_;
  std::array<CLevelColor, kLevelCount> table_{};
  double rangeMax_ = 0.0;
  double rangeMin_ = 0.0;
  // The values a sequential scale runs between: the data's range, or 0 to the largest
  // dissimilarity of a matrix.
  double sequentialLow_ = 0.0;
  double sequentialHigh_ = 0.0;
  ColorRef missingColor_ = kMissingColor;
  ColorRef zeroColor_ = kZeroColor;
  ColorRef background_ = Rgb(255, 255, 255);
  ColorRef textColor_ = Rgb(0, 0, 0);
  CPen blackPen_{Rgb(0, 0, 0), 1, CPenStyle::kSolid};
  CPen whitePen_{Rgb(255, 255, 255), 1, CPenStyle::kSolid};
  const CPen* linePen_ = &blackPen_;
};
