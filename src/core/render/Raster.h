// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An off-screen picture of 32-bit pixels, top row first. Each pixel value is 0xXXRRGGBB, so
// that in memory (little-endian) the bytes are blue, green, red, unused: the layout of the
// platform's 32-bit images, which can draw straight into `pixels`.
struct CRaster {
  int width = 0;
  int height = 0;
  int dotsPerInch = 0;  // 0: no resolution
  std::vector<std::uint32_t> pixels;

  // Makes the raster width × height pixels, all `fill`; false when the pixels cannot be
  // reserved (negative sizes, or more than the machine can hold).
  bool Allocate(int newWidth, int newHeight, std::uint32_t fill = 0xFFFFFFFFu);

  // True when `pixels` holds exactly width × height values.
  bool IsComplete() const {
    return width >= 0 && height >= 0 &&
           pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  }
  std::uint32_t Pixel(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
};

constexpr unsigned RasterRed(std::uint32_t pixel) {
  return (pixel >> 16) & 0xFF;
}
constexpr unsigned RasterGreen(std::uint32_t pixel) {
  return (pixel >> 8) & 0xFF;
}
constexpr unsigned RasterBlue(std::uint32_t pixel) {
  return pixel & 0xFF;
}
constexpr std::uint32_t RasterPixel(unsigned red, unsigned green, unsigned blue) {
  return 0xFF000000u | ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
}
