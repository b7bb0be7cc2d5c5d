// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

// Weights on the usual 100 to 900 scale.
inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;

// Face name of the text font of the title, legend and report; the PostScript device always
// writes this font.
inline constexpr const char* kTextFontFace = "Times-Roman";
// The face that labels in Chinese, Japanese or Korean fall back to, character by character,
// where the picture's own face has no glyph (the set-up installs it).
inline constexpr const char* kCjkFallbackFace = "WenQuanYi Micro Hei";

// A font for text output. A negative height (the character height of the platform's
// convention) and a positive one (the cell height) both draw at the absolute value.
struct CFont {
  std::string faceName;  // empty: the platform's variable-pitch sans-serif face
  int height = 0;        // logical units
  int weight = kFontWeightNormal;
  bool italic = false;

  int Size() const { return std::abs(height); }
  friend bool operator==(const CFont&, const CFont&) = default;
};

// The text font of the title, legend and report.
inline CFont TextFont() {
  return CFont{kTextFontFace, 14};
}

// The font of the picture's title line.
inline CFont TitleFont() {
  return CFont{kTextFontFace, 20, kFontWeightBold};
}

// A label font for cells of `cellSize` units: the cell size, at most 24.
inline CFont LabelFont(int cellSize) {
  return CFont{"", std::min(cellSize, 24)};
}
