// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one marker for an empty or unreadable cell, in data tables and dissimilarity files alike.
// Every computation compares against exactly this value.
inline constexpr double kMissing = -99999.0;

inline bool IsMissing(double value) {
  return value == kMissing;
}
