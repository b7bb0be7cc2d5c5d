// SPDX-License-Identifier: GPL-3.0-or-later
// Widths of the Times-Roman font (the standard PostScript font metrics, in units of 1/1000 of
// the font size) for the characters 32 to 126. O(length of the text).
#include "export/TimesRomanWidths.h"

#include <array>

namespace {

constexpr int kOtherByteWidth = 944;

constexpr std::array<short, 95> kAsciiWidths{
    250, 333, 408, 500, 500, 833, 778, 333, 333, 333, 500, 564, 250, 333, 250, 278,  //  !"#…/
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 278, 278, 564, 564, 564, 444,  // 0…?
    921, 722, 667, 667, 722, 611, 556, 722, 722, 333, 389, 722, 611, 889, 722, 722,  // @A…O
    556, 722, 667, 556, 611, 722, 722, 944, 722, 722, 611, 333, 278, 333, 469, 500,  // P…_
    333, 444, 500, 444, 500, 444, 333, 500, 500, 278, 278, 500, 278, 778, 500, 500,  // `a…o
    500, 500, 333, 389, 278, 500, 500, 722, 500, 500, 444, 480, 200, 480, 541,       // p…~
};

}  // namespace

int TimesRomanWidth(std::string_view text) {
  int width = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    width += byte >= 32 && byte <= 126 ? kAsciiWidths[byte - 32] : kOtherByteWidth;
  }
  return width;
}
