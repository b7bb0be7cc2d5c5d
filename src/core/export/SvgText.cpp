// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/SvgText.h"

#include "base/Text.h"
#include "render/LabelText.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsXmlCharacter(char32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c <= 0xD7FF) return true;
  if (c < 0xE000) return false;  // surrogates
  if (c <= 0xFFFD) return true;
  return c >= 0x10000 && c <= 0x10FFFF;
}

}  // namespace

void AppendSvgText(std::string& out, std::string_view label) {
  for (char32_t c : DecodeLabel(label)) {
    switch (c) {
      case U'&':
        out.append("&amp;");
        break;
      case U'<':
        out.append("&lt;");
        break;
      case U'>':
        out.append("&gt;");
        break;
      case U'"':
        out.append("&quot;");
        break;
      case U'\'':
        out.append("&apos;");
        break;
      default:
        AppendUtf8(out, IsXmlCharacter(c) ? c : kReplacement);
        break;
    }
  }
}

std::string SvgText(std::string_view label) {
  std::string out;
  out.reserve(label.size());
  AppendSvgText(out, label);
  return out;
}
