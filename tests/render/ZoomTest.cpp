// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "render/CellGeometry.h"
#include "render/Zoom.h"

TEST(CellGeometry, WeightsGiveStartsAndEnds) {
  const CCellBounds bounds = ComputeCellBounds({0.5, 0.25, 0.25}, 12);
  EXPECT_EQ(bounds.starts, (std::vector<int>{0, 18, 27}));
  EXPECT_EQ(bounds.ends, (std::vector<int>{18, 27, 36}));
  EXPECT_EQ(bounds.PositionAt(17), 0);
  EXPECT_EQ(bounds.PositionAt(18), 1);
  EXPECT_EQ(bounds.PositionAt(500), 2);
  EXPECT_EQ(bounds.PositionAt(-4), 0);
}

TEST(CellGeometry, EqualWeightsGiveWholeCellsWhateverTheCount) {
  for (int cell : {1, 6, 12, 24, 48}) {
    for (int n : {1, 3, 49, 98, 103, 1000, 4999}) {
      const CCellBounds bounds = ComputeCellBounds(std::vector<double>(n, 1.0 / n), cell);
      EXPECT_EQ(bounds.Extent(), cell * n) << cell << " " << n;
      EXPECT_EQ(bounds.ends[0], cell);
    }
  }
}

TEST(Zoom, BoundsOfZoomingInAndOut) {
  EXPECT_FALSE(ZoomedIn(70.0, 1.25).has_value());
  EXPECT_DOUBLE_EQ(*ZoomedIn(2.0, 1.25), 2.5);
  EXPECT_DOUBLE_EQ(*StepZoomIn(1.0), 1.01);
  EXPECT_DOUBLE_EQ(StepZoomOut(1.0), 0.99);
  EXPECT_DOUBLE_EQ(StepZoomOut(0.05), 0.05);
  EXPECT_DOUBLE_EQ(ZoomedOut(0.06, 1.25), 0.05);
}

TEST(Zoom, PaletteFitAndRubberBand) {
  EXPECT_DOUBLE_EQ(ParsePaletteItem("125%").zoom, 1.25);
  EXPECT_TRUE(ParsePaletteItem("Fit").fit);
  EXPECT_DOUBLE_EQ(ParsePaletteItem(" - ").zoom, 1.0);
  EXPECT_EQ(ZoomPercent(1.25), 125);
  EXPECT_DOUBLE_EQ(FitZoom({400, 200}, {800, 800}), 2.0);
  EXPECT_DOUBLE_EQ(FitZoom({400, 200}, {200, 800}), 0.5);
  EXPECT_DOUBLE_EQ(*RubberBandZoom({0, 0, 100, 50}, {399, 399}), 4.0);
  EXPECT_FALSE(RubberBandZoom({0, 0, 2, 2}, {399, 399}).has_value());
}

TEST(Zoom, TreeDepthKeepsScreenSize) {
  EXPECT_EQ(TreeDepth(40, 2.0), 215);
  EXPECT_EQ(TreeDepth(10, 1.0), 130);
  EXPECT_EQ(ZoomedSize({100, 40}, 1.5), (CSize{150, 60}));
}
