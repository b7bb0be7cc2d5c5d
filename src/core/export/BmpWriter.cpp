// SPDX-License-Identifier: GPL-3.0-or-later
// BMP encoding of a 32-bit raster: drops the unused byte of each pixel and writes the rows
// bottom-up. Time O(width × height); WriteBmp holds one block of rows at a time.
#include "export/BmpWriter.h"

#include <cstdint>
#include <limits>

#include "base/AtomicFile.h"
#include "export/ExportFile.h"
#include "render/Raster.h"

namespace {

constexpr std::uint32_t kHeaderSize = 54;
constexpr size_t kBlockSize = 1 << 20;

void PutU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

std::uint64_t RowSize(const CRaster& raster) {
  return (static_cast<std::uint64_t>(raster.width) * 3 + 3) / 4 * 4;
}

bool FitsTheFormat(const CRaster& raster) {
  return raster.IsComplete() &&
         RowSize(raster) * static_cast<std::uint64_t>(raster.height) + kHeaderSize <=
             std::numeric_limits<std::uint32_t>::max();
}

std::string Headers(const CRaster& raster) {
  const std::uint64_t rowSize = RowSize(raster);
  const auto fileSize =
      static_cast<std::uint32_t>(rowSize * static_cast<std::uint64_t>(raster.height) + kHeaderSize);
  const auto pixelsPerMetre =
      static_cast<std::uint32_t>(static_cast<double>(raster.dotsPerInch) * 39.37 + 0.5);
  std::string out;
  out.reserve(kHeaderSize);
  PutU16(out, 0x4D42);  // "BM"
  PutU32(out, fileSize);
  PutU16(out, 0);
  PutU16(out, 0);
  PutU32(out, kHeaderSize);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(raster.width));
  PutU32(out, static_cast<std::uint32_t>(raster.height));  // positive: bottom-up rows
  PutU16(out, 1);                                          // planes
  PutU16(out, 24);                                         // bits per pixel
  PutU32(out, 0);                                          // no compression
  PutU32(out, 0);                                          // image size
  PutU32(out, pixelsPerMetre);
  PutU32(out, pixelsPerMetre);
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // important colours
  return out;
}

void AppendRow(const CRaster& raster, int y, std::string& out) {
  const std::uint32_t* row = raster.Row(y);
  for (int x = 0; x < raster.width; ++x) {
    const std::uint32_t pixel = row[x];
    out.push_back(static_cast<char>(RasterBlue(pixel)));
    out.push_back(static_cast<char>(RasterGreen(pixel)));
    out.push_back(static_cast<char>(RasterRed(pixel)));
  }
  const size_t padding =
      static_cast<size_t>(RowSize(raster)) - static_cast<size_t>(raster.width) * 3;
  for (size_t k = 0; k < padding; ++k)
    out.push_back(k == 0 ? '\x20' : '\0');
}

}  // namespace

bool EncodeBmp(const CRaster& raster, std::string* bytes) {
  if (!FitsTheFormat(raster)) return false;
  *bytes = Headers(raster);
  bytes->reserve(kHeaderSize + RowSize(raster) * static_cast<size_t>(raster.height));
  for (int y = raster.height - 1; y >= 0; --y)
    AppendRow(raster, y, *bytes);
  return true;
}

bool WriteBmp(const CRaster& raster, const std::string& path, std::string* error) {
  CAtomicFile file(path);
  const bool opened = file.Error().empty();
  if (!opened) {
    if (error) *error = ExportFileFailure(file, false);
    return false;
  }
  if (!FitsTheFormat(raster)) {
    if (error) *error = "The picture does not fit in a BMP file.";
    return false;
  }
  std::string block = Headers(raster);
  bool ok = true;
  for (int y = raster.height - 1; y >= 0 && ok; --y) {
    AppendRow(raster, y, block);
    if (block.size() >= kBlockSize) {
      ok = file.Write(block);
      block.clear();
    }
  }
  ok = ok && file.Write(block) && file.Commit();
  if (!ok && error) *error = ExportFileFailure(file, true);
  return ok;
}
