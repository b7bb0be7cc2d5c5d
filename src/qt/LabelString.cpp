// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/LabelString.h"

#include "render/LabelText.h"

QString LabelString(std::string_view text) {
  const std::u32string characters = DecodeLabel(text);
  return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}
