// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "base/Geometry.h"
#include "settings/Choices.h"

// How each colour scale colours the heat map. The signed scale is the painter's own (shades of
// the two colours of the Display dialog, or the optical spectrum) and has no colour function.
// A sampled scale gives the colour of a point t in [0, 1] of a published colour map: the painter
// fills its level table with 2n + 1 samples and maps a value onto them, over the data's range
// (a sequential scale) or symmetrically about zero (a diverging one). A new scale is one row
// here and its colour function.
struct CColorScaleRow {
  EColorScale code;
  ColorRef (*colorAt)(double t) = nullptr;  // null: the signed scale
  bool diverging = false;                   // centred on zero
};

std::span<const CColorScaleRow> ColorScaleRows();
// The row of a scale; the signed scale's for an unknown code.
const CColorScaleRow& FindColorScale(EColorScale code);
