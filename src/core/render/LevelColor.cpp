// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between RGB and hue, lightness, saturation (the hexcone model of computer
// graphics). Channels are truncated to bytes, never rounded. Constant time and memory.
#include "render/LevelColor.h"

#include <algorithm>

void CLevelColor::SetRgb(ColorRef color) {
  red_ = static_cast<unsigned char>(RedOf(color));
  green_ = static_cast<unsigned char>(GreenOf(color));
  blue_ = static_cast<unsigned char>(BlueOf(color));
  rgbValid_ = true;
  hlsValid_ = false;
}

void CLevelColor::SetHls(float hue, float lightness, float saturation) {
  hue_ = hue;
  lightness_ = lightness;
  saturation_ = saturation;
  hlsValid_ = true;
  rgbValid_ = false;
}

ColorRef CLevelColor::Rgb() {
  if (!rgbValid_) {
    const ColorRef color = HlsToRgb(hue_, lightness_, saturation_);
    red_ = static_cast<unsigned char>(RedOf(color));
    green_ = static_cast<unsigned char>(GreenOf(color));
    blue_ = static_cast<unsigned char>(BlueOf(color));
    rgbValid_ = true;
  }
  return ::Rgb(red_, green_, blue_);
}

CHls RgbToHls(ColorRef color) {
  const float red = static_cast<float>(RedOf(color));
  const float green = static_cast<float>(GreenOf(color));
  const float blue = static_cast<float>(BlueOf(color));
  const float maximum = std::max({red, green, blue});
  const float minimum = std::min({red, green, blue});
  CHls hls;
  hls.lightness = (maximum + minimum) / 510.0f;
  if (maximum == minimum) return hls;  // grey: hue 0, saturation 0
  const float difference = maximum - minimum;
  const float sum = maximum + minimum;
  hls.saturation = hls.lightness <= 0.5f ? difference / sum : difference / (510.0f - sum);
  const float redDistance = (maximum - red) / difference;
  const float greenDistance = (maximum - green) / difference;
  const float blueDistance = (maximum - blue) / difference;
  float hue;
  if (red == maximum) {
    hue = blueDistance - greenDistance;
  } else if (green == maximum) {
    hue = 2.0f + redDistance - blueDistance;
  } else {
    hue = 4.0f + greenDistance - redDistance;
  }
  hue *= 60.0f;
  if (hue < 0.0f) hue += 360.0f;
  if (hue >= 360.0f) hue -= 360.0f;
  hls.hue = hue;
  return hls;
}

namespace {

// One channel: the hue seen from that channel's sector.
unsigned char Channel(float low, float high, float hue) {
  if (hue >= 360.0f) hue -= 360.0f;
  if (hue < 0.0f) hue += 360.0f;
  float value = low;
  if (hue < 60.0f) {
    value = low + (high - low) * hue / 60.0f;
  } else if (hue < 180.0f) {
    value = high;
  } else if (hue < 240.0f) {
    value = low + (high - low) * (240.0f - hue) / 60.0f;
  }
  return static_cast<unsigned char>(std::clamp(value, 0.0f, 1.0f) * 255.0f);
}

}  // namespace

ColorRef HlsToRgb(float hue, float lightness, float saturation) {
  if (saturation == 0.0f) {
    const unsigned grey = static_cast<unsigned char>(std::clamp(lightness, 0.0f, 1.0f) * 255.0f);
    return ::Rgb(grey, grey, grey);
  }
  const float high = lightness <= 0.5f ? lightness + lightness * saturation
                                       : lightness + saturation - lightness * saturation;
  const float low = 2.0f * lightness - high;
  return ::Rgb(Channel(low, high, hue + 120.0f), Channel(low, high, hue),
               Channel(low, high, hue - 120.0f));
}
