// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Raster.h"

#include <new>

#include "base/Memory.h"

bool CRaster::Allocate(int newWidth, int newHeight, std::uint32_t fill) {
  if (newWidth < 0 || newHeight < 0) return false;
  const size_t count = static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight);
  if (!CanReserve(CheckedBytes(count, sizeof(std::uint32_t)))) return false;
  try {
    pixels.assign(count, fill);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width = newWidth;
  height = newHeight;
  return true;
}
