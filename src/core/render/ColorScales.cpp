// SPDX-License-Identifier: GPL-3.0-or-later
// The colour functions of the sampled scales. Viridis and cividis interpolate linearly between
// the 256 entries of their published tables (t = k / 255 gives entry k exactly); the diverging
// scale runs through the eleven colours of ColorBrewer's RdBu scheme in reverse (dark blue to
// dark red) with a pure white centre, so that zero is white. Each call costs O(1).
#include "render/ColorScales.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "render/ColorMapTables.h"

namespace {

unsigned Channel(std::uint32_t rgb, int shift) {
  return (rgb >> shift) & 0xFFu;
}

// The colour at t in [0, 1] of colours spaced evenly from the first to the last.
template <size_t N>
ColorRef Interpolated(const std::array<std::uint32_t, N>& colors, double t) {
  if (!(t > 0.0)) t = 0.0;  // NaN too
  t = std::min(t, 1.0);
  const double position = t * (N - 1);
  const size_t low = std::min(static_cast<size_t>(position), N - 2);
  const double fraction = position - static_cast<double>(low);
  const auto mix = [&](int shift) {
    const double a = Channel(colors[low], shift);
    const double b = Channel(colors[low + 1], shift);
    return static_cast<unsigned>(std::lround(a + (b - a) * fraction));
  };
  return Rgb(mix(16), mix(8), mix(0));
}

ColorRef Viridis(double t) {
  return Interpolated(ViridisTable(), t);
}

ColorRef Cividis(double t) {
  return Interpolated(CividisTable(), t);
}

constexpr std::array<std::uint32_t, 11> kBlueWhiteRed{
    0x053061, 0x2166ac, 0x4393c3, 0x92c5de, 0xd1e5f0, 0xffffff,
    0xfddbc7, 0xf4a582, 0xd6604d, 0xb2182b, 0x67001f,
};

ColorRef BlueWhiteRed(double t) {
  return Interpolated(kBlueWhiteRed, t);
}

constexpr std::array kScales{
    CColorScaleRow{EColorScale::kSigned},
    CColorScaleRow{EColorScale::kViridis, Viridis, false},
    CColorScaleRow{EColorScale::kCividis, Cividis, false},
    CColorScaleRow{EColorScale::kDiverging, BlueWhiteRed, true},
};

}  // namespace

std::span<const CColorScaleRow> ColorScaleRows() {
  return kScales;
}

const CColorScaleRow& FindColorScale(EColorScale code) {
  for (const CColorScaleRow& row : kScales) {
    if (row.code == code) return row;
  }
  return kScales.front();
}
