// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

// Line styles of a pen.
enum class CPenStyle { kSolid, kDash, kDot, kDashDot };

// A pen for lines and outlines. Width is in logical units; 0 means one device pixel whatever
// the mapping.
struct CPen {
  ColorRef color = Rgb(0, 0, 0);
  int width = 1;
  CPenStyle style = CPenStyle::kSolid;
  friend bool operator==(const CPen&, const CPen&) = default;
};
