// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

// Widths kept at most: the labels of several large tables.
constexpr size_t kLargestWidthCount = size_t{1} << 19;

}  // namespace

CQtTextMeasurer::CWidths& CQtTextMeasurer::WidthsOf(const CFont& font) const {
  for (auto& [measured, widths] : widths_) {
    if (measured == font) return widths;
  }
  return widths_.emplace_back(font, CWidths{}).second;
}

CSize CQtTextMeasurer::TextExtent(const CFont& font, std::string_view text) const {
  const QFontMetrics& metrics = MetricsOf(font);
  CWidths& widths = WidthsOf(font);
  if (const auto found = widths.find(text); found != widths.end()) {
    return {found->second, metrics.height()};
  }
  const int width = metrics.horizontalAdvance(LabelString(text));
  if (widthCount_ >= kLargestWidthCount) {
    widths_.clear();
    widthCount_ = 0;
    WidthsOf(font).emplace(text, width);
  } else {
    widths.emplace(text, width);
  }
  ++widthCount_;
  return {width, metrics.height()};
}

int CQtTextMeasurer::Ascent(const CFont& font) const {
  return MetricsOf(font).ascent();
}
