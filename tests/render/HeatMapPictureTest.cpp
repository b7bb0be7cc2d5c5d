// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/AverageProfile.h"
#include "render/HeatMapPicture.h"

namespace {

int IndexOf(const std::vector<std::string>& calls, const std::string& prefix, bool last = false) {
  int found = -1;
  for (int k = 0; k < static_cast<int>(calls.size()); ++k) {
    if (calls[static_cast<size_t>(k)].rfind(prefix, 0) == 0) {
      found = k;
      if (!last) break;
    }
  }
  return found;
}

}  // namespace

TEST(HeatMapLayout, ZonesOfAPlainTable) {
  CPictureFixture fixture(3, 4);
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  // Column labels of two characters at step trunc(0.88 × 12) = 10 push the matrix down.
  EXPECT_EQ(picture.Zone(EPictureZone::kMatrix), (CRect{12, 44, 60, 80}));
  EXPECT_EQ(picture.Zone(EPictureZone::kColumnLabels), (CRect{12, 18, 60, 38}));
  EXPECT_EQ(picture.Zone(EPictureZone::kRowLabels), (CRect{66, 44, 78, 80}));
  EXPECT_TRUE(picture.Zone(EPictureZone::kTitle).IsEmpty());
  EXPECT_TRUE(picture.Zone(EPictureZone::kRowTree).IsEmpty());
  EXPECT_EQ(picture.PictureSize(), (CSize{78, 80}));
}

TEST(HeatMapLayout, PositionsUnderAPointComeFromTheCellStarts) {
  CPictureFixture fixture(3, 4);
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.RowAt(43), -1);
  EXPECT_EQ(picture.RowAt(44), 0);
  EXPECT_EQ(picture.RowAt(55), 0);
  EXPECT_EQ(picture.RowAt(56), 1);
  EXPECT_EQ(picture.RowAt(79), 2);
  EXPECT_EQ(picture.RowAt(80), -1);
  EXPECT_EQ(picture.ColumnAt(11), -1);
  EXPECT_EQ(picture.ColumnAt(23), 0);
  EXPECT_EQ(picture.ColumnAt(24), 1);
  EXPECT_EQ(picture.ColumnAt(59), 3);
  EXPECT_EQ(picture.ColumnAt(60), -1);

  // Unequal weights: rows of 18, 9 and 9 units.
  fixture.rowTree.elements[0].weight = 0.5;
  fixture.rowTree.elements[1].weight = 0.25;
  fixture.rowTree.elements[2].weight = 0.25;
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.RowBounds().ends, (std::vector<int>{18, 27, 36}));
  EXPECT_EQ(picture.RowAt(44 + 17), 0);
  EXPECT_EQ(picture.RowAt(44 + 18), 1);
}

TEST(HeatMapLayout, CellSizesDecideLabelsAndFonts) {
  CPictureFixture fixture(3, 4);
  CFixedMeasurer measurer;
  fixture.display.hx = 5;
  fixture.display.hy = 48;
  CHeatMapPicture narrow(fixture.Input());
  narrow.RecomputeLayout(measurer);
  EXPECT_TRUE(narrow.Zone(EPictureZone::kColumnLabels).IsEmpty());
  EXPECT_EQ(narrow.Zone(EPictureZone::kMatrix).top, 18);  // nothing above the matrix
  EXPECT_EQ(narrow.RowLabelFont().height, 24);
  CRecordingDevice device;
  narrow.DrawPicture(device, false);
  for (const auto& text : device.texts)
    EXPECT_NE(text.text, "c");

  fixture.display.hx = 6;
  CHeatMapPicture wide(fixture.Input());
  wide.RecomputeLayout(measurer);
  EXPECT_FALSE(wide.Zone(EPictureZone::kColumnLabels).IsEmpty());

  // Fit-to-window keeps label zones for narrow cells; zero cells count as one unit.
  fixture.display.hx = 0;
  CPictureInput input = fixture.Input();
  input.fitToWindow = true;
  CHeatMapPicture fitted(input);
  fitted.RecomputeLayout(measurer);
  EXPECT_EQ(fitted.Hx(), 1);
  EXPECT_EQ(fitted.Zone(EPictureZone::kMatrix).Width(), 4);
  EXPECT_TRUE(fitted.ColumnLabelsAllowed());
}

TEST(HeatMapLayout, LongLabelsAreCutToTwentyCharacters) {
  CPictureFixture fixture(2, 2);
  fixture.data.columnLabels[1] = "abcdefghijklmnopqrstuvwxyz";
  fixture.data.maxColumnLabelLength = 26;
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect zone = picture.Zone(EPictureZone::kColumnLabels);
  EXPECT_EQ(zone.Height(), 20 * 10);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  std::string written;
  for (const auto& text : device.texts) {
    if (text.x == zone.left + 18) written += text.text;  // middle of the second column
  }
  EXPECT_EQ(written, "abcdefghijklmnopqrst");
  // The last character stands one step (10 on a device measuring 12) above the zone's bottom.
  const auto last = std::find_if(device.texts.begin(), device.texts.end(),
                                 [](const auto& text) { return text.text == "t"; });
  ASSERT_NE(last, device.texts.end());
  EXPECT_EQ(last->y, zone.bottom - 10);
  EXPECT_EQ(last->align, kAlignCentre);
}

TEST(HeatMapLayout, TreesAndMetricsTakeTheirZones) {
  CPictureFixture fixture(4, 3);
  CPictureFixture::BuildTree(fixture.rowTree, {{0, 1, 1}, {2, 3, 2}, {4, 5, 3}});
  fixture.display.m_intRowsTreeSize = 40;
  CPictureInput input = fixture.Input();
  input.zoom = 2.0;
  input.switches.metrics = true;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  const CRect tree = picture.Zone(EPictureZone::kRowTree);
  EXPECT_EQ(tree.Width(), 215);
  EXPECT_EQ(tree.right, matrix.left - 6);
  EXPECT_EQ(tree.Height(), matrix.Height());
  EXPECT_EQ(picture.Zone(EPictureZone::kRowMetrics).Width(), 48);
  EXPECT_EQ(picture.Zone(EPictureZone::kColumnMetrics),
            (CRect{matrix.left, matrix.bottom + 6, matrix.right, matrix.bottom + 42}));

  input.dataType = EDataType::kNominal;  // nominal data has no column metrics
  CHeatMapPicture nominal(input);
  nominal.RecomputeLayout(measurer);
  EXPECT_TRUE(nominal.Zone(EPictureZone::kColumnMetrics).IsEmpty());
  EXPECT_TRUE(nominal.Zone(EPictureZone::kColumnMetricsLabels).IsEmpty());
}

TEST(HeatMapLayout, EverySwitchOffLeavesOnlyTheTopFrame) {
  CPictureFixture fixture(3, 4);
  fixture.display.m_bShowTopFrame = 1;
  CPictureInput input = fixture.Input();
  input.switches = CDisplaySwitches{false, false, false, false, false, false, false, false, true};
  input.report.rows.s = 2.5;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  EXPECT_FALSE(picture.Zone(EPictureZone::kTitle).IsEmpty());
  const CRect bar = picture.Zone(EPictureZone::kScaleBar);
  EXPECT_EQ(bar.Width(), 512);
  EXPECT_EQ(bar.Height(), 10);
  for (int k = 2; k < kZoneCount; ++k)
    EXPECT_TRUE(picture.Zones()[k].IsEmpty()) << k;
  EXPECT_EQ(picture.PictureSize().cx,
            std::max(bar.right, picture.Zone(EPictureZone::kTitle).right));
  EXPECT_EQ(picture.PictureSize().cy, bar.bottom);
}

TEST(HeatMapDrawing, MatrixThenLabelsThenTreesThenTopFrame) {
  CPictureFixture fixture(3, 4);
  CPictureFixture::BuildTree(fixture.rowTree, {{0, 1, 1}, {2, 3, 2}});
  CPictureFixture::BuildTree(fixture.columnTree, {{0, 1, 1}, {2, 3, 1}, {4, 5, 2}});
  fixture.display.m_bShowTopFrame = 1;
  CPictureInput input = fixture.Input();
  input.report.rows.s = 1.0;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  const auto& calls = device.calls;

  // The background first, then one fill per cell inside the matrix.
  ASSERT_FALSE(device.fills.empty());
  EXPECT_EQ(device.fills[0].rect,
            (CRect{0, 0, picture.PictureSize().cx, picture.PictureSize().cy}));
  const CRect matrix = picture.Zone(EPictureZone::kMatrix);
  int cells = 0;
  for (const auto& fill : device.fills) {
    if (fill.rect.left >= matrix.left && fill.rect.right <= matrix.right &&
        fill.rect.top >= matrix.top && fill.rect.bottom <= matrix.bottom) {
      ++cells;
    }
  }
  EXPECT_EQ(cells, 12);

  const int lastCell = IndexOf(calls, "FillSolidRect", true);
  const int rowLabel =
      IndexOf(calls, "TextOut " + std::to_string(picture.Zone(EPictureZone::kRowLabels).left));
  const int firstTreeLine = IndexOf(calls, "DrawLine");
  const int columnLabel = IndexOf(calls, "TextOut " + std::to_string(matrix.left + 6));
  const int report = IndexOf(calls, "TextOut 12 12 Rows :");
  ASSERT_GE(firstTreeLine, 0);
  ASSERT_GE(report, 0);
  EXPECT_LT(rowLabel, firstTreeLine);
  EXPECT_LT(firstTreeLine, columnLabel);
  EXPECT_LT(columnLabel, report);
  EXPECT_GT(IndexOf(calls, "TextOut 12 48 The colors scale:"), report);
  EXPECT_GT(lastCell, report);  // the legend bar comes last
}

TEST(HeatMapDrawing, RowLabelsAreCentredOnTheirRows) {
  CPictureFixture fixture(3, 4);
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  std::vector<std::pair<int, int>> rows;
  for (const auto& text : device.texts) {
    if (text.text[0] == 'r') rows.push_back({text.x, text.y});
  }
  // y = (start + end − 1 − 12) / 2 + top, truncated toward zero.
  EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{66, 44}, {66, 55}, {66, 67}}));
}

TEST(HeatMapDrawing, PartialSelectionDrawsTwoLinesAcrossTheMatrix) {
  CPictureFixture fixture(3, 4);
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CRecordingDevice unselected;
  picture.DrawPicture(unselected, false);
  EXPECT_EQ(IndexOf(unselected.calls, "DrawLine"), -1);

  fixture.rowTree.userSelection = true;
  fixture.rowTree.selectionStart = 1;
  fixture.rowTree.selectionLength = 1;
  fixture.columnTree.userSelection = true;
  fixture.columnTree.selectionStart = 0;
  fixture.columnTree.selectionLength = 2;
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  EXPECT_GE(IndexOf(device.calls, "DrawLine 12 56 60 56"), 0);
  EXPECT_GE(IndexOf(device.calls, "DrawLine 12 68 60 68"), 0);
  EXPECT_GE(IndexOf(device.calls, "DrawLine 12 44 12 80"), 0);
  EXPECT_GE(IndexOf(device.calls, "DrawLine 36 44 36 80"), 0);

  // A selection covering every row draws nothing.
  fixture.columnTree.userSelection = false;
  fixture.rowTree.selectionStart = 0;
  fixture.rowTree.selectionLength = 3;
  CRecordingDevice everything;
  picture.DrawPicture(everything, false);
  EXPECT_EQ(IndexOf(everything.calls, "DrawLine"), -1);
}

TEST(AverageProfile, MeansOfTheSelectionSkipMissingValues) {
  CPictureFixture fixture(3, 2);
  fixture.data.At(0, 0) = 4;
  fixture.data.At(1, 0) = -99999;
  fixture.data.At(0, 1) = -99999;
  fixture.data.At(1, 1) = -99999;
  fixture.data.At(2, 0) = 10;
  fixture.rowTree.selectionStart = 0;
  fixture.rowTree.selectionLength = 2;
  const auto byRows = ProfileValues(fixture.data, fixture.rowTree, fixture.columnTree, true);
  EXPECT_EQ(byRows, (std::vector<double>{4.0, -99999.0}));
  fixture.rowTree.selectionLength = 3;
  EXPECT_EQ(ProfileValues(fixture.data, fixture.rowTree, fixture.columnTree, true)[0], 7.0);
  // Columns active: one value per row position, in the row order shown.
  fixture.rowTree.order = {2, 1, 0};
  const auto byColumns = ProfileValues(fixture.data, fixture.columnTree, fixture.rowTree, false);
  EXPECT_EQ(byColumns[0], (10.0 + fixture.data.At(2, 1)) / 2);
  EXPECT_EQ(byColumns[1], -99999.0);
  EXPECT_EQ(byColumns[2], 4.0);
}
