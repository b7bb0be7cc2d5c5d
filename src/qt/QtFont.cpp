// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtFont.h"

#include <QFontInfo>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

constexpr int kDefaultHeight = 12;

// The installed family that the platform draws `font` with (a name such as "Times" is an alias
// of the platform's Times face). Asked once per name.
QString InstalledFamily(const QFont& font) {
  static std::mutex guard;
  static QHash<QString, QString> resolved;
  const std::lock_guard<std::mutex> lock(guard);
  const QString requested = font.family();
  auto found = resolved.constFind(requested);
  if (found != resolved.constEnd()) return *found;
  const QString family = QFontInfo(font).family();
  return *resolved.insert(requested, family.isEmpty() ? requested : family);
}

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
  // The face draws what it has glyphs for; Chinese, Japanese and Korean characters fall back to
  // the CJK face. The first family is the installed one, not an alias: an alias first in a list
  // would hand the whole text to the fallback face.
  result.setFamilies({InstalledFamily(result), QString::fromUtf8(kCjkFallbackFace)});
  return result;
}
