// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

// A double truncated toward zero to an int, saturated at the ends of the int range instead of
// the undefined conversion of out-of-range values.
inline int TruncateToInt(double value) {
  const double t = std::trunc(value);
  if (!(t >= static_cast<double>(INT_MIN))) return INT_MIN;
  if (t >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(t);
}

inline int64_t TruncateToInt64(double value) {
  const double t = std::trunc(value);
  constexpr double kLimit = 9.2e18;
  if (!(t > -kLimit)) return -static_cast<int64_t>(kLimit);
  if (t >= kLimit) return static_cast<int64_t>(kLimit);
  return static_cast<int64_t>(t);
}
