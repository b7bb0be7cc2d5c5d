#include "render/ColorScales.h"

#include <array>

namespace {

constexpr std::array kScales{
    CColorScaleRow{EColorScale::kSigned},
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
