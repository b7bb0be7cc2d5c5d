// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingDevice.h"

#include "base/Text.h"

void CRecordingDevice::DrawLine(int x1, int y1, int x2, int y2) {
  calls.push_back(Format("DrawLine %d %d %d %d", x1, y1, x2, y2));
}

void CRecordingDevice::FillSolidRect(const CRect& rect, ColorRef color) {
  calls.push_back(Format("FillSolidRect %d %d %d %d %06X", rect.left, rect.top, rect.right,
                         rect.bottom, color));
  fills.push_back({rect, color});
}

const CPen* CRecordingDevice::SelectPen(const CPen* pen) {
  calls.push_back(Format("SelectPen %06X", pen ? pen->color : 0u));
  if (pen) this->pen = *pen;
  return pen;
}

const CFont* CRecordingDevice::SelectFont(const CFont* font) {
  calls.push_back(Format("SelectFont %d", font ? font->height : 0));
  return font;
}

ColorRef CRecordingDevice::SetBkColor(ColorRef color) {
  calls.push_back(Format("SetBkColor %06X", color));
  const ColorRef previous = background;
  background = color;
  return previous;
}

unsigned CRecordingDevice::SetTextAlign(unsigned newAlign) {
  calls.push_back(Format("SetTextAlign %u", newAlign));
  const unsigned previous = align;
  align = newAlign;
  return previous;
}

ColorRef CRecordingDevice::SetTextColor(ColorRef color) {
  calls.push_back(Format("SetTextColor %06X", color));
  const ColorRef previous = textColor;
  textColor = color;
  return previous;
}

bool CRecordingDevice::TextOut(int x, int y, const std::string& text, bool indent) {
  calls.push_back(Format("TextOut %d %d %s%s", x, y, text.c_str(), indent ? " indent" : ""));
  texts.push_back({x, y, text, align, textColor});
  return true;
}

void CRecordingDevice::TextOutTurned(int x, int y, const std::string& text) {
  calls.push_back(Format("TextOutTurned %d %d %s", x, y, text.c_str()));
  texts.push_back({x, y, text, align, textColor, true});
}
