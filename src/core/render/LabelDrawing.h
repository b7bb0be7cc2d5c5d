// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/Geometry.h"

class CDevice;
struct CFont;

// The characters of a label, each as its own text: code points when the label is valid UTF-8,
// else single bytes (Latin-1).
std::vector<std::string> LabelCharacters(const std::string& label);

// One label of a side at its display position: the text and the position's start and end
// along the axis.
struct CPlacedLabel {
  const std::string* text;
  int start;
  int end;
};

// Labels written vertically, one character per line, centred on the middle of each position:
// each label cut to its first min(its length, `longest`, 20) characters, the last of them one
// step above the zone's bottom and each earlier one a step higher, the step being
// trunc(0.88 × the label's height measured on the device). Centre-top alignment while writing,
// left-top afterwards. Positions run along x from the zone's left.
void DrawVerticalLabels(CDevice& device, const CFont& font, const CRect& zone,
                        const std::vector<CPlacedLabel>& labels, int longest);

// Labels written whole as turned text, reading upwards from the zone's bottom, each centred on
// the middle of its position (positions along x from the zone's left).
void DrawTurnedLabels(CDevice& device, const CFont& font, const CRect& zone,
                      const std::vector<CPlacedLabel>& labels);

// Labels written horizontally, left-aligned at the zone's left edge, each vertically centred in
// its position: y = (start + end − 1 − text height) / 2 + the zone's top, the height measured
// on the device. Positions run along y from the zone's top.
void DrawHorizontalLabels(CDevice& device, const CFont& font, const CRect& zone,
                          const std::vector<CPlacedLabel>& labels);
