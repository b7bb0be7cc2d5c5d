// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

class CDevice;
class CTree;
struct CCellBounds;
struct CPen;

// Whether a side has a selection of the user that leaves some positions out.
bool HasPartialSelection(const CTree& side);

// The two lines that mark a side's partial selection across the matrix: for rows, horizontal
// lines over the matrix width at the top of the first selected row and the bottom of the last;
// for columns, vertical lines over the matrix height at the left of the first selected column
// and the right of the last. The line ends are snapped to whole device pixels.
void DrawSelectionLines(CDevice& device, const CTree& side, const CCellBounds& bounds,
                        const CRect& matrix, bool rowSide, const CPen& pen);

// The same selection on the side's dissimilarity matrix: horizontal lines at the square's top
// plus first × c and plus (first + count) × c, vertical lines at its left plus the same offsets,
// each across the whole square.
void DrawMetricsSelectionLines(CDevice& device, const CTree& side, const CRect& square,
                               int cellSize, const CPen& pen);
