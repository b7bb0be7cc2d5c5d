// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ScaleSettings.h"

#include "settings/Choices.h"
#include "settings/DisplaySettings.h"

namespace {

constexpr int kRedIndex = 0;
constexpr int kBlueIndex = 4;
constexpr int kSingleLevelIndex = 6;
constexpr int kTwoLevelsIndex = 5;

}  // namespace

void SetLevelChoice(DisplaySettings& display, int index) {
  const auto levels = LevelChoices();
  if (index < 0 || index >= static_cast<int>(levels.size())) return;
  if (display.opticalSpectrum && index == kSingleLevelIndex) index = kTwoLevelsIndex;
  display.m_intColorNumberOfNuances = index;
  display.m_intNumberOfNuances = levels[static_cast<size_t>(index)].value;
}

void SetOpticalSpectrum(DisplaySettings& display, bool on) {
  if (on == display.opticalSpectrum) return;
  display.opticalSpectrum = on;
  if (on) {
    display.savedHighColor = display.m_intColorHighValue;
    display.savedLowColor = display.m_intColorLowValue;
    display.m_intColorHighValue = kRedIndex;
    display.m_intColorLowValue = kBlueIndex;
    if (display.m_intColorNumberOfNuances == kSingleLevelIndex) {
      SetLevelChoice(display, kSingleLevelIndex);
    }
  } else {
    display.m_intColorHighValue = display.savedHighColor;
    display.m_intColorLowValue = display.savedLowColor;
  }
  DeriveColorSwitches(display);
}
