#include "settings/DisplaySettings.h"

#include "settings/Choices.h"

namespace {

void SwitchesOf(int index, int& red, int& green, int& blue) {
  const auto colors = ScaleColors();
  if (index >= 0 && index < static_cast<int>(colors.size())) {
    red = colors[static_cast<size_t>(index)].red;
    green = colors[static_cast<size_t>(index)].green;
    blue = colors[static_cast<size_t>(index)].blue;
  } else {
    red = green = blue = 0;
  }
}

}  // namespace

void DeriveColorSwitches(DisplaySettings& display) {
  SwitchesOf(display.m_intColorHighValue, display.R_h, display.G_h, display.B_h);
  SwitchesOf(display.m_intColorLowValue, display.R_l, display.G_l, display.B_l);
}
