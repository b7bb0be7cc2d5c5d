// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/Geometry.h"

// Where a PostScript picture goes. A page file (.ps) puts the picture on one A4 page at half
// scale, anchored at the page's top-left corner, shrunk further when that would cut it at the
// page's edge. An encapsulated file (.eps) is the picture alone at full size (one layout unit
// one point), for other documents to place: it sets no page size and clips to the picture.
struct CPostScriptPage {
  // The picture's width and height in layout units; empty when unknown (the whole page).
  CSize picture;
  bool encapsulated = false;
};

inline constexpr int kA4WidthPoints = 595;
inline constexpr int kA4HeightPoints = 842;

// The page of a picture of `picture` layout units written to `path`: encapsulated when the
// file name ends in ".eps" (any case), the export filter's other choice.
CPostScriptPage PostScriptPageFor(CSize picture, const std::string& path);

// Points per layout unit: 0.5 on a page when the picture fits at half scale, else the largest
// scale (to six decimals, rounded down) that fits it on the page; 1 for an encapsulated file.
double PostScriptScale(const CPostScriptPage& page);

// The marks' extent in points, PostScript's y upwards: the scaled picture at the page's top-left
// corner, the whole page when the picture is unknown, the picture itself when encapsulated.
CRect PostScriptBoundingBox(const CPostScriptPage& page);

// Everything before the first drawing operation: the document structuring comments, then the
// page size, the origin at the top-left corner, the scale and the three show procedures.
std::string PostScriptPrologue(const CPostScriptPage& page);

// What ends the file: the page output and the end-of-file comment.
inline constexpr const char* kPostScriptEnd = "showpage\n%%EOF\n";
