// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TitleFrame.h"

#include <algorithm>
#include <vector>

#include "render/Device.h"
#include "render/Report.h"
#include "render/TextMeasurer.h"

namespace {

constexpr int kLineStep = 18;
// Space between the dissimilarity heading and its line when the heading is the wider.
constexpr int kDissimilarityGap = 8;

void WalkBlock(const std::vector<std::string>& block, int secondColumn, CPoint& position,
               bool rowsBlock, const auto& visit) {
  if (block.size() < 2) return;
  for (size_t k = 0; k < block.size(); ++k) {
    const bool indented = k > 0;
    visit(block[k], CPoint{indented ? position.x + secondColumn : position.x, position.y}, indented,
          rowsBlock);
    if (indented) position.y += kLineStep;
  }
}

}  // namespace

int DissimilarityColumn(int secondColumn, int headingWidth) {
  return std::max(secondColumn, headingWidth + kDissimilarityGap);
}

void WalkTitleFrame(const CReport& report, int secondColumn, int dissimilarityColumn,
                    CPoint& textPosition,
                    const std::function<void(const std::string&, CPoint, bool, bool)>& visit) {
  WalkBlock(report.rows, secondColumn, textPosition, true, visit);
  WalkBlock(report.columns, secondColumn, textPosition, false, visit);
  if (!report.dissimilarity.empty()) {
    visit(report.dissimilarity[0], textPosition, false, false);
    if (report.dissimilarity.size() > 1) {
      visit(report.dissimilarity[1], CPoint{textPosition.x + dissimilarityColumn, textPosition.y},
            true, false);
    }
    textPosition.y += kLineStep;
  }
}

CRect LayoutTitleFrame(const CReport& report, CTextMeasurer& measurer, const CFont& textFont,
                       CPoint& textPosition) {
  const int secondColumn = std::max(measurer.TextExtent(textFont, "Rows :").cx,
                                    measurer.TextExtent(textFont, "Columns :").cx) +
                           20;
  const int dissimilarityColumn =
      DissimilarityColumn(secondColumn, measurer.TextExtent(textFont, "Dissimilarity :").cx);
  CRect frame;
  bool any = false;
  WalkTitleFrame(report, secondColumn, dissimilarityColumn, textPosition,
                 [&](const std::string& text, CPoint at, bool, bool rowsBlock) {
                   const CSize extent = measurer.TextExtent(textFont, text);
                   const int width = rowsBlock ? static_cast<int>(extent.cx * 1.1) : extent.cx;
                   const CRect rect{at.x, at.y, at.x + width, at.y + extent.cy};
                   if (!any) {
                     frame = rect;
                     any = true;
                   } else {
                     frame.left = std::min(frame.left, rect.left);
                     frame.top = std::min(frame.top, rect.top);
                     frame.right = std::max(frame.right, rect.right);
                     frame.bottom = std::max(frame.bottom, rect.bottom);
                   }
                 });
  return frame;
}

void DrawTitleFrame(CDevice& device, const CReport& report, const CFont& textFont,
                    CPoint& textPosition) {
  device.SelectFont(&textFont);
  const int secondColumn =
      std::max(device.GetTextExtent("Rows :").cx, device.GetTextExtent("Columns :").cx) + 20;
  const int dissimilarityColumn =
      DissimilarityColumn(secondColumn, device.GetTextExtent("Dissimilarity :").cx);
  WalkTitleFrame(report, secondColumn, dissimilarityColumn, textPosition,
                 [&](const std::string& text, CPoint at, bool indented, bool) {
                   device.TextOut(at.x, at.y, text, indented);
                 });
}
