// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "render/TextMeasurer.h"

// Text measurement with the platform's font metrics at zoom 1: the advance width of the text
// and the height of the font (ascent + descent).
class CQtTextMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override;
  int Ascent(const CFont& font) const override;

 private:
  // Layouts measure many labels in one font: keep the metrics of the last one.
  mutable std::optional<CFont> lastFont_;
  mutable std::optional<QFontMetrics> metrics_;
  const QFontMetrics& MetricsOf(const CFont& font) const;

  // Every layout measures every label again (a large table has tens of thousands): the widths
  // already measured, by font, are kept while the measurer lives.
  struct CTransparentHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using CWidths = std::unordered_map<std::string, int, CTransparentHash, std::equal_to<>>;
  mutable std::vector<std::pair<CFont, CWidths>> widths_;
  mutable size_t widthCount_ = 0;
  CWidths& WidthsOf(const CFont& font) const;
};
