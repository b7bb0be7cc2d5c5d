// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "base/Geometry.h"
#include "render/AnnotationTracks.h"
#include "render/CellGeometry.h"
#include "render/DendrogramDrawing.h"
#include "render/Device.h"
#include "render/Font.h"
#include "render/PictureInput.h"
#include "render/Report.h"

class CTextMeasurer;

// The zones of the picture, in the order of its zone array.
enum class EPictureZone {
  kTitle = 0,
  kScaleBar = 1,
  kMatrix = 2,
  kRowLabels = 3,
  kColumnLabels = 4,
  kRowTree = 5,
  kColumnTree = 6,
  kRowMetrics = 7,
  kColumnMetrics = 8,
  kAverageProfile = 9,
  kProfileLabels = 10,
  kRowMetricsLabels = 11,
  kColumnMetricsLabels = 12,
  kRowMarks = 13,
  kColumnMarks = 14,
  kLabelEnd = 15,
  kPictureTitle = 16,  // the title line above everything; empty without a title
};

// The largest width or height of a picture, in layout units: at the largest zoom (80) its
// device pixels still fit an int. A larger picture is refused: it shows kTooLargeText instead.
inline constexpr int kLargestPictureExtent = 1 << 24;
inline constexpr char kTooLargeText[] =
    "This picture is too large to be drawn: choose smaller cells or hide the metrics.";

// One window's picture: the permuted table as a heat map with its dendrograms, labels, average
// profile, dissimilarity matrices, title frame and colour scale. The layout places the 17 zones
// in layout units (one unit is one screen pixel at zoom 1); the drawing pass paints everything
// on any device. The layout measures text through the measurer, never through the device.
class CHeatMapPicture {
 public:
  explicit CHeatMapPicture(const CPictureInput& input);

  // The description may change between layouts (orders, switches, zoom); the trees and data
  // it points at are read again by every layout and drawing pass.
  const CPictureInput& Input() const { return input_; }
  CPictureInput& MutableInput() { return input_; }

  // Rebuilds the report lists and the label fonts, computes the zones and the cell geometry.
  void RecomputeLayout(CTextMeasurer& measurer);
  // Paints the whole picture. `fillMargin`: also fill the picture rectangle enlarged by 5 units
  // with the background (a window whose client area the picture does not cover).
  void DrawPicture(CDevice& device, bool fillMargin);

  // The picture's width and height in layout units: the right and bottom of the union of zones.
  CSize PictureSize() const { return pictureSize_; }
  // True when the last layout found the picture beyond kLargestPictureExtent: it then has no
  // zone but the title, which holds kTooLargeText, and exports refuse it.
  bool TooLarge() const { return tooLarge_; }
  CRect Zone(EPictureZone zone) const { return zones_[static_cast<int>(zone)]; }
  const std::array<CRect, kZoneCount>& Zones() const { return zones_; }
  // Where the annotation strips of each side and their legend lie (empty without annotations).
  CRect RowTracksZone() const { return rowTracks_; }
  CRect ColumnTracksZone() const { return columnTracks_; }
  const CAnnotationLegend& AnnotationLegend() const { return annotationLegend_; }
  // "label: annotation = value" of the strip under a layout point, or "".
  std::string AnnotationTextAt(CPoint point) const;

  // The display position under a layout coordinate inside the matrix zone (y for rows, x for
  // columns), from the pixel starts and ends of the positions; −1 outside the matrix.
  int RowAt(int y) const;
  int ColumnAt(int x) const;
  // The deepest-first node of the row or column tree whose hit rectangle (written by the last
  // drawing pass) holds the point, or −1 (kNoNode); −1 too when the tree is not shown.
  int RowNodeAt(CPoint point) const;
  // Where the last drawing put the row dendrogram (node by node).
  const CDendrogramGeometry& RowTreeGeometry() const { return rowTreeGeometry_; }
  int ColumnNodeAt(CPoint point) const;

  // Pixel starts and ends of the row and column positions (computed by the layout and at the
  // start of every drawing pass).
  const CCellBounds& RowBounds() const { return rowBounds_; }
  const CCellBounds& ColumnBounds() const { return columnBounds_; }

  // The report lists of the title frame, rebuilt by every layout.
  const CReport& Report() const { return report_; }
  // The cell sizes in use (at least 1).
  int Hx() const { return hx_; }
  int Hy() const { return hy_; }
  // The label fonts of the last layout (cell size capped at 24) and the text font.
  const CFont& RowLabelFont() const { return rowLabelFont_; }

  // Whether column and row labels are allowed by the cell sizes (or fit-to-window).
  bool ColumnLabelsAllowed() const;
  bool RowLabelsAllowed() const;

 private:
  void ComputeCellBounds();
  void ComputeZones(CTextMeasurer& measurer);
  void LayOutRefusal(CTextMeasurer& measurer);
  bool RowTreeShown() const;
  bool ColumnTreeShown() const;
  int TrimmedLabelLength(int longest) const;
  // Labels above the matrices as turned text (the display's choice).
  bool TurnedLabels() const;
  // The display's title line ("" for none).
  const std::string& Title() const;

  CPictureInput input_;
  std::array<CRect, kZoneCount> zones_{};
  CRect rowTracks_;
  CRect columnTracks_;
  CAnnotationLegend annotationLegend_;
  CSize pictureSize_;
  bool tooLarge_ = false;
  CCellBounds rowBounds_;
  CCellBounds columnBounds_;
  CReport report_;
  int hx_ = 1;
  int hy_ = 1;
  int columnTreeDepth_ = 0;
  int rowTreeDepth_ = 0;
  int columnLabelDepth_ = 0;  // Lc
  int rowLabelDepth_ = 0;     // Lr
  CFont rowLabelFont_;
  CFont columnLabelFont_;
  // Where the last drawing put the dendrograms, for the mouse.
  CDendrogramGeometry rowTreeGeometry_;
  CDendrogramGeometry columnTreeGeometry_;
  CFont textFont_ = TextFont();
  CFont titleFont_ = TitleFont();
  // Where the report starts: below the title line when there is one.
  CPoint reportOrigin_;
};

// The header of a printed page: "Quorvel - File: " and the path in the text font at
// (left of `rect`, −24), and a line with `pen` from (0, −6) to (right of `rect`, −6).
void DrawPrintHeader(CDevice& device, const std::string& path, const CRect& rect, const CPen& pen);
