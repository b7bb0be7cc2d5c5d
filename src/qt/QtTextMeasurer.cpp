#include "qt/QtTextMeasurer.h"

#include "qt/LabelString.h"
#include "qt/QtFont.h"

const QFontMetrics& CQtTextMeasurer::MetricsOf(const CFont& font) const {
  if (!lastFont_ || !(*lastFont_ == font)) {
    metrics_.emplace(QtFontOf(font));
    lastFont_ = font;
  }
  return *metrics_;
}

CSize CQtTextMeasurer::TextExtent(const CFont& font, std::string_view text) const {
  const QFontMetrics& metrics = MetricsOf(font);
  return {metrics.horizontalAdvance(LabelString(text)), metrics.height()};
}

int CQtTextMeasurer::Ascent(const CFont& font) const {
  return MetricsOf(font).ascent();
}
