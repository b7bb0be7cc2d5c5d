// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/LabelText.h"

#include "base/Text.h"

std::u32string DecodeLabel(std::string_view text) {
  std::u32string result;
  result.reserve(text.size());
  if (!IsValidUtf8(text)) {
    for (const char c : text)
      result.push_back(static_cast<unsigned char>(c));
    return result;
  }
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t codePoint = c;
    if (c >= 0xF0) {
      extra = 3, codePoint = c & 0x07;
    } else if (c >= 0xE0) {
      extra = 2, codePoint = c & 0x0F;
    } else if (c >= 0xC0) {
      extra = 1, codePoint = c & 0x1F;
    }
    for (int k = 1; k <= extra; ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    result.push_back(codePoint);
    i += static_cast<size_t>(extra) + 1;
  }
  return result;
}
