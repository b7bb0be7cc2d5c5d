// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPen>

#include "render/Device.h"

class QPainter;

// The drawing device over a platform painter: a window, a printer, a PDF writer or an image.
// Logical units map to the painter's coordinates (its device pixels) through an anisotropic
// mapping, as for zooming: device = (logical − window origin) × viewport extent / window
// extent + viewport origin, rounded. At creation both extents are 1 and both origins 0.
// The painter is not owned and its own transformation is left alone (it should be the
// identity). Lines exclude their end point; axis-aligned solid lines and all fills are exact.
class CScreenDC : public CDevice {
 public:
  // Printing when the painter draws on a printer.
  explicit CScreenDC(QPainter& painter);
  CScreenDC(QPainter& painter, bool printing);

  enum class BackgroundMode { kTransparent, kOpaque };

  // Mapping.
  void SetWindowExt(CSize extent);
  void SetViewportExt(CSize extent);
  CPoint SetWindowOrg(int x, int y);
  CSize GetWindowExt() const { return windowExt_; }
  CSize GetViewportExt() const { return viewportExt_; }
  // A zoomed view: window extent the picture's total size in layout units, viewport extent
  // zoom × total (truncated per axis), viewport origin minus the scroll position.
  void PrepareZoom(CSize total, double zoom, CPoint scrollPosition);
  // A printed page: the viewport extent is the printable size in device pixels, reduced on one
  // axis so that the picture keeps its aspect ratio.
  void PreparePrinting(CSize total, CSize printable);

  // Lines drawn for a picture that is scaled again later (a print preview records the page and
  // shows it smaller): cosmetic pens, so that every line keeps at least one device pixel at the
  // final scale instead of a fraction of one that rasterises to nothing.
  void KeepHairlines(bool on) { keepHairlines_ = on; }

  // Text background: transparent (the default) or filled with the background colour.
  void SetBackgroundMode(BackgroundMode mode) { backgroundMode_ = mode; }
  CPoint GetCurrentPosition() const { return current_; }

  using CDevice::DPtoLP;
  using CDevice::DrawLine;
  using CDevice::FillSolidRect;
  using CDevice::LineTo;
  using CDevice::LPtoDP;
  using CDevice::MoveTo;

  int GetClipBox(CRect& rect) override;
  // The block becomes one image of the visible device pixels, each pixel taking the cell whose
  // device rectangle holds it, so the screen repaints large tables fast.
  bool DrawCellBlock(std::span<const int> xStarts, std::span<const int> xEnds,
                     std::span<const int> yStarts, std::span<const int> yEnds,
                     std::span<const ColorRef> colors) override;
  void DPtoLP(CRect& rect) override;
  void DPtoLP(CPoint* points, int count) override;
  void FillSolidRect(const CRect& rect, ColorRef color) override;
  void FillSolidRect(int x, int y, int cx, int cy, ColorRef color) override;
  CSize GetTextExtent(const std::string& text) override;
  bool IsPrinting() override { return printing_; }
  CPoint GetWindowOrg() override { return windowOrg_; }
  CPoint GetViewportOrg() override { return viewportOrg_; }
  CPoint SetViewportOrg(int x, int y) override;
  void LineTo(int x, int y) override;
  void LPtoDP(CRect& rect) override;
  void LPtoDP(CPoint* points, int count) override;
  const CPen* SelectPen(const CPen* pen) override;
  const CFont* SelectFont(const CFont* font) override;
  void SelectScreenFont(const CFont* font) override;
  void MoveTo(int x, int y) override;
  ColorRef SetBkColor(ColorRef color) override;
  // Returns the previous alignment.
  unsigned SetTextAlign(unsigned align) override;
  ColorRef SetTextColor(ColorRef color) override;
  void TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                     const int* tabStops, int tabOrigin) override;
  CSize GetTabbedTextExtent(const std::string& text, int count, int tabCount,
                            const int* tabStops) override;
  int DrawText(const std::string& text, CRect& rect, unsigned format) override;
  bool TextOut(int x, int y, const std::string& text, bool indent) override;
  void TextOutTurned(int x, int y, const std::string& text) override;

 private:
  CPoint ToDevice(CPoint point) const;
  CPoint ToLogical(CPoint point) const;
  double ScaleX() const;
  double ScaleY() const;
  void UpdateFont();
  void DrawDeviceLine(CPoint from, CPoint to);
  // Writes `text` with its reference point at logical (x, y) under `align`.
  void DrawAlignedText(int x, int y, const QString& text, unsigned align);
  int NextTabStop(int x, int origin, int tabCount, const int* tabStops) const;

  QPainter& painter_;
  bool printing_;
  CPoint windowOrg_;
  CPoint viewportOrg_;
  CSize windowExt_{1, 1};
  CSize viewportExt_{1, 1};
  CPoint current_;
  CPen defaultPen_;
  CFont defaultFont_{"", 12};
  const CPen* pen_ = &defaultPen_;
  const CFont* font_ = &defaultFont_;
  QFont deviceFont_;   // the selected font at the device's scale
  QFont logicalFont_;  // the selected font at zoom 1, for measuring
  ColorRef background_ = Rgb(255, 255, 255);
  ColorRef textColor_ = Rgb(0, 0, 0);
  unsigned align_ = kAlignLeft;
  BackgroundMode backgroundMode_ = BackgroundMode::kTransparent;
  bool keepHairlines_ = false;
};
