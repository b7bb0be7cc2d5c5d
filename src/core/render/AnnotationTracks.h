// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/Geometry.h"
#include "data/Annotations.h"
#include "render/Font.h"

class CDevice;
class CTextMeasurer;
class CTree;
struct CCellBounds;

// Annotation tracks: one strip per annotation column beside the matrix (rows: columns of
// strips right of the matrix; columns: rows of strips above it), each position coloured by the
// value of the item shown there, and a legend that names every category and numeric range.

inline constexpr int kTrackThickness = 10;
inline constexpr int kTrackGap = 2;
// The legend lists at most this many categories of one track, then says how many more there are.
inline constexpr size_t kMaximumLegendCategories = 40;

// The depth of a side's strips across the matrix (0 when nothing is shown).
int TracksDepth(const CSideAnnotations* annotations);

// The qualitative palette: the Okabe-Ito colours without black, then Paul Tol's muted
// colours; both are told apart with the common colour-vision deficiencies. It repeats beyond
// its 16 colours.
ColorRef CategoryColor(size_t category);
// A number's colour on the viridis scale over the track's range (the middle of the scale when
// the range is a single value).
ColorRef NumberColor(const CAnnotationTrack& track, double value);
// The colour of an item of the side: its category or number, the missing colour without one.
ColorRef ItemColor(const CAnnotationTrack& track, int item);

// Paints the strips of a side in `zone`, each position over its extent from the zone's top
// (rows) or left (columns); consecutive positions of one colour are one fill. Only what meets
// the device's clip box is painted.
void DrawTracks(CDevice& device, const CSideAnnotations& annotations, const CTree& side,
                const CCellBounds& bounds, const CRect& zone, bool rowSide);

// What the strips say at `point`: "label: name = value" of the item and track under it, or ""
// outside them. `zone` and `bounds` as for DrawTracks; `labels` are the side's item labels.
std::string TrackTextAt(const CSideAnnotations& annotations, const CTree& side,
                        const CCellBounds& bounds, const CRect& zone, bool rowSide,
                        const std::vector<std::string>& labels, CPoint point);

// The legend, laid out once per layout and drawn as it lies.
struct CLegendPiece {
  CRect rect;
  std::string text;  // a text piece when not empty, else a swatch
  ColorRef color = 0;
};
struct CAnnotationLegend {
  std::vector<CLegendPiece> pieces;
  CRect bounds;  // empty when there is no legend
};

// Lays out the legend of both sides from `origin`, wrapping the entries of a track before
// `right` (but never before the first entry of a line).
CAnnotationLegend LayoutAnnotationLegend(const CSideAnnotations* rows,
                                         const CSideAnnotations* columns,
                                         const CTextMeasurer& measurer, const CFont& font,
                                         CPoint origin, int right);
void DrawAnnotationLegend(CDevice& device, const CAnnotationLegend& legend, const CFont& font,
                          ColorRef textColor);
