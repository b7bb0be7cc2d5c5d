// SPDX-License-Identifier: GPL-3.0-or-later
// Colour scale of the heat map.
//
// ShadeColor maps a signed level a of n per side through the contrast curve
// e = n (1 − (1 − (|a|/n)^d)^(1/d)), d = 30 / contrast, to the intensity 255 e / n of the high
// colour (a > 0) or the low colour (a < 0). The level table holds 512 entries: the signed table
// (entry n ± i for level ±i) or the optical spectrum (n hues from the low colour's hue to the
// high colour's, the long way round). LevelOf truncates toward zero; a positive value moves one
// level up so that no non-zero value shares the middle level. Every level is clamped into the
// table. Building a table costs O(n) time; the table is a fixed 512 entries.
#include "render/ColorPainter.h"

#include <algorithm>
#include <cmath>

#include "base/Missing.h"
#include "render/Device.h"
#include "render/Font.h"
#include "render/NumberText.h"
#include "settings/Choices.h"
#include "settings/DisplaySettings.h"

namespace {

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kBlack = Rgb(0, 0, 0);

// trunc(x) as a level; NaN (a range of zero width) gives 0, and values far outside the table
// stay far outside it for the caller to clamp.
int TruncatedLevel(double x) {
  if (std::isnan(x)) return 0;
  return static_cast<int>(std::clamp(x, -1.0e6, 1.0e6));
}

int ClampedLevel(int level) {
  return std::clamp(level, 0, kLevelCount - 1);
}

}  // namespace

CColorPainter::CColorPainter(CDevice& device, const DisplaySettings& display, CPaintedData data)
    : device_(device),
      display_(display),
      scale_(FindColorScale(display.colorScale)),
      data_(std::move(data)) {
  UseDataRange();
}

// A stored level count outside 1…255 would index beyond the table or divide by zero.
int CColorPainter::LevelsPerSide() const {
  return std::clamp(display_.m_intNumberOfNuances, 1, kMaximumLevelsPerSide);
}

int CColorPainter::HighSwitch(int channel) const {
  const int value = channel == 0 ? display_.R_h : channel == 1 ? display_.G_h : display_.B_h;
  return value > 0 ? 1 : 0;
}

int CColorPainter::LowSwitch(int channel) const {
  const int value = channel == 0 ? display_.R_l : channel == 1 ? display_.G_l : display_.B_l;
  return value > 0 ? 1 : 0;
}

ColorRef CColorPainter::ShadeColor(int a, int n) const {
  const bool highIsNone = display_.m_intColorHighValue == kNoScaleColor;
  const bool lowIsNone = display_.m_intColorLowValue == kNoScaleColor;
  if ((a > 0 && highIsNone) || (a < 0 && lowIsNone) || (a == 0 && (highIsNone || lowIsNone))) {
    return kWhite;
  }
  if (n < 1) return kBlack;
  // A contrast below 1 would divide by zero or turn the curve inside out.
  const int contrast = std::max(display_.ContrastColor, 1);
  const double d = 30.0 / contrast;
  const int magnitude = std::min(std::abs(a), n);
  const double t = static_cast<double>(magnitude) / n;
  const double e = n * (1.0 - std::pow(1.0 - std::pow(t, d), 1.0 / d));
  if (e == 0.0) return kBlack;
  double g = a > 0 ? n + e : n - e;
  if (g < 0.0) g = 0.0;
  if (g >= 512.0) g = 511.0;
  const double intensity = a < 0 ? 255.0 - 255.0 * g / n : (255.0 * g / n + 1.0) - 256.0;
  const int level = std::clamp(static_cast<int>(intensity), 0, 255);
  const bool high = a > 0;
  const int red = high ? HighSwitch(0) : LowSwitch(0);
  const int green = high ? HighSwitch(1) : LowSwitch(1);
  const int blue = high ? HighSwitch(2) : LowSwitch(2);
  return Rgb(static_cast<unsigned>(level * red), static_cast<unsigned>(level * green),
             static_cast<unsigned>(level * blue));
}

void CColorPainter::BuildSymmetricTable(int n) {
  n = std::clamp(n, 1, kMaximumLevelsPerSide);
  for (int i = 1; i <= n; ++i) {
    table_[static_cast<size_t>(n - i)].SetRgb(ShadeColor(-i, n));
    table_[static_cast<size_t>(n + i)].SetRgb(ShadeColor(i, n));
  }
  table_[static_cast<size_t>(n)].SetRgb(kBlack);
}

void CColorPainter::BuildSpectrumTable(int n) {
  const ColorRef high = Rgb(255u * HighSwitch(0), 255u * HighSwitch(1), 255u * HighSwitch(2));
  const ColorRef low = Rgb(255u * LowSwitch(0), 255u * LowSwitch(1), 255u * LowSwitch(2));
  const double lowHue = RgbToHls(low).hue;
  const double highHue = RgbToHls(high).hue;
  double direction = lowHue <= highHue ? 1.0 : -1.0;
  double span = std::abs(highHue - lowHue);
  if (span < 180.0) {  // always the long way round
    span = 360.0 - span;
    direction = -direction;
  }
  for (int l = 0; l < n; ++l) {
    // One level has no step: it takes the low colour's hue.
    double hue = n > 1 ? lowHue + direction * span * l / (n - 1) : lowHue;
    if (hue < 0.0) hue += 360.0;
    if (hue >= 360.0) hue -= 360.0;
    table_[static_cast<size_t>(l)].SetHls(static_cast<float>(hue), 0.5f, 1.0f);
  }
}

void CColorPainter::BuildLevelTable() {
  missingColor_ = kMissingColor;
  zeroColor_ = kZeroColor;
  if (scale_.colorAt != nullptr) {
    BuildSampledTable(LevelsPerSide());
  } else if (display_.opticalSpectrum) {
    BuildSpectrumTable(LevelsPerSide());
  } else {
    BuildSymmetricTable(LevelsPerSide());
  }
}

void CColorPainter::BuildSampledTable(int n) {
  n = std::clamp(n, 1, kMaximumLevelsPerSide);
  for (int level = 0; level <= 2 * n; ++level) {
    table_[static_cast<size_t>(level)].SetRgb(scale_.colorAt(static_cast<double>(level) / (2 * n)));
  }
}

int CColorPainter::SampledLevel(double value, int n) const {
  double t;
  if (scale_.diverging) {
    t = rangeMax_ > 0.0 ? 0.5 + 0.5 * value / rangeMax_ : 0.5;
  } else {
    const double span = sequentialHigh_ - sequentialLow_;
    t = span > 0.0 ? (value - sequentialLow_) / span : 0.0;
  }
  if (!(t >= 0.0)) t = 0.0;  // NaN too
  if (t > 1.0) t = 1.0;
  return static_cast<int>(t * 2 * n + 0.5);
}

int CColorPainter::SpectrumLevel(double value, int n) const {
  int level = TruncatedLevel((value - rangeMin_) / (rangeMax_ - rangeMin_) * n);
  if (level >= n - 1) level = n - 1;
  return std::max(level, 0);
}

// Values beyond the range (a stale range, a code above the largest) take the nearest end of
// their scale instead of a level outside it.
int CColorPainter::LevelOf(double value, bool forMetrics) const {
  const int n = LevelsPerSide();
  int level;
  if (!data_.IsNominal()) {
    if (scale_.colorAt != nullptr) return SampledLevel(value, n);
    if (display_.opticalSpectrum) return SpectrumLevel(value, n);
    level = TruncatedLevel(n + n * value / rangeMax_);
    if (value > 0 && level < 2 * n) ++level;
    return std::clamp(level, 0, 2 * n);
  }
  if (forMetrics) {
    level = TruncatedLevel(value / rangeMax_ * 255 + 255);
    if (value > 0 && level < 510) ++level;
    return std::clamp(level, 0, 2 * kMaximumLevelsPerSide);
  }
  if (data_.NominalLevels(ENominalLevels::kSameForEveryColumn)) {
    return ClampedLevel(TruncatedLevel(value));  // the code itself
  }
  return SpectrumLevel(value, n);
}

ColorRef CColorPainter::LevelColor(int level) {
  return table_[static_cast<size_t>(ClampedLevel(level))].Rgb();
}

ColorRef CColorPainter::CellColor(double value, bool forMetrics) {
  if (!display_.opticalSpectrum && !forMetrics) {
    if (value < 0 && !display_.showNegative) return CDevice::kUnpaintedCell;
    if (value > 0 && !display_.showPositive) return CDevice::kUnpaintedCell;
  }
  if (IsMissing(value)) return missingColor_;
  // A sampled scale has a colour for zero like any value.
  const bool signedScale = scale_.colorAt == nullptr || data_.IsNominal();
  if (signedScale && value == 0 && (display_.blackForZero || !display_.opticalSpectrum)) {
    return zeroColor_;
  }
  return LevelColor(LevelOf(value, forMetrics));
}

void CColorPainter::PaintCell(CRect rect, double value, bool forMetrics) {
  rect.Normalize();
  const ColorRef color = CellColor(value, forMetrics);
  if (color == CDevice::kUnpaintedCell) return;
  device_.FillSolidRect(rect, color);
}

void CColorPainter::UseDataRange() {
  const double m = std::max(data_.maxValue, -data_.minValue);
  rangeMax_ = m;
  rangeMin_ = -m;
  sequentialLow_ = data_.minValue;
  sequentialHigh_ = data_.maxValue;
}

void CColorPainter::UseColumnRange(int column) {
  if (!data_.NominalLevels(ENominalLevels::kPerColumn)) return;
  if (column < 0 || column >= static_cast<int>(data_.maxCodes.size())) return;
  rangeMax_ = data_.maxCodes[static_cast<size_t>(column)];
}

void CColorPainter::BeginMetrics(double largestDissimilarity) {
  rangeMax_ = largestDissimilarity;
  rangeMin_ = -largestDissimilarity;
  sequentialLow_ = 0.0;
  sequentialHigh_ = largestDissimilarity;
  if (data_.IsNominal()) BuildSymmetricTable(kMaximumLevelsPerSide);
}

void CColorPainter::EndMetrics() {
  if (data_.IsNominal()) BuildLevelTable();
  UseDataRange();
}

ColorRef ScreenBackground(const DisplaySettings& display) {
  // An unknown stored index paints white rather than reading beyond the list.
  const auto backgrounds = BackgroundColors();
  const int index = display.BkColor;
  return index >= 0 && index < static_cast<int>(backgrounds.size())
             ? backgrounds[static_cast<size_t>(index)].colorref
             : kWhite;
}

void CColorPainter::SetPictureColors() {
  textColor_ = kBlack;
  linePen_ = &blackPen_;
  if (device_.IsPrinting()) {
    background_ = kWhite;
  } else {
    background_ = ScreenBackground(display_);
    if (background_ == kBlack) {
      textColor_ = kWhite;
      linePen_ = &whitePen_;
    }
  }
  device_.SelectPen(linePen_);
  device_.SetBkColor(background_);
  device_.SetTextColor(textColor_);
}

void CColorPainter::DrawLegend(const CFont& textFont, int pictureWidth) {
  constexpr int kBarWidth = 512;
  device_.SelectFont(&textFont);
  UseDataRange();
  const double m = rangeMax_;
  const bool nominal = data_.IsNominal();

  device_.TextOut(textPosition.x, textPosition.y, "The colors scale:", false);
  textPosition.y += 18;

  const int left = textPosition.x;
  double low;
  double high;
  // A sampled scale shows what it spans: the data's range, or ±M when centred on zero.
  const bool sampled = scale_.colorAt != nullptr && !nominal;
  if (sampled && scale_.diverging) {
    low = -m, high = m;
  } else if (sampled) {
    low = sequentialLow_, high = sequentialHigh_;
  } else if (data_.minValue >= 0) {
    low = 0.0, high = m;
  } else if (data_.maxValue <= 0) {
    low = -m, high = 0.0;
  } else {
    low = -m, high = m;
  }
  for (int i = 0; i < kBarWidth; ++i) {
    double value;
    if (sampled) {
      value = low + (high - low) * i / (kBarWidth - 1);
    } else if (data_.minValue >= 0) {
      value = nominal ? i * (m + 1) / kBarWidth : m * i / kBarWidth;
    } else if (data_.maxValue <= 0) {
      value = m * (i - kBarWidth) / kBarWidth;
    } else {
      value = m * (i - 256) / 256;
    }
    PaintCell(CRect{left + i, textPosition.y, left + i + 1, textPosition.y + 10}, value, false);
  }

  SetPictureColors();
  textPosition.y += 12;

  if (!data_.NominalLevels(ENominalLevels::kSameForEveryColumn)) {
    std::string minText = "Min";
    std::string maxText = "Max";
    if (!nominal) {
      minText += " = " + FormatLegendValue(low);
      maxText += " = " + FormatLegendValue(high);
    }
    device_.SetTextAlign(kAlignLeft);
    device_.TextOut(left, textPosition.y, minText, false);
    device_.SetTextAlign(kAlignRight);
    device_.TextOut(left + kBarWidth, textPosition.y, maxText, false);
    if (!nominal) {
      device_.SetTextAlign(kAlignCentre);
      device_.TextOut(left + kBarWidth / 2, textPosition.y, FormatLegendValue((low + high) / 2),
                      false);
    }
    device_.SetTextAlign(kAlignLeft);
  } else {
    // One number per category code, in the current alignment.
    const double w = kBarWidth / (m + 1);
    for (long long k = 0; k <= m; ++k) {
      device_.TextOut(left + static_cast<int>((k + 0.5) * w), textPosition.y, IntegerText(k),
                      false);
    }
  }
  textPosition.y += 24;

  if (!device_.IsPrinting()) {
    device_.DrawLine(0, textPosition.y, pictureWidth, textPosition.y);
    device_.DrawLine(0, textPosition.y - 3, pictureWidth, textPosition.y - 3);
  }
}

const char* CColorPainter::FormatForValue(double x) {
  const double a = std::abs(x);
  if (a > 9999.999) return "%.0f";
  if (a > 999.999) return "%.1f";
  if (a > 0.1) return "%.2f";
  if (a > 0.01) return "%.3f";
  if (a > 0.001) return "%.4f";
  return "%5.2f";
}

std::string CColorPainter::FormatLegendValue(double x) {
  const double a = std::abs(x);
  if (a > 9999.999) return FixedText(x, 0);
  if (a > 999.999) return FixedText(x, 1);
  if (a > 0.1) return FixedText(x, 2);
  if (a > 0.01) return FixedText(x, 3);
  if (a > 0.001) return FixedText(x, 4);
  return FixedText(x, 2, 5);
}
