// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/LabelDrawing.h"

#include <algorithm>
#include <cstdlib>

#include "base/Text.h"
#include "render/Device.h"
#include "render/Font.h"

namespace {

constexpr int kMaximumVerticalCharacters = 20;

// The labels that can show inside the device's clip box, all of them on a device without one
// (files and printers draw everything). A label's text may reach past its position by up to
// twice its font's height on either side; the positions run from `origin` along x or along y.
// A window of a large table repaints its visible part only, and the pixels stay the same.
std::vector<CPlacedLabel> LabelsInClip(CDevice& device, const CFont& font,
                                       const std::vector<CPlacedLabel>& labels, int origin,
                                       bool alongY) {
  CRect clip;
  const int region = device.GetClipBox(clip);
  if (region != kRegionSimple && region != kRegionComplex) return labels;
  const int reach = 2 * std::max(std::abs(font.Size()), 12) + 2;
  const int low = (alongY ? clip.top : clip.left) - origin - reach;
  const int high = (alongY ? clip.bottom : clip.right) - origin + reach;
  std::vector<CPlacedLabel> shown;
  for (const CPlacedLabel& label : labels) {
    if (label.end >= low && label.start <= high) shown.push_back(label);
  }
  return shown;
}

}  // namespace

std::vector<std::string> LabelCharacters(const std::string& label) {
  std::vector<std::string> characters;
  if (!IsValidUtf8(label)) {
    for (const char byte : label)
      characters.emplace_back(1, byte);
    return characters;
  }
  for (size_t i = 0; i < label.size();) {
    size_t length = 1;
    const auto lead = static_cast<unsigned char>(label[i]);
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    length = std::min(length, label.size() - i);
    characters.push_back(label.substr(i, length));
    i += length;
  }
  return characters;
}

void DrawVerticalLabels(CDevice& device, const CFont& font, const CRect& zone,
                        const std::vector<CPlacedLabel>& all, int longest) {
  device.SelectFont(&font);
  const std::vector<CPlacedLabel> labels = LabelsInClip(device, font, all, zone.left, false);
  device.SetTextAlign(kAlignCentre | kAlignTop);
  const int limit = std::min(longest, kMaximumVerticalCharacters);
  for (const CPlacedLabel& label : labels) {
    if (label.text == nullptr) continue;
    const std::vector<std::string> characters = LabelCharacters(*label.text);
    const int m = std::min(static_cast<int>(characters.size()), limit);
    if (m <= 0) continue;
    const int step = static_cast<int>(0.88 * device.GetTextExtent(*label.text).cy);
    const int x = zone.left + (label.start + label.end) / 2;
    for (int k = 0; k < m; ++k) {
      const int y = zone.bottom - step * (m - k);
      device.TextOut(x, y, characters[static_cast<size_t>(k)], false);
    }
  }
  device.SetTextAlign(kAlignLeft | kAlignTop);
}

void DrawTurnedLabels(CDevice& device, const CFont& font, const CRect& zone,
                      const std::vector<CPlacedLabel>& all) {
  device.SelectFont(&font);
  const std::vector<CPlacedLabel> labels = LabelsInClip(device, font, all, zone.left, false);
  for (const CPlacedLabel& label : labels) {
    if (label.text == nullptr || label.text->empty()) continue;
    device.TextOutTurned(zone.left + (label.start + label.end) / 2, zone.bottom, *label.text);
  }
}

void DrawHorizontalLabels(CDevice& device, const CFont& font, const CRect& zone,
                          const std::vector<CPlacedLabel>& all) {
  device.SelectFont(&font);
  const std::vector<CPlacedLabel> labels = LabelsInClip(device, font, all, zone.top, true);
  device.SetTextAlign(kAlignLeft | kAlignTop);
  for (const CPlacedLabel& label : labels) {
    if (label.text == nullptr) continue;
    const int height = device.GetTextExtent(*label.text).cy;
    const int y = (label.start + label.end - 1 - height) / 2 + zone.top;
    device.TextOut(zone.left, y, *label.text, false);
  }
}
