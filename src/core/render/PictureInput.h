// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/Geometry.h"
#include "render/Pen.h"
#include "render/Report.h"
#include "settings/DisplaySwitches.h"

class CData;
struct CSideAnnotations;
class CTree;
struct DisplaySettings;

// Everything one picture of a window is drawn from. The pointers are not owned; they must stay
// valid while a CHeatMapPicture made from this description is used. Drawing reads them only.
struct CPictureInput {
  const CData* data = nullptr;
  const CTree* rows = nullptr;
  const CTree* columns = nullptr;
  const DisplaySettings* display = nullptr;
  CDisplaySwitches switches;
  EDataType dataType = EDataType::kNumerical;
  int dataRepresentation = 0;  // DataRepresentation of the treatment settings
  EDissimilarity dissimilarity = EDissimilarity::kEuclidean;
  int sx = 12;  // spacing between picture elements, horizontal and vertical
  int sy = 12;
  double zoom = 1.0;
  bool fitToWindow = false;
  // The window's client area in device pixels (empty for exports); when the picture does not
  // cover it, a margin around the picture is filled with the background too.
  CSize clientSize;
  // What the title frame reports (built into the report lists by every layout).
  CReportInput report;
  // The document's pens: dendrogram lines, the node under the mouse, the selection lines.
  CPen treePen{Rgb(0, 0, 0), 1, CPenStyle::kSolid};
  CPen highlightPen{Rgb(255, 0, 0), 2, CPenStyle::kSolid};
  // Blue and two units wide: the selection lines cross a heat map of reds and greens.
  CPen selectionPen{Rgb(0, 0, 255), 2, CPenStyle::kSolid};
  // The document's path, for the header of printed pages.
  std::string path;
  // Annotation tracks of each side, matched to the items of `data` (null: none).
  const CSideAnnotations* rowAnnotations = nullptr;
  const CSideAnnotations* columnAnnotations = nullptr;
};
