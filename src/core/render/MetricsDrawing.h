// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

class CColorPainter;
class CTree;
struct CCellBounds;

// Paints a side's dissimilarity matrix in its square zone: cell (i, j) is the dissimilarity of
// the items shown at positions i and j, spanning position j across and position i down from the
// zone's top-left, painted as a metrics cell scaled by the matrix's largest dissimilarity.
// Cost: n² fills.
void DrawMetrics(CColorPainter& painter, const CTree& side, const CCellBounds& bounds,
                 const CRect& zone);
