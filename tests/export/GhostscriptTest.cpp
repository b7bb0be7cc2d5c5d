// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "TestFiles.h"
#include "export/PostScriptDC.h"
#include "export/PostScriptFile.h"
#include "render/ColorPainter.h"
#include "settings/DisplaySettings.h"

namespace {

bool GhostscriptInstalled() {
  return std::system("command -v gs > /dev/null 2>&1") == 0;
}

// Runs Ghostscript on `path` without output; true when it reads the file without error.
bool GhostscriptAccepts(const std::string& path) {
  const std::string command =
      "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=nullpage '" + path + "' > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// The bounding boxes Ghostscript reports for the pages it outputs.
std::string PageBoxes(const std::string& path) {
  const std::string command = "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=bbox '" + path + "' 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
      output += buffer;
    pclose(pipe);
  }
  return output;
}

}  // namespace

TEST(PostScriptGhostscript, SmallPictureWithAwkwardLabelsIsValidPostScript) {
  if (!GhostscriptInstalled()) GTEST_SKIP() << "gs is not installed";
  CTempDir folder;
  const std::string path = (folder.Path() / "picture.ps").string();
  DisplaySettings display;
  display.m_intNumberOfNuances = 9;
  DeriveColorSwitches(display);
  CPaintedData data;
  data.minValue = -3;
  data.maxValue = 5;
  std::string error;
  ASSERT_TRUE(WritePostScript(
      path,
      [&](CPostScriptDC& device) {
        const CFont textFont{"Times-Roman", 14};
        const CFont labelFont{"", -12};
        CColorPainter painter(device, display, data);
        painter.BuildLevelTable();
        painter.SetPictureColors();
        painter.textPosition = {10, 10};
        painter.DrawLegend(textFont, 600);
        for (int i = 0; i < 4; ++i) {
          for (int j = 0; j < 5; ++j) {
            painter.PaintCell(CRect{20 + 12 * j, 100 + 12 * i, 32 + 12 * j, 112 + 12 * i},
                              i * 2 - 3 + j * 0.5, false);
          }
        }
        device.SelectFont(&labelFont);
        device.SetTextAlign(kAlignLeft);
        device.TextOut(100, 100, "row (1) \\ end", false);
        device.TextOut(100, 112, "caf\xC3\xA9 \xE2\x82\xAC", true);
        device.SetTextAlign(kAlignCentre);
        device.TextOut(26, 90, ")", false);
        device.DrawLine(0, 200, 300, 200);
        device.DrawRectangle(CRect{20, 100, 80, 148});
        const int stops[] = {60};
        device.TabbedTextOut(20, 220, "a\t(b\tc)", -1, 1, stops, 0);
      },
      &error))
      << error;
  EXPECT_TRUE(GhostscriptAccepts(path)) << ReadFileText(path);
  // The page is output, with the picture in its top-left part at half scale: the legend from
  // 10 units (5 points) below the top, its bar to x = 522 units, the rule at y = 200 units and
  // the tabbed text below it.
  const std::string boxes = PageBoxes(path);
  int left = 0, bottom = 0, right = 0, top = 0;
  ASSERT_EQ(
      std::sscanf(boxes.c_str(), "%%%%BoundingBox: %d %d %d %d", &left, &bottom, &right, &top), 4)
      << boxes;
  EXPECT_LE(top, 842 - 5);
  EXPECT_GT(top, 842 - 10);
  EXPECT_LE(left, 5);
  EXPECT_GE(right, 261);
  EXPECT_LT(right, 300);
  EXPECT_LT(bottom, 842 - 100);
  EXPECT_GT(bottom, 842 - 130);
}
