// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/HeatMapPicture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/Data.h"
#include "render/AverageProfile.h"
#include "render/ColorPainter.h"
#include "render/DendrogramDrawing.h"
#include "render/LabelDrawing.h"
#include "render/MatrixDrawing.h"
#include "render/MetricsDrawing.h"
#include "render/SelectionLines.h"
#include "render/TextMeasurer.h"
#include "render/TitleFrame.h"
#include "render/Zoom.h"
#include "settings/DisplaySettings.h"
#include "tree/Tree.h"

namespace {

constexpr int kMaximumVerticalCharacters = 20;
constexpr int kLegendBarWidth = 512;
// Row labels above the row dissimilarity matrix are left out beyond this many rows.
constexpr int kMaximumMetricsLabelRows = 1000;
// A label wider than any picture may be is measured as this wide.
constexpr int kLargestLabelWidth = kLargestPictureExtent + 1;

int Step088(int height) {
  return static_cast<int>(0.88 * height);
}

// The step between the letters of a vertical label: the drawing takes 0.88 of the label's
// height as the screen measures it, which may exceed the font's nominal height. The zone takes
// the same step, so that the top letter stays inside it (not on the tree or the top frame).
int VerticalLabelStep(const CTextMeasurer& measurer, const CFont& font) {
  return Step088(std::max(font.Size(), measurer.TextExtent(font, "").cy));
}

// Dendrogram lines in black become the painter's line colour: white on a black screen.
CPen TreePenOn(const CColorPainter& painter, CPen pen) {
  if (pen.color == Rgb(0, 0, 0)) pen.color = painter.LinePen().color;
  return pen;
}

// Cell weights of a side in display order; equal weights when the side has none.
std::vector<double> DisplayWeights(const CTree& side) {
  const size_t n = side.order.size();
  std::vector<double> weights(n, n > 0 ? 1.0 / static_cast<double>(n) : 0.0);
  if (side.elements.size() < n) return weights;
  for (size_t i = 0; i < n; ++i) {
    const int item = side.order[i];
    if (item >= 0 && static_cast<size_t>(item) < side.elements.size()) {
      weights[i] = side.elements[static_cast<size_t>(item)].weight;
    }
  }
  return weights;
}

const std::string* LabelOf(const std::vector<std::string>& labels, int item) {
  if (item < 0 || static_cast<size_t>(item) >= labels.size()) return nullptr;
  return &labels[static_cast<size_t>(item)];
}

std::vector<CPlacedLabel> PlacedLabels(const std::vector<std::string>& labels, const CTree& side,
                                       const CCellBounds& bounds, int first, int last) {
  std::vector<CPlacedLabel> placed;
  last = std::min(last, std::min<int>(bounds.Count(), static_cast<int>(side.order.size())));
  for (int i = std::max(first, 0); i < last; ++i) {
    placed.push_back({LabelOf(labels, side.order[static_cast<size_t>(i)]),
                      bounds.starts[static_cast<size_t>(i)], bounds.ends[static_cast<size_t>(i)]});
  }
  return placed;
}

CRect At(CPoint p) {
  return {p.x, p.y, p.x, p.y};
}

// The widest of the labels of a side, measured in `font`.
int WidestLabel(const CData* data, const std::vector<std::string> CData::*labels, const CTree* side,
                const CFont& font, const CTextMeasurer& measurer) {
  int widest = 0;
  if (data && side) {
    for (const int item : side->order) {
      if (const std::string* label = LabelOf(data->*labels, item)) {
        widest = std::max(widest, measurer.TextExtent(font, *label).cx);
      }
    }
  }
  return widest;
}

// Labels across the top of a matrix: turned text, or stacked letters.
void DrawAcrossLabels(CDevice& device, const CFont& font, const CRect& zone,
                      const std::vector<CPlacedLabel>& labels, int longest, bool turned) {
  if (turned) {
    DrawTurnedLabels(device, font, zone, labels);
  } else {
    DrawVerticalLabels(device, font, zone, labels, longest);
  }
}

}  // namespace

CHeatMapPicture::CHeatMapPicture(const CPictureInput& input)
    : input_(input), reportOrigin_{input.sx, input.sy} {}

bool CHeatMapPicture::RowTreeShown() const {
  return input_.switches.rowTree && input_.rows != nullptr && input_.rows->hasTree &&
         input_.rows->root != kNoNode;
}

bool CHeatMapPicture::ColumnTreeShown() const {
  return input_.switches.columnTree && input_.columns != nullptr && input_.columns->hasTree &&
         input_.columns->root != kNoNode;
}

bool CHeatMapPicture::ColumnLabelsAllowed() const {
  return hx_ > 5 || input_.fitToWindow;
}

bool CHeatMapPicture::RowLabelsAllowed() const {
  return hy_ > 5 || input_.fitToWindow;
}

bool CHeatMapPicture::TurnedLabels() const {
  return input_.display != nullptr && input_.display->rotatedColumnLabels;
}

const std::string& CHeatMapPicture::Title() const {
  static const std::string kNone;
  return input_.display != nullptr ? input_.display->pictureTitle : kNone;
}

int CHeatMapPicture::TrimmedLabelLength(int longest) const {
  return std::clamp(longest, 0, kMaximumVerticalCharacters);
}

void CHeatMapPicture::ComputeCellBounds() {
  rowBounds_ = input_.rows ? ::ComputeCellBounds(DisplayWeights(*input_.rows), hy_) : CCellBounds{};
  columnBounds_ =
      input_.columns ? ::ComputeCellBounds(DisplayWeights(*input_.columns), hx_) : CCellBounds{};
}

void CHeatMapPicture::RecomputeLayout(CTextMeasurer& measurer) {
  const DisplaySettings defaults;
  const DisplaySettings& display = input_.display ? *input_.display : defaults;
  hx_ = ClampedCellSize(display.hx);
  hy_ = ClampedCellSize(display.hy);
  rowLabelFont_ = LabelFont(hy_);
  columnLabelFont_ = LabelFont(hx_);
  CReportInput reportInput = input_.report;
  reportInput.showTopFrame = display.m_bShowTopFrame != 0;
  reportInput.showObjectiveFunctions = display.m_bShowObjectiveFunctionsValue != 0;
  reportInput.showCriteria = input_.switches.criteria;
  reportInput.showMetrics = input_.switches.metrics;
  BuildReport(reportInput, report_);
  ComputeCellBounds();
  ComputeZones(measurer);
}

void CHeatMapPicture::ComputeZones(CTextMeasurer& measurer) {
  const DisplaySettings defaults;
  const DisplaySettings& display = input_.display ? *input_.display : defaults;
  const CDisplaySwitches& show = input_.switches;
  const CData* data = input_.data;
  const int rowCount = input_.rows ? static_cast<int>(input_.rows->order.size()) : 0;
  const int columnCount = input_.columns ? static_cast<int>(input_.columns->order.size()) : 0;
  const int sx = input_.sx;
  const int sy = input_.sy;
  const bool nominal = input_.dataType == EDataType::kNominal;
  const bool topFrame = display.m_bShowTopFrame != 0;

  // The matrix sides are the only sizes that grow with the table: beyond the limit the layout
  // stops before any coordinate can leave the range of an int.
  const int64_t matrixWidth = int64_t{columnCount} * hx_;
  const int64_t matrixHeight = int64_t{rowCount} * hy_;
  if (matrixWidth > kLargestPictureExtent || matrixHeight > kLargestPictureExtent) {
    LayOutRefusal(measurer);
    return;
  }
  tooLarge_ = false;
  const int W = static_cast<int>(matrixWidth);
  const int H = static_cast<int>(matrixHeight);
  columnTreeDepth_ = TreeDepth(ClampedTreeSize(display.m_intColumnsTreeSize), input_.zoom);
  rowTreeDepth_ = TreeDepth(ClampedTreeSize(display.m_intRowsTreeSize), input_.zoom);
  const int longestColumn = data ? TrimmedLabelLength(data->maxColumnLabelLength) : 0;
  const int longestRow = data ? TrimmedLabelLength(data->maxRowLabelLength) : 0;
  columnLabelDepth_ = longestColumn * VerticalLabelStep(measurer, columnLabelFont_);
  rowLabelDepth_ = longestRow * VerticalLabelStep(measurer, rowLabelFont_);
  if (TurnedLabels()) {
    columnLabelDepth_ =
        WidestLabel(data, &CData::columnLabels, input_.columns, columnLabelFont_, measurer);
    rowLabelDepth_ = WidestLabel(data, &CData::rowLabels, input_.rows, rowLabelFont_, measurer);
  }
  const int Tc = columnTreeDepth_;
  const int Tr = rowTreeDepth_;
  const int Lc = columnLabelDepth_;
  const int Lr = rowLabelDepth_;
  const bool columnLabels = show.columnLabels && ColumnLabelsAllowed();
  const bool rowLabels = show.rowLabels && RowLabelsAllowed();
  const bool columnTree = ColumnTreeShown();
  const bool rowTree = RowTreeShown();
  const bool columnMarks = input_.columns && input_.columns->marksShown;
  const bool rowMarks = input_.rows && input_.rows->marksShown;
  // Annotation strips lie between the matrix and its marks.
  const int rowTrackDepth = show.dataMatrix ? TracksDepth(input_.rowAnnotations) : 0;
  const int columnTrackDepth = show.dataMatrix ? TracksDepth(input_.columnAnnotations) : 0;
  rowTracks_ = columnTracks_ = CRect{};
  annotationLegend_ = {};

  auto& z = zones_;
  z.fill(CRect{});
  auto zone = [&](EPictureZone which) -> CRect& { return z[static_cast<int>(which)]; };
  CPoint text{sx, sy};

  // The title line, above everything else; without one the layout starts at (sx, sy).
  CRect& pictureTitle = zone(EPictureZone::kPictureTitle);
  if (!Title().empty()) {
    const CSize extent = measurer.TextExtent(titleFont_, Title());
    pictureTitle = CRect{text.x, text.y, text.x + extent.cx, text.y + extent.cy};
    text.y += extent.cy + sy / 2;
  }
  reportOrigin_ = text;

  // 1. Title frame.
  CRect& title = zone(EPictureZone::kTitle);
  title = At(text);
  if (topFrame) {
    const CRect frame = LayoutTitleFrame(report_, measurer, textFont_, text);
    if (!frame.IsEmpty()) title = frame;
  }
  // 2. Scale bar.
  CRect& scale = zone(EPictureZone::kScaleBar);
  scale = At(text);
  if (topFrame && display.m_bShowScale) {
    const CSize extent = measurer.TextExtent(textFont_, "The colors scale:");
    const CRect caption{text.x, text.y, text.x + extent.cx, text.y + extent.cy};
    if (title.IsEmpty()) {
      title = caption;
    } else {
      title.left = std::min(title.left, caption.left);
      title.top = std::min(title.top, caption.top);
      title.right = std::max(title.right, caption.right);
      title.bottom = std::max(title.bottom, caption.bottom);
    }
    text.y += 18;
    scale = CRect{text.x, text.y, text.x + kLegendBarWidth, text.y + 10};
    text.y += 36;
  }
  // 3. Matrix.
  CRect& matrix = zone(EPictureZone::kMatrix);
  matrix = At(text);
  if (show.dataMatrix) matrix = CRect{text.x, text.y, text.x + W, text.y + H};
  matrix.Offset(0, sy / 2);
  int e = 0;
  if (columnTree) {
    matrix.Offset(0, sy / 2);
    e = Tc;
  }
  if (columnLabels) e += Lc;
  if (rowLabels && show.metrics && Lr >= e) e = Lr;
  if (columnMarks) e += sy * 2 / 3;
  if (columnTrackDepth != 0) e += columnTrackDepth + sy / 3;
  if (e != 0) matrix.Offset(0, e + sy / 2);
  if (rowTree) matrix.Offset(Tr + sx / 2, 0);
  // The annotation strips, right of the matrix and above it.
  if (rowTrackDepth != 0) {
    rowTracks_ = CRect{matrix.right + sx / 3, matrix.top, matrix.right + sx / 3 + rowTrackDepth,
                       matrix.top + H};
  }
  if (columnTrackDepth != 0) {
    columnTracks_ = CRect{matrix.left, matrix.top - sy / 3 - columnTrackDepth, matrix.left + W,
                          matrix.top - sy / 3};
  }
  const int rowMarksFrom = rowTrackDepth != 0 ? rowTracks_.right : matrix.right;
  const int columnMarksFrom = columnTrackDepth != 0 ? columnTracks_.top : matrix.top;
  // 4. Row marks.
  CRect& rowMarkStrip = zone(EPictureZone::kRowMarks);
  rowMarkStrip = At({rowMarksFrom, matrix.top});
  if (rowMarks) {
    rowMarkStrip.right += sx / 3;
    rowMarkStrip.bottom += H;
    rowMarkStrip.Offset(sx / 3, 0);
  }
  // 5. Column marks.
  CRect& columnMarkStrip = zone(EPictureZone::kColumnMarks);
  columnMarkStrip = At({matrix.left, columnMarksFrom});
  if (columnMarks) {
    columnMarkStrip.right += W;
    columnMarkStrip.bottom += sy / 3;
    columnMarkStrip.Offset(0, -(sy * 2 / 3));
  }
  // 6. Column labels.
  CRect& columnLabelZone = zone(EPictureZone::kColumnLabels);
  columnLabelZone = At({columnMarkStrip.left, columnMarkStrip.top});
  if (columnLabels && (show.dataMatrix || columnTree || show.metrics)) {
    columnLabelZone.right += W;
    columnLabelZone.bottom += Lc;
    columnLabelZone.Offset(0, -(Lc + sy / 2));
  }
  // 7. Column tree.
  CRect& columnTreeZone = zone(EPictureZone::kColumnTree);
  columnTreeZone = At({columnLabelZone.left, columnLabelZone.top});
  if (columnTree) {
    columnTreeZone.right += W;
    columnTreeZone.bottom += Tc;
    columnTreeZone.Offset(0, -(Tc + sy / 2));
  }
  // 8. Row tree.
  CRect& rowTreeZone = zone(EPictureZone::kRowTree);
  rowTreeZone = At({matrix.left, matrix.top});
  if (rowTree) {
    rowTreeZone.right += Tr;
    rowTreeZone.bottom += H;
    rowTreeZone.Offset(-(Tr + sx / 2), 0);
  }
  // 9. Row labels.
  int Wr = 0;
  if (data && input_.rows) {
    for (const int item : input_.rows->order) {
      if (const std::string* label = LabelOf(data->rowLabels, item)) {
        Wr = std::clamp(measurer.TextExtent(rowLabelFont_, *label).cx, Wr, kLargestLabelWidth);
      }
    }
  }
  CRect& rowLabelZone = zone(EPictureZone::kRowLabels);
  rowLabelZone = At({rowMarkStrip.right, matrix.top});
  if (rowLabels && (show.dataMatrix || rowTree || show.metrics)) {
    rowLabelZone.right += Wr;
    rowLabelZone.bottom += H;
    rowLabelZone.Offset(sx / 2, 0);
  }
  // 10. Label end.
  CRect& labelEnd = zone(EPictureZone::kLabelEnd);
  labelEnd = At({rowLabelZone.right, matrix.top});
  // 11. Average profile.
  CRect& profile = zone(EPictureZone::kAverageProfile);
  profile = labelEnd;
  if (show.averageProfile) {
    profile.right += W;
    profile.bottom += H;
    profile.Offset(sx / 2, 0);
  }
  // 12. Metrics.
  CRect& rowMetrics = zone(EPictureZone::kRowMetrics);
  rowMetrics = At({profile.right, matrix.top});
  CRect& columnMetrics = zone(EPictureZone::kColumnMetrics);
  columnMetrics = At({matrix.left, matrix.top});
  if (show.metrics) {
    rowMetrics.right += H;
    rowMetrics.bottom += H;
    rowMetrics.Offset(sx / 2, 0);
    if (!nominal) {
      columnMetrics.right += W;
      columnMetrics.bottom += W;
      columnMetrics.Offset(0, sy / 2 + H);
    }
  }
  // 13. Profile labels.
  CRect& profileLabels = zone(EPictureZone::kProfileLabels);
  profileLabels = At({profile.left, profile.top});
  if (show.averageProfile && columnLabels && show.dataMatrix && hx_ > 5) {
    profileLabels.right += W;
    profileLabels.bottom += Lc;
    profileLabels.Offset(0, -(Lc + sy / 2));
  }
  // 14. Row-metrics labels.
  CRect& rowMetricsLabels = zone(EPictureZone::kRowMetricsLabels);
  rowMetricsLabels = At({rowMetrics.left, rowMetrics.top});
  if (rowLabels && show.metrics) {
    rowMetricsLabels.right += H;
    rowMetricsLabels.bottom += Lr;
    rowMetricsLabels.Offset(0, -(Lr + sy / 2));
  }
  // 15. Column-metrics labels.
  int Wc = 0;
  if (data && input_.columns) {
    for (const int item : input_.columns->order) {
      if (const std::string* label = LabelOf(data->columnLabels, item)) {
        Wc = std::clamp(measurer.TextExtent(columnLabelFont_, *label).cx, Wc, kLargestLabelWidth);
      }
    }
  }
  CRect& columnMetricsLabels = zone(EPictureZone::kColumnMetricsLabels);
  columnMetricsLabels = At({columnMetrics.left + W, columnMetrics.top});
  if (columnLabels && show.metrics && !nominal) {
    columnMetricsLabels.right += Wc;
    columnMetricsLabels.bottom += W;
    columnMetricsLabels.Offset(sx / 2, 0);
  }

  // The picture reaches the right and bottom of the union of the zones that hold something.
  CSize size;
  for (CRect& rect : z) {
    rect.Normalize();
    if (rect.IsEmpty()) continue;
    size.cx = std::max(size.cx, rect.right);
    size.cy = std::max(size.cy, rect.bottom);
  }
  for (const CRect& rect : {rowTracks_, columnTracks_}) {
    if (rect.IsEmpty()) continue;
    size.cx = std::max(size.cx, rect.right);
    size.cy = std::max(size.cy, rect.bottom);
  }
  // The annotations' legend, below everything else.
  if (rowTrackDepth != 0 || columnTrackDepth != 0) {
    const int right = std::max(size.cx, sx + 480);
    annotationLegend_ =
        LayoutAnnotationLegend(rowTrackDepth != 0 ? input_.rowAnnotations : nullptr,
                               columnTrackDepth != 0 ? input_.columnAnnotations : nullptr, measurer,
                               textFont_, CPoint{sx, size.cy + sy}, right);
    const CRect legend = annotationLegend_.bounds;
    if (!legend.IsEmpty()) {
      size.cx = std::max(size.cx, legend.right + sx);
      size.cy = std::max(size.cy, legend.bottom + sy);
    }
  }
  pictureSize_ = size;
  if (size.cx > kLargestPictureExtent || size.cy > kLargestPictureExtent) LayOutRefusal(measurer);
}

void CHeatMapPicture::LayOutRefusal(CTextMeasurer& measurer) {
  tooLarge_ = true;
  zones_.fill(CRect{});
  rowTracks_ = columnTracks_ = CRect{};
  annotationLegend_ = {};
  rowTreeGeometry_ = {};
  columnTreeGeometry_ = {};
  const CSize extent = measurer.TextExtent(textFont_, kTooLargeText);
  const CPoint at{input_.sx, input_.sy};
  zones_[static_cast<int>(EPictureZone::kTitle)] =
      CRect{at.x, at.y, at.x + extent.cx, at.y + extent.cy};
  pictureSize_ = CSize{at.x * 2 + extent.cx, at.y * 2 + extent.cy};
}

int CHeatMapPicture::RowAt(int y) const {
  const CRect matrix = Zone(EPictureZone::kMatrix);
  if (matrix.IsEmpty() || y < matrix.top || y >= matrix.bottom) return -1;
  const int offset = y - matrix.top;
  if (rowBounds_.Count() == 0 || offset >= rowBounds_.Extent()) return -1;
  return rowBounds_.PositionAt(offset);
}

int CHeatMapPicture::ColumnAt(int x) const {
  const CRect matrix = Zone(EPictureZone::kMatrix);
  if (matrix.IsEmpty() || x < matrix.left || x >= matrix.right) return -1;
  const int offset = x - matrix.left;
  if (columnBounds_.Count() == 0 || offset >= columnBounds_.Extent()) return -1;
  return columnBounds_.PositionAt(offset);
}

std::string CHeatMapPicture::AnnotationTextAt(CPoint point) const {
  const CData* data = input_.data;
  if (data == nullptr) return {};
  if (input_.rowAnnotations && input_.rows && !rowTracks_.IsEmpty()) {
    std::string text = TrackTextAt(*input_.rowAnnotations, *input_.rows, rowBounds_, rowTracks_,
                                   true, data->rowLabels, point);
    if (!text.empty()) return text;
  }
  if (input_.columnAnnotations && input_.columns && !columnTracks_.IsEmpty()) {
    return TrackTextAt(*input_.columnAnnotations, *input_.columns, columnBounds_, columnTracks_,
                       false, data->columnLabels, point);
  }
  return {};
}

int CHeatMapPicture::RowNodeAt(CPoint point) const {
  if (!RowTreeShown()) return kNoNode;
  return rowTreeGeometry_.HitTest(*input_.rows, input_.rows->root, point);
}

int CHeatMapPicture::ColumnNodeAt(CPoint point) const {
  if (!ColumnTreeShown()) return kNoNode;
  return columnTreeGeometry_.HitTest(*input_.columns, input_.columns->root, point);
}

void CHeatMapPicture::DrawPicture(CDevice& device, bool fillMargin) {
  const DisplaySettings defaults;
  const DisplaySettings& display = input_.display ? *input_.display : defaults;
  const CDisplaySwitches& show = input_.switches;
  const CData* data = input_.data;

  CPaintedData painted;
  painted.dataType = input_.dataType;
  painted.representation = input_.dataRepresentation;
  if (data) {
    painted.maxValue = data->maxValue;
    painted.minValue = data->minValue;
    if (input_.dataType == EDataType::kNominal) {
      painted.maxCodes.resize(static_cast<size_t>(data->columnCount));
      for (int j = 0; j < data->columnCount; ++j) {
        painted.maxCodes[static_cast<size_t>(j)] = data->MaxCode(j);
      }
    }
  }
  CColorPainter painter(device, display, std::move(painted));
  painter.BuildLevelTable();
  painter.SetPictureColors();
  const CRect picture{0, 0, pictureSize_.cx, pictureSize_.cy};
  device.FillSolidRect(picture, painter.BackgroundColor());
  if (tooLarge_) {
    device.SelectFont(&textFont_);
    device.SetTextAlign(kAlignLeft | kAlignTop);
    const CRect line = Zone(EPictureZone::kTitle);
    device.TextOut(line.left, line.top, kTooLargeText, false);
    return;
  }

  ComputeCellBounds();
  if (fillMargin) {
    device.FillSolidRect(CRect{-5, -5, picture.right + 5, picture.bottom + 5},
                         painter.BackgroundColor());
  }

  // Matrix body.
  painter.textPosition = reportOrigin_;
  const CTree* rows = input_.rows;
  const CTree* columns = input_.columns;
  const bool sides = data && rows && columns;
  if (sides) {
    const CRect matrix = Zone(EPictureZone::kMatrix);
    if (show.dataMatrix && !matrix.IsEmpty()) {
      DrawDataMatrix(painter, *data, *rows, *columns, rowBounds_, columnBounds_, matrix);
      DrawClusterMarks(painter, *rows, rowBounds_, Zone(EPictureZone::kRowMarks), true);
      DrawClusterMarks(painter, *columns, columnBounds_, Zone(EPictureZone::kColumnMarks), false);
      if (input_.rowAnnotations && !rowTracks_.IsEmpty()) {
        DrawTracks(device, *input_.rowAnnotations, *rows, rowBounds_, rowTracks_, true);
      }
      if (input_.columnAnnotations && !columnTracks_.IsEmpty()) {
        DrawTracks(device, *input_.columnAnnotations, *columns, columnBounds_, columnTracks_,
                   false);
      }
      DrawSelectionLines(device, *rows, rowBounds_, matrix, true, input_.selectionPen);
      DrawSelectionLines(device, *columns, columnBounds_, matrix, false, input_.selectionPen);
      painter.SetPictureColors();
    }
    DrawAverageProfile(painter, *data, *rows, *columns, rowBounds_, columnBounds_,
                       Zone(EPictureZone::kAverageProfile), show.rowsActive);
    const CRect rowMetrics = Zone(EPictureZone::kRowMetrics);
    const CRect columnMetrics = Zone(EPictureZone::kColumnMetrics);
    DrawMetrics(painter, *rows, rowBounds_, rowMetrics);
    DrawMetrics(painter, *columns, columnBounds_, columnMetrics);
    DrawMetricsSelectionLines(device, *rows, rowMetrics, hy_, input_.selectionPen);
    DrawMetricsSelectionLines(device, *columns, columnMetrics, hx_, input_.selectionPen);
    painter.SetPictureColors();
    const CRect rowLabelZone = Zone(EPictureZone::kRowLabels);
    if (!rowLabelZone.IsEmpty()) {
      DrawHorizontalLabels(device, rowLabelFont_, rowLabelZone,
                           PlacedLabels(data->rowLabels, *rows, rowBounds_, 0, rowBounds_.Count()));
    }
  }

  // Overlay: trees, then the vertical and remaining labels.
  const CPen treePen = TreePenOn(painter, input_.treePen);
  if (RowTreeShown()) {
    const CRect zone = Zone(EPictureZone::kRowTree);
    rowTreeGeometry_ = LayoutDendrogram(*rows, zone, hy_, true);
    DrawDendrogram(device, *rows, rowTreeGeometry_, true, treePen, input_.highlightPen);
  }
  if (ColumnTreeShown()) {
    const CRect zone = Zone(EPictureZone::kColumnTree);
    columnTreeGeometry_ = LayoutDendrogram(*columns, zone, hx_, false);
    DrawDendrogram(device, *columns, columnTreeGeometry_, false, treePen, input_.highlightPen);
  }
  painter.SetPictureColors();
  if (sides) {
    const int longestColumn = data->maxColumnLabelLength;
    const int longestRow = data->maxRowLabelLength;
    const CRect columnLabelZone = Zone(EPictureZone::kColumnLabels);
    if (!columnLabelZone.IsEmpty()) {
      DrawAcrossLabels(
          device, columnLabelFont_, columnLabelZone,
          PlacedLabels(data->columnLabels, *columns, columnBounds_, 0, columnBounds_.Count()),
          longestColumn, TurnedLabels());
    }
    const CRect profileLabels = Zone(EPictureZone::kProfileLabels);
    if (!profileLabels.IsEmpty() && hx_ >= 6) {
      const int first = columns->selectionStart;
      DrawAcrossLabels(device, columnLabelFont_, profileLabels,
                       PlacedLabels(data->columnLabels, *columns, columnBounds_, first,
                                    first + columns->selectionLength),
                       longestColumn, TurnedLabels());
    }
    const CRect rowMetricsLabels = Zone(EPictureZone::kRowMetricsLabels);
    if (!rowMetricsLabels.IsEmpty() && rowBounds_.Count() <= kMaximumMetricsLabelRows) {
      DrawAcrossLabels(device, rowLabelFont_, rowMetricsLabels,
                       PlacedLabels(data->rowLabels, *rows, rowBounds_, 0, rowBounds_.Count()),
                       longestRow, TurnedLabels());
    }
    const CRect columnMetricsLabels = Zone(EPictureZone::kColumnMetricsLabels);
    if (!columnMetricsLabels.IsEmpty()) {
      DrawHorizontalLabels(
          device, columnLabelFont_, columnMetricsLabels,
          PlacedLabels(data->columnLabels, *columns, columnBounds_, 0, columnBounds_.Count()));
    }
  }

  // The title line, then the top frame: the report and the legend.
  const CRect titleLine = Zone(EPictureZone::kPictureTitle);
  if (!Title().empty() && !titleLine.IsEmpty()) {
    device.SelectFont(&titleFont_);
    device.SetTextAlign(kAlignLeft | kAlignTop);
    device.TextOut(titleLine.left, titleLine.top, Title(), false);
  }
  if (display.m_bShowTopFrame) {
    device.SetTextAlign(kAlignLeft | kAlignTop);
    DrawTitleFrame(device, report_, textFont_, painter.textPosition);
    if (display.m_bShowScale) painter.DrawLegend(textFont_, pictureSize_.cx);
  }
  DrawAnnotationLegend(device, annotationLegend_, textFont_, painter.TextColor());
}
