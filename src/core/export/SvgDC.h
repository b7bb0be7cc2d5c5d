// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "render/Device.h"

class CAtomicFile;
class CTextMeasurer;

// The drawing device of SVG export: every operation appends SVG elements, so the file is the
// same picture as the window, in vectors. Coordinates are layout units, written unchanged (the
// view box is the picture); the file shows at the zoomed size. Fills become one <rect> each
// (the cells of the matrix inside <g class="cells">), lines become <line> elements inside a
// group that carries the pen, texts become <text> elements inside a group that carries the
// font and the text colour. Text is measured, and placed by its baseline, through the measurer
// the layout used, so it lands where the screen puts it. The device is not printing: the
// picture keeps the screen's background colour.
//
// Lines cover what the screen's lines cover: a solid axis-aligned line of width w is the band
// of w units centred on the pixels from its start up to (not including) its end, which puts its
// centre half a unit off the integer grid for odd widths. Numbers are written with to_chars
// straight into the output (integers, and halves where a line centre needs one); each element
// costs time linear in its text. The text is held in memory, or streamed to an atomic file in
// blocks of 1 MB.
class CSvgDC : public CDevice {
 public:
  // A picture of `picture` layout units shown at `display` pixels; `measurer` may be null (texts
  // then measure 12 by 12, as on the base device). Keeps the whole text in memory.
  CSvgDC(CSize picture, CSize display, const CTextMeasurer* measurer);
  // Streams the text to `file` (which must outlive the device); Finish writes the rest.
  CSvgDC(CSize picture, CSize display, const CTextMeasurer* measurer, CAtomicFile& file);

  // The text not yet handed to the file (all of it without a file).
  const std::string& Text() const { return out_; }
  // Closes the open group and the document and hands what is buffered to the file; false when
  // any write failed. Drawing after Finish writes nothing more.
  bool Finish();

  using CDevice::DrawLine;
  using CDevice::FillSolidRect;
  using CDevice::LineTo;
  using CDevice::MoveTo;

  void FillSolidRect(const CRect& rect, ColorRef color) override;
  // The rectangle (x, y) to (x + cx, y + cy).
  void FillSolidRect(int x, int y, int cx, int cy, ColorRef color) override;
  // One <rect> per painted cell, inside <g class="cells">.
  bool DrawCellBlock(std::span<const int> xStarts, std::span<const int> xEnds,
                     std::span<const int> yStarts, std::span<const int> yEnds,
                     std::span<const ColorRef> colors) override;
  CSize GetTextExtent(const std::string& text) override;
  void LineTo(int x, int y) override;
  const CPen* SelectPen(const CPen* pen) override;
  const CFont* SelectFont(const CFont* font) override;
  void SelectScreenFont(const CFont* font) override;
  void MoveTo(int x, int y) override;
  // The setters return the previous value.
  ColorRef SetBkColor(ColorRef color) override;
  unsigned SetTextAlign(unsigned align) override;
  ColorRef SetTextColor(ColorRef color) override;
  void TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                     const int* tabStops, int tabOrigin) override;
  CSize GetTabbedTextExtent(const std::string& text, int count, int tabCount,
                            const int* tabStops) override;
  // The indent flag is ignored, as on the screen.
  bool TextOut(int x, int y, const std::string& text, bool indent) override;
  // A <text> element rotated by −90 degrees about (x, y).
  void TextOutTurned(int x, int y, const std::string& text) override;

 private:
  enum class Group { kNone, kCells, kLines, kText };
  void Append(std::string_view text);
  void FlushIfFull();
  void WriteHeader(CSize picture, CSize display);
  void CloseGroup();
  void EnterCells();
  void EnterLines();
  void EnterText();
  void WriteRect(const CRect& rect, ColorRef color);
  // One <line> between two points given in half units.
  void WriteLine(long long x1, long long y1, long long x2, long long y2);
  void DrawSegment(CPoint from, CPoint to);
  void WriteText(int x, int y, std::string_view text, unsigned align);
  int NextTabStop(int x, int origin, int tabCount, const int* tabStops) const;

  std::string out_;
  CAtomicFile* file_ = nullptr;
  bool writeFailed_ = false;
  bool finished_ = false;
  const CTextMeasurer* measurer_ = nullptr;

  Group group_ = Group::kNone;
  CPen groupPen_;
  CFont groupFont_;
  ColorRef groupTextColor_ = 0;

  CPoint current_;
  CPen defaultPen_;
  CFont defaultFont_{"", 12};
  const CPen* pen_ = &defaultPen_;
  const CFont* font_ = &defaultFont_;
  CPen penValue_;
  CFont fontValue_{"", 12};
  ColorRef background_ = Rgb(255, 255, 255);
  ColorRef textColor_ = Rgb(0, 0, 0);
  unsigned align_ = kAlignLeft;
};
