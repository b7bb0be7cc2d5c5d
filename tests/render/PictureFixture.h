// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/Data.h"
#include "render/PictureInput.h"
#include "render/TextMeasurer.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

// Measures every character 6 units wide and the font's size high (14 for size 0).
class CFixedMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 6, font.Size() > 0 ? font.Size() : 14};
  }
};

// A table of `rows` × `columns` values i·columns + j − 5 with labels "r0"…, "c0"…, its two
// orders (identity, no tree), display settings with 9 levels and the top frame hidden.
struct CPictureFixture {
  CPictureFixture(int rows, int columns);
  CPictureInput Input();
  // Builds a dendrogram on `side` from merges (left, right, height) in merge order.
  static void BuildTree(CTree& side, const std::vector<std::array<double, 3>>& merges);

  CData data;
  CTree rowTree;
  CTree columnTree;
  DisplaySettings display;
};
