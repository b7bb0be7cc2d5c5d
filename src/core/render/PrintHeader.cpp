// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Device.h"
#include "render/HeatMapPicture.h"

void DrawPrintHeader(CDevice& device, const std::string& path, const CRect& rect, const CPen& pen) {
  const CFont font = TextFont();
  device.SelectFont(&font);
  device.SetTextAlign(kAlignLeft | kAlignTop);
  device.TextOut(rect.left, -24, "Quorvel - File: " + path, false);
  device.SelectPen(&pen);
  device.DrawLine(0, -6, rect.right, -6);
}
