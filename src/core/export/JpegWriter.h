// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct CRaster;

// The JPEG file of a raster through libjpeg: RGB input, default parameters, then quality 100
// with baseline tables forced, floating-point DCT, no optimised Huffman tables, no smoothing,
// a JFIF header with density unit dots per inch and density `density` by `density` (1 unless
// a resolution was chosen; clamped to what the header holds); rows from the top down.
// On failure returns false with the library's message in `error`.
bool EncodeJpeg(const CRaster& raster, std::string* bytes, std::string* error, int density = 1);

// Writes the JPEG file of `raster` at `path`, completely or not at all; on failure `error`
// receives "Opening %s failed: %s", the library's message or the reason.
bool WriteJpeg(const CRaster& raster, const std::string& path, std::string* error, int density = 1);
