// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct CRaster;

// The BMP file of a raster: 14-byte file header, 40-byte information header, 24-bit pixels
// (blue, green, red) from the bottom row up, each row padded to a multiple of 4 bytes with
// 0x20 then 0x00. The resolution is the raster's dots per inch × 39.37 + 0.5 pixels per metre.
// False when the file would exceed the format's 4 GB.
bool EncodeBmp(const CRaster& raster, std::string* bytes);

// Writes the BMP file of `raster` at `path`, completely or not at all; on failure `error`
// receives "Opening %s failed: %s" or the reason.
bool WriteBmp(const CRaster& raster, const std::string& path, std::string* error);
