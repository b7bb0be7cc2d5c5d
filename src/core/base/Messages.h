// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The numbered message table of the warning window: a heading and two lines per code.
struct CMessageTexts {
  std::string heading;
  std::string line1;
  std::string line2;
};

// Texts of `code` (1 to 14) with its "%d" places filled from `rows` and `columns`.
// `detail` completes texts that carry a reason of the system (code 9); unknown codes give
// three empty lines.
CMessageTexts MessageTexts(int code, int rows, int columns, const std::string& detail = {});
