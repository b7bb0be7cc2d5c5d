// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "export/PostScriptPage.h"
#include "render/Device.h"

class CAtomicFile;

// Colour of the small box written under the top-left corner of every text (outside the page,
// see FillSolidRect with a size).
inline constexpr ColorRef kTextMarkerColor = Rgb(254, 0, 0);

// The drawing device of PostScript export: every operation appends PostScript text. A single
// A4 page at half scale (a picture too large for it shrunk to fit), or an encapsulated picture
// at full size (see PostScriptPage.h); picture points (x, y) are written as x and −y, text in
// Times-Roman. The text goes to memory (Text()) or, in blocks, to an atomic file that the
// caller commits.
class CPostScriptDC : public CDevice {
 public:
  // Keeps the whole text in memory.
  explicit CPostScriptDC(const CPostScriptPage& page = {});
  // Streams the text to `file` (which must outlive the device); Finish writes the rest.
  explicit CPostScriptDC(CAtomicFile& file, const CPostScriptPage& page = {});
  // Writes nothing and only follows where the drawing goes (DrawnExtent), so that a picture can
  // be measured before its page is chosen.
  struct CMeasureOnly {};
  explicit CPostScriptDC(CMeasureOnly);

  // The picture area (layout units, y downwards) that the paths and texts drawn so far cover,
  // texts measured in Times-Roman; empty when nothing was drawn. Only a measuring device
  // follows it.
  CRect DrawnExtent() const { return drawn_; }

  // The text not yet handed to the file (all of it without a file).
  const std::string& Text() const { return out_; }
  // Ends the page ("showpage", so that printers and converters output it, and the end-of-file
  // comment) and hands what is buffered to the file; false when any write failed.
  bool Finish();

  using CDevice::DrawLine;
  using CDevice::FillSolidRect;
  using CDevice::LineTo;
  using CDevice::MoveTo;

  void Stroke() override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void DrawRectangle(const CRect& rect) override;
  void DrawZoneFrames(std::span<const CRect, kZoneCount> zones) override;
  void FillSolidRect(const CRect& rect, ColorRef color) override;
  // The rectangle (x, −y) to (x + cx − 1, 1 − y − cy): y is not negated here, so what this
  // fills (the text marker boxes) lies above the page.
  void FillSolidRect(int x, int y, int cx, int cy, ColorRef color) override;
  bool IsPrinting() override { return true; }
  CPoint SetViewportOrg(int x, int y) override { return {x, y}; }
  void LineTo(int x, int y) override;
  const CPen* SelectPen(const CPen* pen) override;
  const CFont* SelectFont(const CFont* font) override;
  void MoveTo(int x, int y) override;
  ColorRef SetBkColor(ColorRef color) override;
  unsigned SetTextAlign(unsigned align) override;
  ColorRef SetTextColor(ColorRef color) override;
  void TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                     const int* tabStops, int tabOrigin) override;
  // With `indent` the text starts 150 units further right.
  bool TextOut(int x, int y, const std::string& text, bool indent) override;
  // Turned about (x, −y) in a saved graphics state, in the text colour; no marker box.
  void TextOutTurned(int x, int y, const std::string& text) override;

  int FontSize() const { return fontSize_; }

 private:
  enum class Show { kLeft, kCentre, kRight };
  void Append(std::string_view text);
  void AppendInteger(long long value);
  void AppendPoint(long long x, long long y, std::string_view operatorLine);
  void ColorLine(ColorRef color);
  void PathOfCorners(const CRect& rect);
  // `text` is the shown text before escaping, for the measure.
  void ShowLine(long long x, long long y, std::string_view body, std::string_view text);
  void Cover(long long left, long long top, long long right, long long bottom);

  std::string out_;
  CAtomicFile* file_ = nullptr;
  bool measuring_ = false;
  bool covered_ = false;
  CRect drawn_;
  bool writeFailed_ = false;
  bool finished_ = false;
  Show show_ = Show::kLeft;
  int fontSize_ = 14;
  unsigned horizontalAlign_ = kAlignLeft;
  unsigned verticalMode_ = kAlignBottom;
  ColorRef background_ = Rgb(255, 255, 255);
  ColorRef textColor_ = Rgb(0, 0, 0);
};
