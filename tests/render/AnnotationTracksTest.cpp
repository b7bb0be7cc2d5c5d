// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/AnnotationTracks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/ColorPainter.h"
#include "render/ColorScales.h"
#include "render/HeatMapPicture.h"

namespace {

// Row labels r0..r{n-1}: a category track (a, a, b, none, ...) and a number track (the index).
CSideAnnotations RowAnnotationsOf(const CData& data) {
  CAnnotationTable table;
  table.fileName = "rows.txt";
  table.names = {"group", "size"};
  for (size_t i = 0; i + 1 < data.rowLabels.size(); ++i) {
    table.labels.push_back(data.rowLabels[i]);
    table.cells.push_back({i < 2 ? "a" : "b", std::to_string(i)});
    table.lines.push_back(static_cast<int>(i) + 2);
  }
  return MatchAnnotations(table, data.rowLabels);
}

CSideAnnotations ColumnAnnotationsOf(const CData& data) {
  CAnnotationTable table;
  table.fileName = "columns.txt";
  table.names = {"kind"};
  for (size_t j = 0; j < data.columnLabels.size(); ++j) {
    table.labels.push_back(data.columnLabels[j]);
    table.cells.push_back({j % 2 == 0 ? "even" : "odd"});
    table.lines.push_back(static_cast<int>(j) + 2);
  }
  return MatchAnnotations(table, data.columnLabels);
}

// A 5 x 4 picture fixture with both sides annotated.
struct CAnnotatedFixture {
  CPictureFixture fixture{5, 4};
  CSideAnnotations rows = RowAnnotationsOf(fixture.data);
  CSideAnnotations columns = ColumnAnnotationsOf(fixture.data);
  CPictureInput Input() {
    CPictureInput input = fixture.Input();
    input.rowAnnotations = &rows;
    input.columnAnnotations = &columns;
    return input;
  }
};

// The colours filled inside `zone`, one per fill, in drawing order.
std::vector<CRecordingDevice::Fill> FillsIn(const CRecordingDevice& device, const CRect& zone) {
  std::vector<CRecordingDevice::Fill> inside;
  for (const auto& fill : device.fills) {
    if (fill.rect.left >= zone.left && fill.rect.right <= zone.right && fill.rect.top >= zone.top &&
        fill.rect.bottom <= zone.bottom) {
      inside.push_back(fill);
    }
  }
  return inside;
}

}  // namespace

TEST(AnnotationPicture, StripsLieBetweenTheMatrixAndItsLabelsAndTheLegendBelow) {
  CAnnotatedFixture annotated;
  CPictureFixture& fixture = annotated.fixture;
  CFixedMeasurer measurer;
  CHeatMapPicture plain(fixture.Input());
  plain.RecomputeLayout(measurer);

  CHeatMapPicture picture(annotated.Input());
  picture.RecomputeLayout(measurer);
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  const CRect rowTracks = picture.RowTracksZone();
  const CRect columnTracks = picture.ColumnTracksZone();
  EXPECT_EQ(rowTracks.Width(), 2 * kTrackThickness + kTrackGap);
  EXPECT_GT(rowTracks.left, matrix.right);
  EXPECT_EQ(rowTracks.top, matrix.top);
  EXPECT_EQ(rowTracks.bottom, matrix.bottom);
  EXPECT_GE(picture.Zone(EPictureZone::kRowLabels).left, rowTracks.right);
  EXPECT_EQ(columnTracks.Height(), kTrackThickness);
  EXPECT_LT(columnTracks.bottom, matrix.top);
  EXPECT_LE(picture.Zone(EPictureZone::kColumnLabels).bottom, columnTracks.top);
  // The matrix moves down by the column strips only; the labels keep their widths.
  EXPECT_EQ(matrix.top - plain.Zone(EPictureZone::kMatrix).top,
            kTrackThickness + fixture.Input().sy / 3);
  EXPECT_EQ(picture.Zone(EPictureZone::kRowLabels).Width(),
            plain.Zone(EPictureZone::kRowLabels).Width());
  const CRect legend = picture.AnnotationLegend().bounds;
  EXPECT_GT(legend.top, matrix.bottom);
  EXPECT_LE(legend.bottom, picture.PictureSize().cy);
  EXPECT_GT(picture.PictureSize().cy, plain.PictureSize().cy);
}

TEST(AnnotationPicture, WithoutAMatchTheLayoutIsThePlainOne) {
  CPictureFixture fixture(3, 3);
  CAnnotationTable table;
  table.fileName = "other.txt";
  table.names = {"g"};
  table.labels = {"nobody"};
  table.cells = {{"x"}};
  const CSideAnnotations none = MatchAnnotations(table, fixture.data.rowLabels);
  CFixedMeasurer measurer;
  CHeatMapPicture plain(fixture.Input());
  plain.RecomputeLayout(measurer);
  CPictureInput input = fixture.Input();
  input.rowAnnotations = input.columnAnnotations = &none;
  CHeatMapPicture picture(input);
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.Zones(), plain.Zones());
  EXPECT_EQ(picture.PictureSize(), plain.PictureSize());
  EXPECT_TRUE(picture.RowTracksZone().IsEmpty());
}

TEST(AnnotationPicture, TheStripFollowsTheOrderAndRunsOfOneColourAreOneFill) {
  CPictureFixture fixture(5, 2);
  const CSideAnnotations rows = RowAnnotationsOf(fixture.data);
  CPictureInput input = fixture.Input();
  input.rowAnnotations = &rows;
  CFixedMeasurer measurer;
  const auto groupFills = [&]() {
    CHeatMapPicture picture(input);
    picture.RecomputeLayout(measurer);
    CRecordingDevice device;
    picture.DrawPicture(device, false);
    CRect groupStrip = picture.RowTracksZone();
    groupStrip.right = groupStrip.left + kTrackThickness;
    return FillsIn(device, groupStrip);
  };
  const ColorRef a = CategoryColor(0);
  const ColorRef b = CategoryColor(1);
  // r0 r1 in a, r2 r3 in b, r4 without a value.
  auto fills = groupFills();
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[0].color, a);
  EXPECT_EQ(fills[0].rect.Height(), 2 * fixture.display.hy);
  EXPECT_EQ(fills[1].color, b);
  EXPECT_EQ(fills[2].color, kMissingColor);

  std::reverse(fixture.rowTree.order.begin(), fixture.rowTree.order.end());
  fills = groupFills();
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[0].color, kMissingColor);
  EXPECT_EQ(fills[1].color, b);
  EXPECT_EQ(fills[2].color, a);
  EXPECT_EQ(fills[2].rect.bottom, fills[0].rect.top + 5 * fixture.display.hy);
}

TEST(AnnotationPicture, TheLegendNamesEveryCategoryTheRangeAndTheMissingValue) {
  CAnnotatedFixture annotated;
  CHeatMapPicture picture(annotated.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  std::vector<std::string> texts;
  for (const auto& text : device.texts)
    texts.push_back(text.text);
  for (const char* expected :
       {"Row annotations, left to right:", "group:", "a", "b", "no value", "size:", "0", "3",
        "Column annotations, top to bottom:", "kind:", "even", "odd"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
  }
  for (const CLegendPiece& piece : picture.AnnotationLegend().pieces) {
    EXPECT_LE(piece.rect.right, picture.PictureSize().cx);
  }
}

TEST(AnnotationColours, NumbersSpanTheScaleAndHugeRangesStayFinite) {
  CAnnotationTrack track;
  track.kind = EAnnotationKind::kNumbers;
  track.minimum = -2, track.maximum = 6;
  const auto viridis = FindColorScale(EColorScale::kViridis).colorAt;
  EXPECT_EQ(NumberColor(track, -2), viridis(0.0));
  EXPECT_EQ(NumberColor(track, 6), viridis(1.0));
  EXPECT_EQ(NumberColor(track, 2), viridis(0.5));
  track.minimum = track.maximum = 4;
  EXPECT_EQ(NumberColor(track, 4), viridis(0.5));
  track.minimum = -1.7e308, track.maximum = 1.7e308;
  EXPECT_EQ(NumberColor(track, 1.7e308), viridis(1.0));
  EXPECT_EQ(NumberColor(track, 0), viridis(0.5));
  EXPECT_NE(CategoryColor(0), CategoryColor(15));
  EXPECT_EQ(CategoryColor(0), CategoryColor(16));
}

TEST(AnnotationPicture, ThePointerOverAStripNamesTheItemTheTrackAndTheValue) {
  CAnnotatedFixture annotated;
  CPictureFixture& fixture = annotated.fixture;
  std::reverse(fixture.rowTree.order.begin(), fixture.rowTree.order.end());
  CHeatMapPicture picture(annotated.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect strips = picture.RowTracksZone();
  const int hy = fixture.display.hy;
  // Position 1 shows r3 after the reversal.
  EXPECT_EQ(picture.AnnotationTextAt({strips.left + 1, strips.top + hy + 1}), "r3: group = b");
  EXPECT_EQ(picture.AnnotationTextAt({strips.right - 1, strips.top + 1}), "r4: size = no value");
  EXPECT_EQ(picture.AnnotationTextAt({strips.left + kTrackThickness, strips.top + 1}), "")
      << "the gap between two strips";
  const CRect above = picture.ColumnTracksZone();
  EXPECT_EQ(picture.AnnotationTextAt({above.left + 1, above.top + 1}), "c0: kind = even");
  EXPECT_EQ(picture.AnnotationTextAt(CPoint{0, 0}), "");
}
