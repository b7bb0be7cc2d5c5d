// SPDX-License-Identifier: GPL-3.0-or-later
// Annotation strips and their legend. Painting a side's strips costs one pass over the visible
// positions per track; the legend is a list of placed texts and swatches made by the layout.
#include "render/AnnotationTracks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/Text.h"
#include "render/CellGeometry.h"
#include "render/ColorPainter.h"
#include "render/ColorScales.h"
#include "render/Device.h"
#include "render/TextMeasurer.h"
#include "tree/Tree.h"

namespace {

constexpr std::array<ColorRef, 16> kCategoryColors{
    // Okabe and Ito (2008), black left out: it is the picture's line colour.
    Rgb(230, 159, 0), Rgb(86, 180, 233), Rgb(0, 158, 115), Rgb(240, 228, 66), Rgb(0, 114, 178),
    Rgb(213, 94, 0), Rgb(204, 121, 167),
    // Tol's muted scheme.
    Rgb(204, 102, 119), Rgb(51, 34, 136), Rgb(221, 204, 119), Rgb(17, 119, 51), Rgb(136, 204, 238),
    Rgb(136, 34, 85), Rgb(68, 170, 153), Rgb(153, 153, 51), Rgb(170, 68, 153)};

constexpr int kSwatchSize = 10;
constexpr int kGradientSteps = 32;
constexpr int kGradientStepWidth = 4;

std::string NumberLabel(double value) {
  return Format("%.6g", value);
}

// Lays out lines of pieces: text and swatches flow left to right and wrap before `right`.
class CLegendFlow {
 public:
  CLegendFlow(const CTextMeasurer& measurer, const CFont& font, CPoint origin, int right)
      : measurer_(measurer),
        font_(font),
        left_(origin.x),
        right_(right),
        x_(origin.x),
        y_(origin.y) {
    lineHeight_ = std::max(kSwatchSize + 4, measurer.TextExtent(font, "Ag").cy);
  }

  void NewLine(int indent) {
    if (!legend_.pieces.empty()) y_ += lineHeight_ + 2;
    lineStart_ = x_ = left_ + indent;
  }
  // Keeps `width` on the current line, or wraps to a line indented like the current one.
  void Reserve(int width) {
    if (x_ > lineStart_ && x_ + width > right_) {
      y_ += lineHeight_ + 2;
      x_ = lineStart_;
    }
  }
  void Text(const std::string& text, int after) {
    const CSize extent = measurer_.TextExtent(font_, text);
    Add({CRect{x_, y_, x_ + extent.cx, y_ + extent.cy}, text, 0});
    x_ += extent.cx + after;
  }
  void Swatch(ColorRef color, int width) {
    const int top = y_ + (lineHeight_ - kSwatchSize) / 2;
    Add({CRect{x_, top, x_ + width, top + kSwatchSize}, "", color});
    x_ += width;
  }
  void Gap(int width) { x_ += width; }
  int TextWidth(const std::string& text) const { return measurer_.TextExtent(font_, text).cx; }
  CAnnotationLegend Take() { return std::move(legend_); }

 private:
  void Add(CLegendPiece piece) {
    CRect& bounds = legend_.bounds;
    if (legend_.pieces.empty()) {
      bounds = piece.rect;
    } else {
      bounds.left = std::min(bounds.left, piece.rect.left);
      bounds.top = std::min(bounds.top, piece.rect.top);
      bounds.right = std::max(bounds.right, piece.rect.right);
      bounds.bottom = std::max(bounds.bottom, piece.rect.bottom);
    }
    legend_.pieces.push_back(std::move(piece));
  }

  const CTextMeasurer& measurer_;
  const CFont& font_;
  int left_;
  int right_;
  int x_;
  int y_;
  int lineStart_ = 0;
  int lineHeight_ = 0;
  CAnnotationLegend legend_;
};

void LayOutTrack(CLegendFlow& flow, const CAnnotationTrack& track) {
  flow.NewLine(16);
  flow.Text(track.name + ":", 8);
  const auto entry = [&flow](ColorRef color, const std::string& text) {
    flow.Reserve(kSwatchSize + 4 + flow.TextWidth(text) + 12);
    flow.Swatch(color, kSwatchSize);
    flow.Gap(4);
    flow.Text(text, 12);
  };
  if (track.kind == EAnnotationKind::kNumbers) {
    const std::string low = NumberLabel(track.minimum);
    const std::string high = NumberLabel(track.maximum);
    flow.Reserve(flow.TextWidth(low) + flow.TextWidth(high) + kGradientSteps * kGradientStepWidth +
                 8);
    flow.Text(low, 4);
    for (int k = 0; k < kGradientSteps; ++k) {
      const double t = static_cast<double>(k) / (kGradientSteps - 1);
      flow.Swatch(FindColorScale(EColorScale::kViridis).colorAt(t), kGradientStepWidth);
    }
    flow.Gap(4);
    flow.Text(high, 12);
  } else {
    const size_t shown = std::min(track.categories.size(), kMaximumLegendCategories);
    for (size_t c = 0; c < shown; ++c)
      entry(CategoryColor(c), track.categories[c]);
    if (shown < track.categories.size()) {
      const std::string more = Format("... and %zu more", track.categories.size() - shown);
      flow.Reserve(flow.TextWidth(more));
      flow.Text(more, 12);
    }
  }
  if (track.anyMissing) entry(kMissingColor, "no value");
}

}  // namespace

int TracksDepth(const CSideAnnotations* annotations) {
  if (annotations == nullptr || !annotations->Shown()) return 0;
  const int count = static_cast<int>(annotations->tracks.size());
  return count * kTrackThickness + (count - 1) * kTrackGap;
}

ColorRef CategoryColor(size_t category) {
  return kCategoryColors[category % kCategoryColors.size()];
}

ColorRef NumberColor(const CAnnotationTrack& track, double value) {
  // Halves first: the range of two huge values of opposite signs must not overflow.
  const double span = track.maximum / 2 - track.minimum / 2;
  double t = 0.5;
  if (span > 0 && std::isfinite(span)) t = (value / 2 - track.minimum / 2) / span;
  if (!(t >= 0.0)) t = 0.0;
  return FindColorScale(EColorScale::kViridis).colorAt(std::min(t, 1.0));
}

ColorRef ItemColor(const CAnnotationTrack& track, int item) {
  if (item < 0 || static_cast<size_t>(item) >= track.hasValue.size() ||
      !track.hasValue[static_cast<size_t>(item)]) {
    return kMissingColor;
  }
  if (track.kind == EAnnotationKind::kNumbers) {
    return NumberColor(track, track.valueOf[static_cast<size_t>(item)]);
  }
  return CategoryColor(static_cast<size_t>(track.categoryOf[static_cast<size_t>(item)]));
}

void DrawTracks(CDevice& device, const CSideAnnotations& annotations, const CTree& side,
                const CCellBounds& bounds, const CRect& zone, bool rowSide) {
  if (zone.IsEmpty()) return;
  const int count = std::min<int>(bounds.Count(), static_cast<int>(side.order.size()));
  if (count == 0) return;
  int first = 0;
  int last = count;
  CRect clip;
  if (device.GetClipBox(clip) != 0) {
    const int origin = rowSide ? zone.top : zone.left;
    const int low = (rowSide ? clip.top : clip.left) - 1 - origin;
    const int high = (rowSide ? clip.bottom : clip.right) + 1 - origin;
    first = std::clamp(bounds.PositionAt(low), 0, count);
    last = std::clamp(bounds.PositionAt(high) + 1, first, count);
  }
  for (size_t t = 0; t < annotations.tracks.size(); ++t) {
    const CAnnotationTrack& track = annotations.tracks[t];
    const int across = static_cast<int>(t) * (kTrackThickness + kTrackGap);
    int run = first;
    while (run < last) {
      const ColorRef color = ItemColor(track, side.order[static_cast<size_t>(run)]);
      int end = run + 1;
      while (end < last && ItemColor(track, side.order[static_cast<size_t>(end)]) == color)
        ++end;
      const int start = bounds.starts[static_cast<size_t>(run)];
      const int stop = bounds.ends[static_cast<size_t>(end - 1)];
      const CRect rect = rowSide ? CRect{zone.left + across, zone.top + start,
                                         zone.left + across + kTrackThickness, zone.top + stop}
                                 : CRect{zone.left + start, zone.top + across, zone.left + stop,
                                         zone.top + across + kTrackThickness};
      if (!rect.IsEmpty()) device.FillSolidRect(rect, color);
      run = end;
    }
  }
}

std::string TrackTextAt(const CSideAnnotations& annotations, const CTree& side,
                        const CCellBounds& bounds, const CRect& zone, bool rowSide,
                        const std::vector<std::string>& labels, CPoint point) {
  if (!zone.Contains(point) || bounds.Count() == 0) return {};
  const int across = rowSide ? point.x - zone.left : point.y - zone.top;
  const int along = rowSide ? point.y - zone.top : point.x - zone.left;
  const size_t track = static_cast<size_t>(across / (kTrackThickness + kTrackGap));
  if (track >= annotations.tracks.size() || along >= bounds.Extent()) return {};
  if (across % (kTrackThickness + kTrackGap) >= kTrackThickness) return {};  // the gap
  const size_t position = static_cast<size_t>(bounds.PositionAt(along));
  if (position >= side.order.size()) return {};
  const int item = side.order[position];
  const CAnnotationTrack& shown = annotations.tracks[track];
  std::string value = "no value";
  if (item >= 0 && static_cast<size_t>(item) < shown.hasValue.size() &&
      shown.hasValue[static_cast<size_t>(item)]) {
    value =
        shown.kind == EAnnotationKind::kNumbers
            ? Format("%.10g", shown.valueOf[static_cast<size_t>(item)])
            : shown.categories[static_cast<size_t>(shown.categoryOf[static_cast<size_t>(item)])];
  }
  const std::string label = item >= 0 && static_cast<size_t>(item) < labels.size()
                                ? labels[static_cast<size_t>(item)]
                                : "";
  return label + ": " + shown.name + " = " + value;
}

CAnnotationLegend LayoutAnnotationLegend(const CSideAnnotations* rows,
                                         const CSideAnnotations* columns,
                                         const CTextMeasurer& measurer, const CFont& font,
                                         CPoint origin, int right) {
  CLegendFlow flow(measurer, font, origin, right);
  const auto side = [&flow](const CSideAnnotations* annotations, const char* heading) {
    if (annotations == nullptr || !annotations->Shown()) return;
    flow.NewLine(0);
    flow.Text(heading, 0);
    for (const CAnnotationTrack& track : annotations->tracks)
      LayOutTrack(flow, track);
  };
  side(rows, "Row annotations, left to right:");
  side(columns, "Column annotations, top to bottom:");
  return flow.Take();
}

void DrawAnnotationLegend(CDevice& device, const CAnnotationLegend& legend, const CFont& font,
                          ColorRef textColor) {
  if (legend.pieces.empty()) return;
  device.SelectFont(&font);
  device.SetTextAlign(kAlignLeft | kAlignTop);
  const ColorRef previous = device.SetTextColor(textColor);
  for (const CLegendPiece& piece : legend.pieces) {
    if (piece.text.empty()) {
      device.FillSolidRect(piece.rect, piece.color);
    } else {
      device.TextOut(piece.rect.left, piece.rect.top, piece.text, false);
    }
  }
  device.SetTextColor(previous);
}
