// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Device.h"

int CDevice::GetClipBox(CRect&) {
  return 0;
}
void CDevice::DPtoLP(CRect&) {}
void CDevice::DPtoLP(CPoint*, int) {}
void CDevice::DrawLine(CPoint from, CPoint to) {
  DrawLine(from.x, from.y, to.x, to.y);
}
void CDevice::DrawLine(int x1, int y1, int x2, int y2) {
  MoveTo(x1, y1);
  LineTo(x2, y2);
}
void CDevice::DrawRectangle(const CRect& rect) {
  MoveTo(rect.left, rect.top);
  LineTo(rect.right, rect.top);
  LineTo(rect.right, rect.bottom);
  LineTo(rect.left, rect.bottom);
  LineTo(rect.left, rect.top);
}
void CDevice::DrawZoneFrames(std::span<const CRect, kZoneCount> zones) {
  for (const CRect& zone : zones)
    DrawRectangle(zone);
}
void CDevice::FillSolidRect(const CRect&, ColorRef) {}
void CDevice::FillSolidRect(int, int, int, int, ColorRef) {}
CSize CDevice::GetTextExtent(const std::string&) {
  return {12, 12};
}
bool CDevice::IsPrinting() {
  return false;
}
// No sound answer exists on a device without a platform context: the origin.
CPoint CDevice::GetWindowOrg() {
  return {};
}
CPoint CDevice::GetViewportOrg() {
  return {};
}
CPoint CDevice::SetViewportOrg(int, int) {
  return {};
}
void CDevice::LineTo(CPoint point) {
  LineTo(point.x, point.y);
}
void CDevice::LineTo(int, int) {}
void CDevice::LPtoDP(CRect&) {}
void CDevice::LPtoDP(CPoint*, int) {}
const CPen* CDevice::SelectPen(const CPen* pen) {
  return pen;
}
const CFont* CDevice::SelectFont(const CFont* font) {
  return font;
}
void CDevice::SelectScreenFont(const CFont*) {}
void CDevice::MoveTo(CPoint point) {
  MoveTo(point.x, point.y);
}
void CDevice::MoveTo(int, int) {}
ColorRef CDevice::SetBkColor(ColorRef color) {
  return color;
}
unsigned CDevice::SetTextAlign(unsigned align) {
  return align;
}
ColorRef CDevice::SetTextColor(ColorRef color) {
  return color;
}
void CDevice::TabbedTextOut(int, int, const std::string&, int, int, const int*, int) {}
CSize CDevice::GetTabbedTextExtent(const std::string&, int, int, const int*) {
  return {0, 0};
}
int CDevice::DrawText(const std::string&, CRect&, unsigned) {
  return 0;
}
bool CDevice::TextOut(int, int, const std::string&, bool) {
  return true;
}
void CDevice::TextOutTurned(int, int, const std::string&) {}

bool CDevice::DrawCellBlock(std::span<const int>, std::span<const int>, std::span<const int>,
                            std::span<const int>, std::span<const ColorRef>) {
  return false;
}
