#pragma once

#include <QFontMetrics>
#include <optional>

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
};
