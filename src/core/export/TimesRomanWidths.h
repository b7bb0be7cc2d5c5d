// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The advance width of `text` in the Times-Roman font, in thousandths of the font size: the
// published metrics of the printable ASCII characters, and the width of the widest capital
// (W, 944) for every other byte, so that text with other characters is never measured short.
int TimesRomanWidth(std::string_view text);
