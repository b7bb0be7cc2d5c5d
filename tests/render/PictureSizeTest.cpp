// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/CellGeometry.h"
#include "render/HeatMapPicture.h"
#include "render/Zoom.h"

namespace {

bool Wrote(const CRecordingDevice& device, const std::string& text) {
  return std::any_of(device.calls.begin(), device.calls.end(),
                     [&](const std::string& call) { return call.find(text) != std::string::npos; });
}

}  // namespace

TEST(PictureSize, CellAndTreeSizesBeyondTheirRangeAreLaidOutAtItsEnd) {
  CPictureFixture fixture(4, 3);
  fixture.display.hx = INT_MAX;
  fixture.display.hy = INT_MAX / 2;
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.Hx(), 500);
  EXPECT_EQ(picture.Zone(EPictureZone::kMatrix).Width(), 3 * 500);
  EXPECT_EQ(picture.Zone(EPictureZone::kMatrix).Height(), 4 * 500);

  // Stored tree sizes of any value: the trees are at most 100 × 10 + 30 units deep at zoom 1.
  CPictureFixture trees(4, 3);
  CPictureFixture::BuildTree(trees.rowTree, {{0, 1, 1}, {2, 3, 2}, {4, 5, 3}});
  CPictureFixture::BuildTree(trees.columnTree, {{0, 1, 1}, {3, 2, 2}});
  trees.display.m_intRowsTreeSize = 100000;
  trees.display.m_intColumnsTreeSize = INT_MAX;
  CHeatMapPicture treed(trees.Input());
  treed.RecomputeLayout(measurer);
  EXPECT_EQ(treed.Zone(EPictureZone::kRowTree).Width(), 1030);
  EXPECT_EQ(treed.Zone(EPictureZone::kColumnTree).Height(), 1030);
  EXPECT_LT(treed.PictureSize().cx, 2000);
  trees.display.m_intRowsTreeSize = -50;
  treed.RecomputeLayout(measurer);
  EXPECT_EQ(treed.Zone(EPictureZone::kRowTree).Width(), 30);
}

TEST(PictureSize, APictureBeyondTheLargestExtentShowsWhyInsteadOfOverflowing) {
  // 40 000 columns of 500 units: the matrix alone is 2e7 units wide.
  CPictureFixture fixture(2, 40000);
  fixture.display.hx = 500;
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  EXPECT_LE(picture.PictureSize().cx, 1 << 24);
  EXPECT_LE(picture.PictureSize().cy, 1 << 24);
  EXPECT_TRUE(picture.Zone(EPictureZone::kMatrix).IsEmpty());
  EXPECT_EQ(picture.RowAt(20), -1);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  EXPECT_TRUE(Wrote(device, "too large to be drawn"));
  EXPECT_LT(device.calls.size(), 30u) << "no cell is painted";

  // Smaller cells make the same table drawable again.
  fixture.display.hx = 12;
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.Zone(EPictureZone::kMatrix).Width(), 480000);
}

TEST(PictureSize, ZoomedSizesTreeDepthsAndCellBoundsSaturateInsteadOfOverflowing) {
  const CSize zoomed = ZoomedSize(CSize{1 << 30, 100}, 80.0);
  EXPECT_GT(zoomed.cx, 0);
  EXPECT_EQ(zoomed.cy, 8000);
  EXPECT_GT(TreeDepth(INT_MAX, 1.0), 1 << 20);
  EXPECT_EQ(TreeDepth(40, 2.0), 215);
  const CCellBounds bounds = ComputeCellBounds({1e12, 1e12}, 1000);
  EXPECT_GE(bounds.ends[0], bounds.starts[0]);
  EXPECT_GE(bounds.ends[1], bounds.ends[0]);
  EXPECT_GT(bounds.ends[1], 0);
}
