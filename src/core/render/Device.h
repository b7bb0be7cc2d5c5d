// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "base/Geometry.h"
#include "render/Font.h"
#include "render/Pen.h"

// Text alignment flags of SetTextAlign: a horizontal part (left, right, centre) combined with a
// vertical part (top, bottom, baseline).
inline constexpr unsigned kAlignLeft = 0;  // also top: 0 is left and top
inline constexpr unsigned kAlignTop = 0;
inline constexpr unsigned kAlignRight = 2;
inline constexpr unsigned kAlignCentre = 6;
inline constexpr unsigned kAlignBottom = 8;
inline constexpr unsigned kAlignBaseline = 24;
inline constexpr unsigned kAlignHorizontalMask = 6;
inline constexpr unsigned kAlignVerticalMask = 24;

// Format flags of DrawText.
inline constexpr unsigned kDrawTextLeft = 0x0;
inline constexpr unsigned kDrawTextCentre = 0x1;
inline constexpr unsigned kDrawTextRight = 0x2;
inline constexpr unsigned kDrawTextVerticalCentre = 0x4;
inline constexpr unsigned kDrawTextBottom = 0x8;
inline constexpr unsigned kDrawTextWordBreak = 0x10;
inline constexpr unsigned kDrawTextSingleLine = 0x20;
inline constexpr unsigned kDrawTextCalculateRect = 0x400;

// Answers of GetClipBox.
inline constexpr int kRegionError = 0;
inline constexpr int kRegionNull = 1;
inline constexpr int kRegionSimple = 2;
inline constexpr int kRegionComplex = 3;

// The picture's layout has this many zones.
inline constexpr int kZoneCount = 17;

// The drawing interface every picture goes through: the window, off-screen bitmaps, printers and
// PostScript files. Coordinates are logical units, x to the right and y downwards. The base
// class answers what a device does not override: lines and rectangles go through MoveTo and
// LineTo, other drawing does nothing, selections and colour
// setters return their argument, measuring answers 12 by 12. The operations keep the order of
// the platform's drawing context they were modelled on. Devices keep the selected pen and font
// by address: they must stay alive while selected.
class CDevice {
 public:
  CDevice() = default;
  virtual ~CDevice() = default;
  CDevice(const CDevice&) = delete;
  CDevice& operator=(const CDevice&) = delete;

  // The concrete device's class name ("CScreenDC", "CPostScriptDC"); informative only.

  virtual void Stroke() {}
  // The clipping rectangle in logical units and its region kind (kRegion…); the base answers 0
  // and leaves the rectangle untouched.
  virtual int GetClipBox(CRect& rect);
  virtual void DPtoLP(CRect& rect);
  virtual void DPtoLP(CPoint* points, int count);
  virtual void DrawLine(CPoint from, CPoint to);
  virtual void DrawLine(int x1, int y1, int x2, int y2);
  // Outline through the four corners, right and bottom edges included.
  virtual void DrawRectangle(const CRect& rect);
  virtual void DrawZoneFrames(std::span<const CRect, kZoneCount> zones);
  virtual void FillSolidRect(const CRect& rect, ColorRef color);
  // A block of cells at once, for devices made of pixels: cell (i, j) spans xStarts[j] …
  // xEnds[j] across and yStarts[i] … yEnds[i] down (logical units), filled with
  // colors[i × columns + j] unless that is kUnpaintedCell. The result must equal one
  // FillSolidRect per cell, columns outside in, rows inside. False (the base answer) when the
  // device wants the cells one by one.
  static constexpr ColorRef kUnpaintedCell = 0xFFFFFFFFu;
  virtual bool DrawCellBlock(std::span<const int> xStarts, std::span<const int> xEnds,
                             std::span<const int> yStarts, std::span<const int> yEnds,
                             std::span<const ColorRef> colors);
  virtual void FillSolidRect(int x, int y, int cx, int cy, ColorRef color);
  virtual CSize GetTextExtent(const std::string& text);
  virtual bool IsPrinting();
  virtual CPoint GetWindowOrg();
  virtual CPoint GetViewportOrg();
  // Returns the previous viewport origin.
  virtual CPoint SetViewportOrg(int x, int y);
  virtual void LineTo(CPoint point);
  virtual void LineTo(int x, int y);
  virtual void LPtoDP(CRect& rect);
  virtual void LPtoDP(CPoint* points, int count);
  // Returns the previously selected pen (the base returns its argument).
  virtual const CPen* SelectPen(const CPen* pen);
  // Returns the previously selected font (the base returns its argument).
  virtual const CFont* SelectFont(const CFont* font);
  virtual void SelectScreenFont(const CFont* font);
  virtual void MoveTo(CPoint point);
  virtual void MoveTo(int x, int y);
  // Text background colour; returns the previous one (the base returns its argument).
  virtual ColorRef SetBkColor(ColorRef color);
  virtual unsigned SetTextAlign(unsigned align);
  virtual ColorRef SetTextColor(ColorRef color);
  // Writes the first `count` bytes of `text` (all of it when count < 0), cut at tabs.
  virtual void TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                             const int* tabStops, int tabOrigin);
  virtual CSize GetTabbedTextExtent(const std::string& text, int count, int tabCount,
                                    const int* tabStops);
  // Text formatted in a rectangle (kDrawText… flags); returns the text height.
  virtual int DrawText(const std::string& text, CRect& rect, unsigned format);
  // Writes `text` at (x, y) with the current alignment; `indent` is for devices that shift
  // indented report lines.
  virtual bool TextOut(int x, int y, const std::string& text, bool indent);
  // Writes `text` turned a quarter turn anticlockwise, reading from bottom to top: it starts at
  // height y and runs upwards, its line centred across x. The alignment does not apply. The
  // base device writes nothing.
  virtual void TextOutTurned(int x, int y, const std::string& text);

 private:
};
