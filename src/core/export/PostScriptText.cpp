// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PostScriptText.h"

#include "render/LabelText.h"

namespace {

char32_t WithoutAccent(char32_t c) {
  switch (c) {
    case 232:  // è
    case 233:  // é
    case 234:  // ê
    case 235:  // ë
      return U'e';
    case 224:  // à
      return U'a';
    case 249:  // ù
      return U'u';
    case 231:  // ç
      return U'c';
    default:
      return c;
  }
}

}  // namespace

std::string PostScriptString(std::string_view label) {
  std::string result;
  result.reserve(label.size());
  for (char32_t c : DecodeLabel(label)) {
    c = WithoutAccent(c);
    if (c > 0xFF) c = U'?';
    if (c == U'(' || c == U')' || c == U'\\') result.push_back('\\');
    result.push_back(static_cast<char>(static_cast<unsigned char>(c)));
  }
  return result;
}
