// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "render/Device.h"

// A device that records what is drawn on it: every call as a line of text, and the fills and
// texts as records for closer checks. Measures like the base device (12 by 12).
class CRecordingDevice : public CDevice {
 public:
  struct Fill {
    CRect rect;
    ColorRef color;
  };
  struct Text {
    int x;
    int y;
    std::string text;
    unsigned align;
    ColorRef color;
    bool turned = false;  // written by TextOutTurned
  };

  explicit CRecordingDevice(bool printing = false) : printing_(printing) {}

  using CDevice::DrawLine;
  using CDevice::FillSolidRect;

  void DrawLine(int x1, int y1, int x2, int y2) override;
  void FillSolidRect(const CRect& rect, ColorRef color) override;
  bool IsPrinting() override { return printing_; }
  const CPen* SelectPen(const CPen* pen) override;
  const CFont* SelectFont(const CFont* font) override;
  ColorRef SetBkColor(ColorRef color) override;
  unsigned SetTextAlign(unsigned align) override;
  ColorRef SetTextColor(ColorRef color) override;
  bool TextOut(int x, int y, const std::string& text, bool indent) override;
  void TextOutTurned(int x, int y, const std::string& text) override;

  std::vector<std::string> calls;
  std::vector<Fill> fills;
  std::vector<Text> texts;
  ColorRef background = Rgb(255, 255, 255);
  ColorRef textColor = Rgb(0, 0, 0);
  unsigned align = kAlignLeft;
  CPen pen;

 private:
  bool printing_;
};
