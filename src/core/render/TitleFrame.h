// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "base/Geometry.h"

class CDevice;
class CTextMeasurer;
struct CFont;
struct CReport;

// The geometry of the title frame, shared by its layout and its drawing. From the text position:
// the rows block, when it has lines besides its heading, writes the heading at x and its lines
// in a second column at x + f (f the wider of the two headings plus 20), the first line level
// with the heading and y growing by 18 after each line; the columns block likewise below; the
// dissimilarity block, when present, its heading and its one line, then y grows by 18.
// `visit` receives each text with its position and whether it stands in the second column.
// The dissimilarity line stands at x + `dissimilarityColumn`, which never lets it overwrite its
// own heading (see DissimilarityColumn).
// The second column of the dissimilarity line: f, or further right when the heading
// "Dissimilarity :" is wider than f allows (a few points of gap).
int DissimilarityColumn(int secondColumn, int headingWidth);

void WalkTitleFrame(const CReport& report, int secondColumn, int dissimilarityColumn,
                    CPoint& textPosition,
                    const std::function<void(const std::string& text, CPoint at, bool indented,
                                             bool rowsBlock)>& visit);

// The rectangles of the title frame's texts, measured at zoom 1 (the rows block's widths counted
// 1.1 times), united; advances the text position. An empty rectangle when nothing is written.
CRect LayoutTitleFrame(const CReport& report, CTextMeasurer& measurer, const CFont& textFont,
                       CPoint& textPosition);

// Writes the report in `textFont` (second-column lines with the device's indent flag), measuring
// the headings on the device; advances the text position.
void DrawTitleFrame(CDevice& device, const CReport& report, const CFont& textFont,
                    CPoint& textPosition);
