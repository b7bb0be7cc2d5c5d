// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/DendrogramDrawing.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The rows tree of four leaves with merges (0, 1), (2, 3) and the root, laid out in a zone 100
// deep with cells of 12.
CDendrogramGeometry LaidOut(CPictureFixture& fixture, double first, double second, double root) {
  CPictureFixture::BuildTree(fixture.rowTree, {{0, 1, first}, {2, 3, second}, {4, 5, root}});
  return LayoutDendrogram(fixture.rowTree, CRect{0, 0, 100, 48}, 12, true);
}

}  // namespace

TEST(NonFiniteTree, HeightsThatAreNoNumbersStayInsideTheZone) {
  const struct {
    double first, second, root;
  } trees[] = {{kNaN, 1, 2}, {1, 1, kNaN}, {1, kInfinity, kInfinity}, {kNaN, kNaN, kNaN}};
  for (const auto& t : trees) {
    SCOPED_TRACE(testing::Message() << t.first << " " << t.second << " " << t.root);
    CPictureFixture fixture(4, 1);
    const CDendrogramGeometry laid = LaidOut(fixture, t.first, t.second, t.root);
    for (int node = 4; node <= 6; ++node) {
      for (const CPoint& point : laid.drawPoints[static_cast<size_t>(node)]) {
        EXPECT_GE(point.x, 0);
        EXPECT_LE(point.x, 100);
      }
    }
    CRecordingDevice device;
    const CPen pen{Rgb(0, 0, 0), 1, CPenStyle::kSolid};
    CDendrogramGeometry drawn = laid;
    DrawDendrogram(device, fixture.rowTree, drawn, true, pen, pen);
  }
}

TEST(NonFiniteTree, InvertedMergesFarBelowTheRootKeepTheirSideButABoundedDepth) {
  CPictureFixture fixture(4, 1);
  const CDendrogramGeometry laid = LaidOut(fixture, -1e300, 0.5, 1);
  const CPoint bar = laid.drawPoints[4][1];
  EXPECT_GT(bar.x, 100) << "below the matrix edge, as the negative height says";
  EXPECT_LE(bar.x, 1 << 24);
  // An ordinary tree is laid out as before.
  CPictureFixture plain(4, 1);
  const CDendrogramGeometry ordinary = LaidOut(plain, 1, 2, 2);
  EXPECT_EQ(ordinary.drawPoints[4][1], (CPoint{50, 18}));
}
