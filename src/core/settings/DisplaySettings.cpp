// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DisplaySettings.h"

#include <algorithm>

#include "settings/Choices.h"

namespace {

void SwitchesOf(int index, int& red, int& green, int& blue) {
  if (const CScaleColor* color = FindScaleColor(index)) {
    red = color->red, green = color->green, blue = color->blue;
  } else {
    red = green = blue = 0;
  }
}

}  // namespace

void DeriveColorSwitches(DisplaySettings& display) {
  SwitchesOf(display.m_intColorHighValue, display.R_h, display.G_h, display.B_h);
  SwitchesOf(display.m_intColorLowValue, display.R_l, display.G_l, display.B_l);
}

int ClampedCellSize(int size) {
  return std::clamp(size, kSmallestCellSize, kLargestCellSize);
}

int ClampedTreeSize(int size) {
  return std::clamp(size, kSmallestTreeSize, kLargestTreeSize);
}

void ClampSizes(DisplaySettings& display) {
  display.hx = ClampedCellSize(display.hx);
  display.hy = ClampedCellSize(display.hy);
  display.m_intRowsTreeSize = ClampedTreeSize(display.m_intRowsTreeSize);
  display.m_intColumnsTreeSize = ClampedTreeSize(display.m_intColumnsTreeSize);
}
