// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

// Layout units: one unit is one screen pixel at zoom 1; x grows to the right, y downwards.
struct CPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const CSize&, const CSize&) = default;
};

// A rectangle; the right and bottom edges are outside it (a point on them is not contained).
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // Swaps the edges so that left <= right and top <= bottom.
  void Normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  void Offset(int dx, int dy) {
    left += dx, right += dx;
    top += dy, bottom += dy;
  }
  friend bool operator==(const CRect&, const CRect&) = default;
};

// A 24-bit colour with red in the low byte, green in the middle byte and blue in the high byte.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr unsigned RedOf(ColorRef color) {
  return color & 0xFF;
}
constexpr unsigned GreenOf(ColorRef color) {
  return (color >> 8) & 0xFF;
}
constexpr unsigned BlueOf(ColorRef color) {
  return (color >> 16) & 0xFF;
}
