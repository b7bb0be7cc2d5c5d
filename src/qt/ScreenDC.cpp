// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/ScreenDC.h"

#include <QImage>
#include <functional>
#include <vector>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

#include "qt/LabelString.h"
#include "qt/QtFont.h"
#include "render/Zoom.h"

namespace {

QColor QtColor(ColorRef color) {
  return QColor(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                static_cast<int>(BlueOf(color)));
}

// value × numerator / denominator, rounded to the nearest integer.
int Scaled(long long value, int numerator, int denominator) {
  if (numerator == denominator || denominator == 0) return static_cast<int>(value);
  return static_cast<int>(
      std::llround(static_cast<double>(value) * numerator / static_cast<double>(denominator)));
}

Qt::PenStyle QtPenStyle(CPenStyle style) {
  switch (style) {
    case CPenStyle::kDash:
      return Qt::DashLine;
    case CPenStyle::kDot:
      return Qt::DotLine;
    case CPenStyle::kDashDot:
      return Qt::DashDotLine;
    case CPenStyle::kSolid:
      break;
  }
  return Qt::SolidLine;
}

// Horizontal part of an alignment: left 0, right 2, centre 6.
unsigned HorizontalOf(unsigned align) {
  return align & kAlignHorizontalMask;
}
unsigned VerticalOf(unsigned align) {
  return align & kAlignVerticalMask;
}

}  // namespace

CScreenDC::CScreenDC(QPainter& painter)
    : CScreenDC(painter, painter.device() && painter.device()->devType() == QInternal::Printer) {}

CScreenDC::CScreenDC(QPainter& painter, bool printing) : painter_(painter), printing_(printing) {
  UpdateFont();
}

// --- Mapping ---------------------------------------------------------------------------------

double CScreenDC::ScaleX() const {
  return std::abs(static_cast<double>(viewportExt_.cx) / windowExt_.cx);
}

double CScreenDC::ScaleY() const {
  return std::abs(static_cast<double>(viewportExt_.cy) / windowExt_.cy);
}

CPoint CScreenDC::ToDevice(CPoint point) const {
  return {Scaled(static_cast<long long>(point.x) - windowOrg_.x, viewportExt_.cx, windowExt_.cx) +
              viewportOrg_.x,
          Scaled(static_cast<long long>(point.y) - windowOrg_.y, viewportExt_.cy, windowExt_.cy) +
              viewportOrg_.y};
}

CPoint CScreenDC::ToLogical(CPoint point) const {
  return {Scaled(static_cast<long long>(point.x) - viewportOrg_.x, windowExt_.cx, viewportExt_.cx) +
              windowOrg_.x,
          Scaled(static_cast<long long>(point.y) - viewportOrg_.y, windowExt_.cy, viewportExt_.cy) +
              windowOrg_.y};
}

// Extents of 0 would divide by zero; the platform refuses them too.
void CScreenDC::SetWindowExt(CSize extent) {
  if (extent.cx == 0 || extent.cy == 0) return;
  windowExt_ = extent;
  UpdateFont();
}

void CScreenDC::SetViewportExt(CSize extent) {
  if (extent.cx == 0 || extent.cy == 0) return;
  viewportExt_ = extent;
  UpdateFont();
}

void CScreenDC::PrepareZoom(CSize total, double zoom, CPoint scrollPosition) {
  SetWindowExt(total);
  // A tiny zoom still maps the picture onto one pixel rather than onto nothing.
  const CSize zoomed = ZoomedSize(total, zoom);
  SetViewportExt({std::max(1, zoomed.cx), std::max(1, zoomed.cy)});
  SetViewportOrg(-scrollPosition.x, -scrollPosition.y);
}

void CScreenDC::PreparePrinting(CSize total, CSize printable) {
  if (total.cx <= 0 || total.cy <= 0) return;
  CSize extent = printable;
  // Compare printable.cx / printable.cy with total.cx / total.cy without dividing.
  if (static_cast<long long>(printable.cx) * total.cy >
      static_cast<long long>(printable.cy) * total.cx) {
    extent.cx = static_cast<int>(static_cast<long long>(printable.cy) * total.cx / total.cy);
  } else {
    extent.cy = static_cast<int>(static_cast<long long>(printable.cx) * total.cy / total.cx);
  }
  SetWindowExt(total);
  SetViewportExt({std::max(1, extent.cx), std::max(1, extent.cy)});
}

CPoint CScreenDC::SetWindowOrg(int x, int y) {
  const CPoint previous = windowOrg_;
  windowOrg_ = {x, y};
  return previous;
}

CPoint CScreenDC::SetViewportOrg(int x, int y) {
  const CPoint previous = viewportOrg_;
  viewportOrg_ = {x, y};
  return previous;
}

void CScreenDC::LPtoDP(CPoint* points, int count) {
  for (int k = 0; k < count; ++k)
    points[k] = ToDevice(points[k]);
}

void CScreenDC::DPtoLP(CPoint* points, int count) {
  for (int k = 0; k < count; ++k)
    points[k] = ToLogical(points[k]);
}

void CScreenDC::LPtoDP(CRect& rect) {
  const CPoint topLeft = ToDevice({rect.left, rect.top});
  const CPoint bottomRight = ToDevice({rect.right, rect.bottom});
  rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CScreenDC::DPtoLP(CRect& rect) {
  const CPoint topLeft = ToLogical({rect.left, rect.top});
  const CPoint bottomRight = ToLogical({rect.right, rect.bottom});
  rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int CScreenDC::GetClipBox(CRect& rect) {
  QRect box;
  bool complex = false;
  if (painter_.hasClipping()) {
    box = painter_.clipBoundingRect().toAlignedRect();
    complex = painter_.clipRegion().rectCount() > 1;
  } else if (painter_.device()) {
    box = QRect(0, 0, painter_.device()->width(), painter_.device()->height());
  }
  rect = {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
  DPtoLP(rect);
  rect.Normalize();
  if (box.isEmpty()) return kRegionNull;
  return complex ? kRegionComplex : kRegionSimple;
}

// --- Lines and fills -------------------------------------------------------------------------

void CScreenDC::DrawDeviceLine(CPoint from, CPoint to) {
  if (from == to) return;
  const int width =
      pen_->width <= 0
          ? 1
          : std::max(1, static_cast<int>(std::lround(pen_->width * std::min(ScaleX(), ScaleY()))));
  const QColor color = QtColor(pen_->color);
  if (keepHairlines_) {
    QPen pen(color, std::max(1, pen_->width), QtPenStyle(pen_->style), Qt::FlatCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    return;
  }
  if (pen_->style == CPenStyle::kSolid && (from.x == to.x || from.y == to.y)) {
    // The end point is not drawn; a wide line covers a band centred on it, with square ends
    // so that lines meeting at a corner join.
    const int half = width / 2;
    const int extension = width > 1 ? half : 0;
    if (from.y == to.y) {
      const int first = from.x < to.x ? from.x : to.x + 1;
      const int last = from.x < to.x ? to.x - 1 : from.x;
      painter_.fillRect(
          QRect(first - extension, from.y - half, last - first + 1 + 2 * extension, width), color);
    } else {
      const int first = from.y < to.y ? from.y : to.y + 1;
      const int last = from.y < to.y ? to.y - 1 : from.y;
      painter_.fillRect(
          QRect(from.x - half, first - extension, width, last - first + 1 + 2 * extension), color);
    }
    return;
  }
  QPen pen(color, width, QtPenStyle(pen_->style), width > 1 ? Qt::RoundCap : Qt::FlatCap,
           Qt::RoundJoin);
  painter_.setPen(pen);
  painter_.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void CScreenDC::MoveTo(int x, int y) {
  current_ = {x, y};
}

void CScreenDC::LineTo(int x, int y) {
  DrawDeviceLine(ToDevice(current_), ToDevice({x, y}));
  current_ = {x, y};
}

namespace {

// For every device pixel of [low, high) along one axis, the index of the cell whose device
// extent holds it (a later cell wins, as a later fill would), or −1.
std::vector<int> PixelOwners(std::span<const int> starts, std::span<const int> ends, int low,
                             int high, const std::function<int(int)>& toDevice) {
  std::vector<int> owners(static_cast<size_t>(std::max(0, high - low)), -1);
  for (size_t k = 0; k < starts.size(); ++k) {
    int a = toDevice(starts[k]);
    int b = toDevice(ends[k]);
    if (a > b) std::swap(a, b);
    a = std::max(a, low);
    b = std::min(b, high);
    for (int p = a; p < b; ++p)
      owners[static_cast<size_t>(p - low)] = static_cast<int>(k);
  }
  return owners;
}

}  // namespace

bool CScreenDC::DrawCellBlock(std::span<const int> xStarts, std::span<const int> xEnds,
                              std::span<const int> yStarts, std::span<const int> yEnds,
                              std::span<const ColorRef> colors) {
  // Printers keep one rectangle per cell (sharp at any resolution, small files).
  if (printing_) return false;
  const size_t columns = xStarts.size();
  if (columns == 0 || yStarts.empty() || colors.size() != columns * yStarts.size()) return true;
  QRect box;
  if (painter_.hasClipping()) {
    box = painter_.clipBoundingRect().toAlignedRect();
  } else if (painter_.device()) {
    box = QRect(0, 0, painter_.device()->width(), painter_.device()->height());
  }
  if (box.isEmpty()) return true;
  // The block's device extent, cut to the visible box.
  auto deviceX = [this](int x) { return ToDevice({x, 0}).x; };
  auto deviceY = [this](int y) { return ToDevice({0, y}).y; };
  int left = std::min(deviceX(xStarts.front()), deviceX(xEnds.back()));
  int right = std::max(deviceX(xStarts.front()), deviceX(xEnds.back()));
  int top = std::min(deviceY(yStarts.front()), deviceY(yEnds.back()));
  int bottom = std::max(deviceY(yStarts.front()), deviceY(yEnds.back()));
  left = std::max(left, box.left());
  top = std::max(top, box.top());
  right = std::min(right, box.left() + box.width());
  bottom = std::min(bottom, box.top() + box.height());
  if (left >= right || top >= bottom) return true;

  const std::vector<int> columnOf = PixelOwners(xStarts, xEnds, left, right, deviceX);
  const std::vector<int> rowOf = PixelOwners(yStarts, yEnds, top, bottom, deviceY);
  std::vector<QRgb> palette(colors.size());
  for (size_t k = 0; k < colors.size(); ++k) {
    palette[k] = colors[k] == kUnpaintedCell ? 0u
                                             : qRgba(static_cast<int>(RedOf(colors[k])),
                                                     static_cast<int>(GreenOf(colors[k])),
                                                     static_cast<int>(BlueOf(colors[k])), 255);
  }
  // Pixels of no cell, and unpainted cells, stay transparent: what lies below shows through.
  QImage image(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const int row = rowOf[static_cast<size_t>(y)];
    if (row < 0) {
      std::fill(line, line + image.width(), 0u);
      continue;
    }
    const QRgb* rowColors = palette.data() + static_cast<size_t>(row) * columns;
    for (int x = 0; x < image.width(); ++x) {
      const int column = columnOf[static_cast<size_t>(x)];
      line[x] = column < 0 ? 0u : rowColors[column];
    }
  }
  painter_.drawImage(QPoint(left, top), image);
  return true;
}

void CScreenDC::FillSolidRect(const CRect& rect, ColorRef color) {
  CRect device = rect;
  LPtoDP(device);
  device.Normalize();
  if (device.IsEmpty()) return;
  painter_.fillRect(QRect(device.left, device.top, device.Width(), device.Height()),
                    QtColor(color));
}

void CScreenDC::FillSolidRect(int x, int y, int cx, int cy, ColorRef color) {
  FillSolidRect(CRect{x, y, x + cx, y + cy}, color);
}

// --- Selections and colours ------------------------------------------------------------------

const CPen* CScreenDC::SelectPen(const CPen* pen) {
  if (!pen) return nullptr;
  const CPen* previous = pen_;
  pen_ = pen;
  return previous;
}

const CFont* CScreenDC::SelectFont(const CFont* font) {
  if (!font) return nullptr;
  const CFont* previous = font_;
  font_ = font;
  UpdateFont();
  return previous;
}

void CScreenDC::SelectScreenFont(const CFont* font) {
  SelectFont(font);
}

void CScreenDC::UpdateFont() {
  logicalFont_ = QtFontOf(*font_);
  deviceFont_ = QtFontOf(*font_, ScaleY());
}

ColorRef CScreenDC::SetBkColor(ColorRef color) {
  const ColorRef previous = background_;
  background_ = color;
  return previous;
}

ColorRef CScreenDC::SetTextColor(ColorRef color) {
  const ColorRef previous = textColor_;
  textColor_ = color;
  return previous;
}

unsigned CScreenDC::SetTextAlign(unsigned align) {
  const unsigned previous = align_;
  align_ = align;
  return previous;
}

// --- Text ------------------------------------------------------------------------------------

CSize CScreenDC::GetTextExtent(const std::string& text) {
  const QFontMetrics metrics(logicalFont_);
  return {metrics.horizontalAdvance(LabelString(text)), metrics.height()};
}

void CScreenDC::DrawAlignedText(int x, int y, const QString& text, unsigned align) {
  const CPoint anchor = ToDevice({x, y});
  const QFontMetrics metrics(deviceFont_, painter_.device());
  const int width = metrics.horizontalAdvance(text);
  int left = anchor.x;
  if (HorizontalOf(align) == kAlignCentre) {
    left -= width / 2;
  } else if (HorizontalOf(align) == kAlignRight) {
    left -= width;
  }
  int baseline = anchor.y + metrics.ascent();
  if (VerticalOf(align) == kAlignBaseline) {
    baseline = anchor.y;
  } else if (VerticalOf(align) == kAlignBottom) {
    baseline = anchor.y - metrics.descent();
  }
  if (backgroundMode_ == BackgroundMode::kOpaque) {
    painter_.fillRect(QRect(left, baseline - metrics.ascent(), width, metrics.height()),
                      QtColor(background_));
  }
  painter_.setFont(deviceFont_);
  painter_.setPen(QtColor(textColor_));
  painter_.drawText(QPoint(left, baseline), text);
}

bool CScreenDC::TextOut(int x, int y, const std::string& text, bool) {
  DrawAlignedText(x, y, LabelString(text), align_);
  return true;
}

void CScreenDC::TextOutTurned(int x, int y, const std::string& text) {
  const CPoint anchor = ToDevice({x, y});
  const QFontMetrics metrics(deviceFont_, painter_.device());
  painter_.save();
  painter_.translate(anchor.x, anchor.y);
  painter_.rotate(-90.0);
  painter_.setFont(deviceFont_);
  painter_.setPen(QtColor(textColor_));
  // The baseline sits so that the glyphs' ascent and descent are centred on x.
  painter_.drawText(QPoint(0, (metrics.ascent() - metrics.descent()) / 2), LabelString(text));
  painter_.restore();
}

// The next tab position after x: every 8 average characters without stops, every stop with
// one, else the first listed stop beyond x (x itself past the last one).
int CScreenDC::NextTabStop(int x, int origin, int tabCount, const int* tabStops) const {
  const int relative = x - origin;
  int step = 0;
  if (tabCount <= 0 || !tabStops || (tabCount == 1 && tabStops[0] <= 0)) {
    step = std::max(1, 8 * QFontMetrics(logicalFont_).averageCharWidth());
  } else if (tabCount == 1) {
    step = tabStops[0];
  }
  if (step > 0) return origin + (relative / step + 1) * step;
  for (int k = 0; k < tabCount; ++k) {
    if (tabStops[k] > relative) return origin + tabStops[k];
  }
  return x;
}

namespace {

std::string_view CountedText(const std::string& text, int count) {
  std::string_view view(text);
  if (count >= 0 && static_cast<size_t>(count) < view.size()) view = view.substr(0, count);
  return view;
}

}  // namespace

void CScreenDC::TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                              const int* tabStops, int tabOrigin) {
  std::string_view rest = CountedText(text, count);
  const QFontMetrics metrics(logicalFont_);
  const unsigned align = VerticalOf(align_);  // pieces run from left to right
  int position = x;
  while (true) {
    const size_t tab = rest.find('\t');
    const QString piece = LabelString(rest.substr(0, tab));
    DrawAlignedText(position, y, piece, align);
    if (tab == std::string_view::npos) break;
    position =
        NextTabStop(position + metrics.horizontalAdvance(piece), tabOrigin, tabCount, tabStops);
    rest = rest.substr(tab + 1);
  }
}

CSize CScreenDC::GetTabbedTextExtent(const std::string& text, int count, int tabCount,
                                     const int* tabStops) {
  std::string_view rest = CountedText(text, count);
  const QFontMetrics metrics(logicalFont_);
  int position = 0;
  while (true) {
    const size_t tab = rest.find('\t');
    position += metrics.horizontalAdvance(LabelString(rest.substr(0, tab)));
    if (tab == std::string_view::npos) break;
    position = NextTabStop(position, 0, tabCount, tabStops);
    rest = rest.substr(tab + 1);
  }
  return {position, metrics.height()};
}

int CScreenDC::DrawText(const std::string& text, CRect& rect, unsigned format) {
  int flags = Qt::AlignLeft;
  if (format & kDrawTextRight) flags = Qt::AlignRight;
  if (format & kDrawTextCentre) flags = Qt::AlignHCenter;
  if (format & kDrawTextBottom) {
    flags |= Qt::AlignBottom;
  } else if (format & kDrawTextVerticalCentre) {
    flags |= Qt::AlignVCenter;
  } else {
    flags |= Qt::AlignTop;
  }
  if (format & kDrawTextWordBreak) flags |= Qt::TextWordWrap;
  if (format & kDrawTextSingleLine) flags |= Qt::TextSingleLine;
  const QString string = LabelString(text);

  if (format & kDrawTextCalculateRect) {
    const QFontMetrics metrics(logicalFont_);
    const int width =
        (format & kDrawTextWordBreak) && rect.Width() > 0 ? rect.Width() : INT_MAX / 4;
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 0), flags, string);
    rect.right = rect.left + bounds.width();
    rect.bottom = rect.top + bounds.height();
    return bounds.height();
  }
  CRect device = rect;
  LPtoDP(device);
  device.Normalize();
  QRect drawn;
  painter_.setFont(deviceFont_);
  painter_.setPen(QtColor(textColor_));
  painter_.drawText(QRect(device.left, device.top, device.Width(), device.Height()), flags, string,
                    &drawn);
  return static_cast<int>(std::lround(drawn.height() / ScaleY()));
}
