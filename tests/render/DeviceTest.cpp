// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>

#include "RecordingDevice.h"
#include "render/Device.h"

namespace {

// Overrides only the four-coordinate forms, as the concrete devices do.
class CLineDevice : public CDevice {
 public:
  void DrawLine(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
  void LineTo(int x, int y) override { lines.push_back({-1, -1, x, y}); }
  void MoveTo(int x, int y) override { lines.push_back({x, y, -1, -1}); }
  std::vector<std::array<int, 4>> lines;
};

}  // namespace

TEST(Device, BaseAnswersLeaveEverythingAsItWas) {
  CDevice device;
  CRect rect{1, 2, 3, 4};
  EXPECT_EQ(device.GetClipBox(rect), 0);
  EXPECT_EQ(rect, (CRect{1, 2, 3, 4}));
  device.DPtoLP(rect);
  device.LPtoDP(rect);
  EXPECT_EQ(rect, (CRect{1, 2, 3, 4}));
  EXPECT_EQ(device.GetTextExtent(""), (CSize{12, 12}));
  EXPECT_EQ(device.GetTextExtent(std::string(500, 'x')), (CSize{12, 12}));
  EXPECT_FALSE(device.IsPrinting());
  EXPECT_EQ(device.GetTabbedTextExtent("a\tb", -1, 0, nullptr), (CSize{0, 0}));
  EXPECT_EQ(device.DrawText("a", rect, 0), 0);
  EXPECT_TRUE(device.TextOut(0, 0, "a", true));
}

TEST(Device, BaseSelectionsAndSettersReturnTheirArgument) {
  CDevice device;
  const CPen pen{Rgb(1, 2, 3), 2, CPenStyle::kDash};
  const CFont font{"Times-Roman", -14};
  EXPECT_EQ(device.SelectPen(&pen), &pen);
  EXPECT_EQ(device.SelectFont(&font), &font);
  EXPECT_EQ(device.SelectFont(nullptr), nullptr);
  EXPECT_EQ(device.SetBkColor(Rgb(9, 8, 7)), Rgb(9, 8, 7));
  EXPECT_EQ(device.SetTextColor(Rgb(7, 8, 9)), Rgb(7, 8, 9));
  EXPECT_EQ(device.SetTextAlign(kAlignCentre), kAlignCentre);
  EXPECT_EQ(font.Size(), 14);
}

TEST(Device, PointFormsForwardToTheCoordinateForms) {
  CLineDevice device;
  CDevice& drawing = device;  // the drawing code holds the interface
  drawing.DrawLine(CPoint{10, 20}, CPoint{30, 40});
  drawing.DrawLine(10, 20, 30, 40);
  drawing.MoveTo(CPoint{5, 6});
  drawing.LineTo(CPoint{7, 8});
  ASSERT_EQ(device.lines.size(), 4u);
  EXPECT_EQ(device.lines[0], device.lines[1]);
  EXPECT_EQ(device.lines[0], (std::array<int, 4>{10, 20, 30, 40}));
  EXPECT_EQ(device.lines[2], (std::array<int, 4>{5, 6, -1, -1}));
  EXPECT_EQ(device.lines[3], (std::array<int, 4>{-1, -1, 7, 8}));
}
