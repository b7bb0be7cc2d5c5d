// SPDX-License-Identifier: GPL-3.0-or-later
// Distinct colours for the clusters of a cut: a fixed qualitative palette, then a deterministic
// walk round the hue circle. Input: a count; output: that many different non-black colours.
#include "tree/ClusterColors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace {

constexpr std::array kPalette{
    Rgb(0xE6, 0x9F, 0x00),  // orange
    Rgb(0x56, 0xB4, 0xE9),  // sky blue
    Rgb(0x00, 0x9E, 0x73),  // bluish green
    Rgb(0xF0, 0xE4, 0x42),  // yellow
    Rgb(0x00, 0x72, 0xB2),  // blue
    Rgb(0xD5, 0x5E, 0x00),  // vermillion
    Rgb(0xCC, 0x79, 0xA7),  // reddish purple
    Rgb(0x99, 0x99, 0x99),  // grey
};

ColorRef FromHsv(double hue, double saturation, double value) {
  const double c = value * saturation;
  const double h = hue / 60.0;
  const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h) % 6) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  const double m = value - c;
  const auto byte = [m](double part) {
    return static_cast<unsigned>(std::clamp(std::lround((part + m) * 255.0), 0L, 255L));
  };
  return Rgb(byte(r), byte(g), byte(b));
}

// The k-th colour after the palette (k from 0).
ColorRef Extended(int k) {
  constexpr double kGoldenAngle = 137.50776405003785;
  constexpr double kValues[] = {0.92, 0.72, 0.52};
  constexpr double kSaturations[] = {0.75, 0.5};
  const double hue = std::fmod(20.0 + k * kGoldenAngle, 360.0);
  return FromHsv(hue, kSaturations[(k / 3) % 2], kValues[k % 3]);
}

}  // namespace

std::vector<ColorRef> ClusterColors(int count) {
  std::vector<ColorRef> colors;
  if (count <= 0) return colors;
  colors.reserve(static_cast<size_t>(count));
  std::set<ColorRef> used;
  for (int k = 0; k < count; ++k) {
    ColorRef color = k < static_cast<int>(kPalette.size())
                         ? kPalette[static_cast<size_t>(k)]
                         : Extended(k - static_cast<int>(kPalette.size()));
    // Nudged through the 24-bit values until new and not black; there are far more values than
    // items, so this ends.
    while (color == 0 || used.count(color) != 0)
      color = (color + 0x010101u) & 0xFFFFFFu;
    used.insert(color);
    colors.push_back(color);
  }
  return colors;
}
