// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "base/Geometry.h"

class CSvgDC;
class CTextMeasurer;

// Runs `draw` on an SVG device of a `picture` layout units shown at `display` pixels, whose
// text goes to `path`; the file is replaced only once everything was written. On failure
// returns false with "Opening %s failed: %s" or "Writing %s failed: %s" in `error`, and the
// old file (or none) stays.
bool WriteSvg(const std::string& path, CSize picture, CSize display, const CTextMeasurer* measurer,
              const std::function<void(CSvgDC&)>& draw, std::string* error);
