#include "qt/QtFont.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultHeight = 12;

}  // namespace

QFont QtFontOf(const CFont& font, double scale) {
  QFont result;
  if (font.faceName.empty()) {
    result.setFamily(QStringLiteral("DejaVu Sans"));
    result.setStyleHint(QFont::SansSerif);
  } else if (font.faceName == kTextFontFace) {
    result.setFamily(QStringLiteral("Times"));
    result.setStyleHint(QFont::Serif);
  } else {
    result.setFamily(QString::fromStdString(font.faceName));
  }
  const int height = font.Size() > 0 ? font.Size() : kDefaultHeight;
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(height * scale))));
  const int weight = font.weight > 0 ? std::clamp(font.weight, 1, 1000) : kFontWeightNormal;
  result.setWeight(static_cast<QFont::Weight>(weight));
  result.setItalic(font.italic);
  return result;
}
