// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "base/Geometry.h"

class CColorPainter;
class CData;
class CTree;
struct CCellBounds;

// The average profile of the active side's selection: for each position of the other side, the
// mean of the selected items' values there, missing values (−99999) skipped; the missing code
// when all are missing. Cost: selection × other side.
std::vector<double> ProfileValues(const CData& data, const CTree& active, const CTree& other,
                                  bool rowsActive);

// Paints the profile in its zone, which has the matrix's geometry: with rows active, every
// selected row position i gets in cell (i, j) the profile value of column position j; with
// columns active, likewise with the roles exchanged. Scaled like the data matrix.
void DrawAverageProfile(CColorPainter& painter, const CData& data, const CTree& rows,
                        const CTree& columns, const CCellBounds& rowBounds,
                        const CCellBounds& columnBounds, const CRect& zone, bool rowsActive);
