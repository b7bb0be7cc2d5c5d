// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "data/Data.h"
#include "render/PictureInput.h"
#include "render/TextMeasurer.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

// 6 units per byte, lines as high as the font (14 for size 0).
class CFixedMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 6, font.Size() > 0 ? font.Size() : 14};
  }
};

// A 3 × 2 table labelled `rowLabels` (three) with a row dendrogram, a partial row selection, a
// missing value, the top frame and the scale: the small picture of the export files.
struct CSmallPicture {
  explicit CSmallPicture(std::vector<std::string> rowLabels);
  CPictureInput Input();
  CData data;
  CTree rows;
  CTree columns;
  DisplaySettings display;
};
