// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "PictureFixture.h"
#include "RecordingDevice.h"
#include "render/HeatMapPicture.h"

namespace {

std::vector<CRecordingDevice::Text> TextsOf(const CRecordingDevice& device, bool turned) {
  std::vector<CRecordingDevice::Text> found;
  for (const auto& text : device.texts) {
    if (text.turned == turned) found.push_back(text);
  }
  return found;
}

}  // namespace

TEST(TurnedLabels, ColumnLabelsAreWrittenWholeAsTurnedTextAndTheZoneIsTheWidestLabel) {
  CPictureFixture fixture(3, 4);
  fixture.data.columnLabels[2] = "a much longer column label";  // 26 characters: 156 units
  fixture.data.maxColumnLabelLength = 26;
  fixture.display.rotatedColumnLabels = true;
  CHeatMapPicture picture(fixture.Input());
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  const CRect zone = picture.Zone(EPictureZone::kColumnLabels);
  EXPECT_EQ(zone.Height(), 156);  // not cut to twenty characters, not 0.88 steps
  EXPECT_EQ(picture.Zone(EPictureZone::kMatrix).top, zone.bottom + 6);

  CRecordingDevice device;
  picture.DrawPicture(device, false);
  const auto turned = TextsOf(device, true);
  ASSERT_EQ(turned.size(), 4u);  // one turned text per column, no stacked letters
  for (size_t j = 0; j < turned.size(); ++j) {
    EXPECT_EQ(turned[j].text, fixture.data.columnLabels[j]);
    EXPECT_EQ(turned[j].x, zone.left + static_cast<int>(j) * 12 + 6);  // middle of the column
    EXPECT_EQ(turned[j].y, zone.bottom);
  }
  for (const auto& text : TextsOf(device, false)) {
    EXPECT_EQ(text.text.rfind("r", 0), 0u) << text.text;  // only the row labels lie flat
  }
}

TEST(TurnedLabels, RowMetricsLabelsTurnTooAndStackedLabelsStayTheDefault) {
  CPictureFixture fixture(3, 2);
  CPictureInput input = fixture.Input();
  input.switches.metrics = true;
  {
    CHeatMapPicture stacked(input);
    CFixedMeasurer measurer;
    stacked.RecomputeLayout(measurer);
    CRecordingDevice device;
    stacked.DrawPicture(device, false);
    EXPECT_TRUE(TextsOf(device, true).empty());
  }
  fixture.display.rotatedColumnLabels = true;
  CHeatMapPicture picture(input);
  CFixedMeasurer measurer;
  picture.RecomputeLayout(measurer);
  // Row labels "r0"… are 12 units wide: the row-metrics label zone is that deep.
  EXPECT_EQ(picture.Zone(EPictureZone::kRowMetricsLabels).Height(), 12);
  CRecordingDevice device;
  picture.DrawPicture(device, false);
  int rowLabelsTurned = 0;
  for (const auto& text : TextsOf(device, true)) {
    if (text.text[0] == 'r') ++rowLabelsTurned;
  }
  EXPECT_EQ(rowLabelsTurned, 3);
}

TEST(PictureTitle, ATitleLineStandsAboveEverythingAndMovesItDown) {
  CPictureFixture fixture(3, 4);
  fixture.display.m_bShowTopFrame = 1;
  CHeatMapPicture plain(fixture.Input());
  CFixedMeasurer measurer;
  plain.RecomputeLayout(measurer);
  EXPECT_TRUE(plain.Zone(EPictureZone::kPictureTitle).IsEmpty());

  fixture.display.pictureTitle = "Arrests by state";
  CHeatMapPicture titled(fixture.Input());
  titled.RecomputeLayout(measurer);
  // 16 characters of 6 units in the 20-high title font, at the spacing (12, 12).
  EXPECT_EQ(titled.Zone(EPictureZone::kPictureTitle), (CRect{12, 12, 108, 32}));
  const int shift = 20 + 12 / 2;
  for (const EPictureZone zone : {EPictureZone::kMatrix, EPictureZone::kScaleBar,
                                  EPictureZone::kRowLabels, EPictureZone::kColumnLabels}) {
    CRect moved = plain.Zone(zone);
    moved.Offset(0, shift);
    EXPECT_EQ(titled.Zone(zone), moved) << static_cast<int>(zone);
  }
  EXPECT_EQ(titled.PictureSize().cy, plain.PictureSize().cy + shift);

  CRecordingDevice device;
  titled.DrawPicture(device, false);
  const auto title = std::find_if(device.texts.begin(), device.texts.end(),
                                  [](const auto& text) { return text.text == "Arrests by state"; });
  ASSERT_NE(title, device.texts.end());
  EXPECT_EQ(title->x, 12);
  EXPECT_EQ(title->y, 12);
  EXPECT_EQ(title->align, kAlignLeft | kAlignTop);
  // The legend follows below the title line.
  const auto legend = std::find_if(device.texts.begin(), device.texts.end(), [](const auto& text) {
    return text.text == "The colors scale:";
  });
  ASSERT_NE(legend, device.texts.end());
  EXPECT_EQ(legend->y, 12 + shift);
  EXPECT_NE(std::find(device.calls.begin(), device.calls.end(), "SelectFont 20"),
            device.calls.end());
}
