// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

// One entry of the colour-level table: a colour kept as red, green and blue bytes and as hue
// (degrees), lightness and saturation, with a flag for each form. Reading the RGB form of an
// entry that holds only the HLS form converts it once and keeps the result.
class CLevelColor {
 public:
  void SetRgb(ColorRef color);
  void SetHls(float hue, float lightness, float saturation);
  ColorRef Rgb();

  bool RgbValid() const { return rgbValid_; }
  bool HlsValid() const { return hlsValid_; }

 private:
  unsigned char red_ = 0, green_ = 0, blue_ = 0;
  float hue_ = 0.0f, lightness_ = 0.0f, saturation_ = 0.0f;
  bool rgbValid_ = true;
  bool hlsValid_ = false;
};

struct CHls {
  float hue = 0.0f;  // degrees in [0, 360)
  float lightness = 0.0f;
  float saturation = 0.0f;
};

// RGB to hue, lightness and saturation: lightness (max + min) / 510; a grey has hue 0 and
// saturation 0.
CHls RgbToHls(ColorRef color);
// The inverse, with hue sectors of 120 degrees; each channel truncated to a byte.
ColorRef HlsToRgb(float hue, float lightness, float saturation);
