// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

class CColorPainter;
class CData;
class CTree;
struct CCellBounds;

// Paints the data matrix: cell (i, j) spans the start to the end of column position j across
// and of row position i down, from the zone's top-left, coloured by the value of the row and
// column shown there. Nominal data with levels per column is scaled by each column's largest
// code. Cost: one fill per cell.
void DrawDataMatrix(CColorPainter& painter, const CData& data, const CTree& rows,
                    const CTree& columns, const CCellBounds& rowBounds,
                    const CCellBounds& columnBounds, const CRect& zone);

// The cluster marks of a side in its strip: every position whose item carries a mark is filled
// with the mark's colour over its extent along the strip and the strip's whole depth.
void DrawClusterMarks(CColorPainter& painter, const CTree& side, const CCellBounds& bounds,
                      const CRect& strip, bool rowSide);
