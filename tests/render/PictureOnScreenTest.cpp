// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/HeatMapPicture.h"

// What the screen does differently from the fixed measurer: its label text is taller than the
// font's nominal height, and it may have a black background.

namespace {

// Lines of text two units taller than the font, as screen fonts are (ascent plus descent).
class CTallMeasurer : public CTextMeasurer {
 public:
  CSize TextExtent(const CFont& font, std::string_view text) const override {
    return {static_cast<int>(text.size()) * 6, (font.Size() > 0 ? font.Size() : 14) + 2};
  }
};

// A device that measures like the tall measurer: 14 high for the 12-unit label font.
class CTallDevice : public CRecordingDevice {
 public:
  CSize GetTextExtent(const std::string& text) override {
    return {static_cast<int>(text.size()) * 6, 14};
  }
};

}  // namespace

TEST(PictureOnScreen, TheColumnLabelZoneHoldsEveryLetterOfTheLongestLabel) {
  CPictureFixture fixture(3, 3);
  fixture.data.columnLabels[1] = "UrbanPop";
  fixture.data.maxColumnLabelLength = 8;
  CPictureFixture::BuildTree(fixture.columnTree, {{0, 1, 1}, {2, 3, 2}});
  fixture.display.m_intRowsTreeSize = 10;
  CHeatMapPicture picture(fixture.Input());
  CTallMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect zone = picture.Zone(EPictureZone::kColumnLabels);
  const CRect tree = picture.Zone(EPictureZone::kColumnTree);
  // Eight letters of trunc(0.88 × 14) = 12 units each.
  EXPECT_EQ(zone.Height(), 8 * 12);

  CTallDevice device;
  picture.DrawPicture(device, false);
  int top = zone.bottom;
  for (const auto& text : device.texts) {
    if (text.align == kAlignCentre && text.y < zone.bottom && text.y >= tree.top) {
      top = std::min(top, text.y);
    }
  }
  EXPECT_EQ(top, zone.top) << "the 'U' starts at the zone's top, below the tree's leaves";
  EXPECT_GT(top, tree.bottom);
}

TEST(PictureOnScreen, AFontThatMeasuresItsOwnHeightKeepsTheUsualZone) {
  CPictureFixture fixture(2, 2);
  fixture.data.columnLabels[1] = "UrbanPop";
  fixture.data.maxColumnLabelLength = 8;
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  EXPECT_EQ(picture.Zone(EPictureZone::kColumnLabels).Height(), 8 * 10);
}

TEST(PictureOnScreen, OnABlackBackgroundTheDendrogramsAreDrawnInWhite) {
  for (const bool printing : {false, true}) {
    CPictureFixture fixture(3, 4);
    CPictureFixture::BuildTree(fixture.rowTree, {{0, 1, 1}, {2, 3, 2}});
    CPictureFixture::BuildTree(fixture.columnTree, {{0, 1, 1}, {2, 3, 1}, {4, 5, 2}});
    fixture.display.BkColor = 1;  // black
    CHeatMapPicture picture(fixture.Input());
    CFixedMeasurer measurer;
    picture.RecomputeLayout(measurer);
    CRecordingDevice device(printing);
    picture.DrawPicture(device, false);
    // The pen of every line between the first and the last tree line.
    const CRect rowTree = picture.Zone(EPictureZone::kRowTree);
    int treeLines = 0;
    std::string pen;
    for (const std::string& call : device.calls) {
      if (call.rfind("SelectPen", 0) == 0) pen = call;
      int x1, y1, x2, y2;
      if (std::sscanf(call.c_str(), "DrawLine %d %d %d %d", &x1, &y1, &x2, &y2) == 4 &&
          x1 >= rowTree.left && x2 <= rowTree.right && y1 >= rowTree.top && y2 <= rowTree.bottom) {
        ++treeLines;
        // On paper the background is white and the lines stay black.
        EXPECT_EQ(pen, printing ? "SelectPen 000000" : "SelectPen FFFFFF") << call;
      }
    }
    EXPECT_GT(treeLines, 0);
  }
}
