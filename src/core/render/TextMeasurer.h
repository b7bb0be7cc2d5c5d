// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "base/Geometry.h"
#include "render/Font.h"

// Measures text for the layout, on the screen's terms whatever device the picture goes to
// (the PostScript device answers 12 by 12 for every string).
class CTextMeasurer {
 public:
  virtual ~CTextMeasurer() = default;
  // Width and height of `text` in `font`, in logical units at zoom 1.
  virtual CSize TextExtent(const CFont& font, std::string_view text) const = 0;
  // Distance from the top of a line of `font` to its baseline, for devices that place text by
  // its baseline; four fifths of the line height unless the platform knows better.
  virtual int Ascent(const CFont& font) const { return TextExtent(font, "").cy * 4 / 5; }
};
