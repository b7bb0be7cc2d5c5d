// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextDecoding.h"

#include <cstdint>

#include "base/Text.h"

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

// The code points of 0x80 to 0x9F in Windows-1252; 0 where the code page leaves the byte
// undefined (those keep their Latin-1 meaning).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf16BytesToUtf8(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](size_t k) -> uint32_t {
    const auto lo = static_cast<uint8_t>(bytes[littleEndian ? k : k + 1]);
    const auto hi = static_cast<uint8_t>(bytes[littleEndian ? k + 1 : k]);
    return static_cast<uint32_t>(lo | (hi << 8));
  };
  size_t k = 0;
  for (; k + 1 < bytes.size(); k += 2) {
    const uint32_t u = unit(k);
    if (u >= 0xD800 && u < 0xDC00 && k + 3 < bytes.size()) {
      const uint32_t v = unit(k + 2);
      if (v >= 0xDC00 && v < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
        k += 2;
        continue;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? kReplacement : u);
  }
  if (k < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0 && kHighControls[byte - 0x80] != 0) {
      AppendUtf8(out, kHighControls[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

CDecodedText DecodeText(std::string bytes) {
  CDecodedText decoded;
  const std::string_view view(bytes);
  if (StartsWith(view, "\xEF\xBB\xBF")) {
    const std::string_view rest = view.substr(3);
    if (IsValidUtf8(rest)) {
      decoded.text = std::string(rest);
      decoded.encoding = ETextEncoding::kUtf8WithMark;
    } else {
      decoded.text = Windows1252ToUtf8(rest);
      decoded.encoding = ETextEncoding::kWindows1252;
    }
    return decoded;
  }
  if (StartsWith(view, "\xFF\xFE")) {
    decoded.text = Utf16BytesToUtf8(view.substr(2), true);
    decoded.encoding = ETextEncoding::kUtf16LE;
    return decoded;
  }
  if (StartsWith(view, "\xFE\xFF")) {
    decoded.text = Utf16BytesToUtf8(view.substr(2), false);
    decoded.encoding = ETextEncoding::kUtf16BE;
    return decoded;
  }
  if (IsValidUtf8(view)) {
    decoded.text = std::move(bytes);
    decoded.encoding = ETextEncoding::kUtf8;
    return decoded;
  }
  decoded.text = Windows1252ToUtf8(view);
  decoded.encoding = ETextEncoding::kWindows1252;
  return decoded;
}

std::string EncodingNotice(ETextEncoding encoding, std::string_view fileName) {
  const std::string name(fileName);
  switch (encoding) {
    case ETextEncoding::kWindows1252:
      return name +
             " is not UTF-8 text: it was read as Windows-1252 (Latin-1) and its labels "
             "converted. Save it as UTF-8 if some labels look wrong.";
    default:
      return {};
  }
}
