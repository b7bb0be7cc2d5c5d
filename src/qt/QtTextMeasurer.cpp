#include "qt/QtTextMeasurer.h"

#include "qt/LabelString.h"
#include "qt/QtFont.h"

CSize CQtTextMeasurer::TextExtent(const CFont& font, std::string_view text) const {
  if (!lastFont_ || !(*lastFont_ == font)) {
    metrics_.emplace(QtFontOf(font));
    lastFont_ = font;
  }
  return {metrics_->horizontalAdvance(LabelString(text)), metrics_->height()};
}
