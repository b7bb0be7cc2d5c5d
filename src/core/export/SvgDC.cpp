// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/SvgDC.h"

#include <algorithm>
#include <charconv>

#include "base/AtomicFile.h"
#include "export/SvgText.h"
#include "render/TextMeasurer.h"

namespace {

// Blocks of this size go to the file as they fill.
constexpr size_t kFlushSize = 1 << 20;

// One element's text built on the stack: numbers go straight in through to_chars.
class CElementText {
 public:
  CElementText& Put(std::string_view text) {
    std::copy(text.begin(), text.end(), buffer_ + used_);
    used_ += text.size();
    return *this;
  }
  CElementText& Integer(long long value) {
    used_ =
        static_cast<size_t>(std::to_chars(buffer_ + used_, buffer_ + kSize, value).ptr - buffer_);
    return *this;
  }
  // A coordinate given in half units: an integer, or an integer and ".5".
  CElementText& Half(long long twice) {
    if (twice < 0) {
      buffer_[used_++] = '-';
      twice = -twice;
    }
    Integer(twice / 2);
    if (twice % 2 != 0) Put(".5");
    return *this;
  }
  // "#rrggbb" of a colour with red in the low byte.
  CElementText& Color(ColorRef color) {
    static constexpr char kDigits[] = "0123456789abcdef";
    buffer_[used_++] = '#';
    for (const unsigned channel : {RedOf(color), GreenOf(color), BlueOf(color)}) {
      buffer_[used_++] = kDigits[channel >> 4];
      buffer_[used_++] = kDigits[channel & 15];
    }
    return *this;
  }
  std::string_view View() const { return {buffer_, used_}; }

 private:
  // The longest element written this way (a rect with four 20-digit numbers) fits easily.
  static constexpr size_t kSize = 256;
  char buffer_[kSize];
  size_t used_ = 0;
};

// The families the screen draws these faces with, the face with the glyphs of Chinese, Japanese
// and Korean labels, then a generic family: the empty face is the variable-pitch sans-serif
// face, the text font the Times face. Quotes and backslashes are left out of other names so
// that they stay one CSS string.
std::string FontFamily(const CFont& font) {
  const std::string fallback = std::string(", '") + kCjkFallbackFace + "', ";
  if (font.faceName.empty()) return "'DejaVu Sans'" + fallback + "sans-serif";
  if (font.faceName == kTextFontFace) return "Times, 'Times New Roman'" + fallback + "serif";
  std::string name;
  for (const char c : font.faceName) {
    if (c != '\'' && c != '"' && c != '\\') name.push_back(c);
  }
  return "'" + SvgText(name) + "'" + fallback + "sans-serif";
}

int FontSizeOf(const CFont& font) {
  return font.Size() > 0 ? font.Size() : 12;
}

int FontWeightOf(const CFont& font) {
  return font.weight > 0 ? std::clamp(font.weight, 1, 1000) : kFontWeightNormal;
}

int PenWidthOf(const CPen& pen) {
  return std::max(pen.width, 1);
}

std::string_view CountedText(const std::string& text, int count) {
  std::string_view view(text);
  if (count >= 0 && static_cast<size_t>(count) < view.size()) view = view.substr(0, count);
  return view;
}

}  // namespace

CSvgDC::CSvgDC(CSize picture, CSize display, const CTextMeasurer* measurer) : measurer_(measurer) {
  out_.reserve(kFlushSize + 4096);
  WriteHeader(picture, display);
}

CSvgDC::CSvgDC(CSize picture, CSize display, const CTextMeasurer* measurer, CAtomicFile& file)
    : CSvgDC(picture, display, measurer) {
  file_ = &file;
}

// --- Output ----------------------------------------------------------------------------------

void CSvgDC::Append(std::string_view text) {
  if (finished_) return;
  out_.append(text);
  FlushIfFull();
}

void CSvgDC::FlushIfFull() {
  if (file_ && out_.size() >= kFlushSize) {
    if (!file_->Write(out_)) writeFailed_ = true;
    out_.clear();
  }
}

void CSvgDC::WriteHeader(CSize picture, CSize display) {
  const long long width = std::max(picture.cx, 1), height = std::max(picture.cy, 1);
  CElementText header;
  header.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
      .Put("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"")
      .Integer(std::max(display.cx, 1))
      .Put("\" height=\"")
      .Integer(std::max(display.cy, 1))
      .Put("\" viewBox=\"0 0 ")
      .Integer(width)
      .Put(" ")
      .Integer(height)
      // Crisp edges keep neighbouring cells from showing seams; labels keep their spaces.
      .Put("\" shape-rendering=\"crispEdges\" xml:space=\"preserve\">\n");
  Append(header.View());
}

bool CSvgDC::Finish() {
  if (!finished_) {
    CloseGroup();
    Append("</svg>\n");
    finished_ = true;
  }
  if (file_ && !out_.empty()) {
    if (!file_->Write(out_)) writeFailed_ = true;
    out_.clear();
  }
  return !writeFailed_;
}

// --- Groups ----------------------------------------------------------------------------------

void CSvgDC::CloseGroup() {
  if (group_ == Group::kNone) return;
  group_ = Group::kNone;
  Append("</g>\n");
}

void CSvgDC::EnterCells() {
  if (group_ == Group::kCells) return;
  CloseGroup();
  Append("<g class=\"cells\">\n");
  group_ = Group::kCells;
}

void CSvgDC::EnterLines() {
  if (group_ == Group::kLines && groupPen_ == penValue_) return;
  CloseGroup();
  const int width = PenWidthOf(penValue_);
  CElementText open;
  open.Put("<g fill=\"none\" stroke=\"").Color(penValue_.color).Put("\" stroke-width=\"");
  open.Integer(width).Put("\"");
  // A pen of width 0 is one device pixel whatever the zoom.
  if (penValue_.width <= 0) open.Put(" vector-effect=\"non-scaling-stroke\"");
  // The screen's dash patterns, in pen widths.
  auto dashes = [&](std::initializer_list<int> pattern) {
    open.Put(" stroke-dasharray=\"");
    bool first = true;
    for (const int length : pattern) {
      if (!first) open.Put(" ");
      open.Integer(static_cast<long long>(length) * width);
      first = false;
    }
    open.Put("\"");
  };
  switch (penValue_.style) {
    case CPenStyle::kDash:
      dashes({4, 2});
      break;
    case CPenStyle::kDot:
      dashes({1, 2});
      break;
    case CPenStyle::kDashDot:
      dashes({4, 2, 1, 2});
      break;
    case CPenStyle::kSolid:
      break;
  }
  open.Put(">\n");
  Append(open.View());
  group_ = Group::kLines;
  groupPen_ = penValue_;
}

void CSvgDC::EnterText() {
  if (group_ == Group::kText && groupFont_ == fontValue_ && groupTextColor_ == textColor_) return;
  CloseGroup();
  std::string open = "<g font-family=\"" + FontFamily(fontValue_) + "\"";
  CElementText numbers;
  numbers.Put(" font-size=\"")
      .Integer(FontSizeOf(fontValue_))
      .Put("\" font-weight=\"")
      .Integer(FontWeightOf(fontValue_))
      .Put("\"");
  if (fontValue_.italic) numbers.Put(" font-style=\"italic\"");
  numbers.Put(" fill=\"").Color(textColor_).Put("\">\n");
  open.append(numbers.View());
  Append(open);
  group_ = Group::kText;
  groupFont_ = fontValue_;
  groupTextColor_ = textColor_;
}

// --- Fills -----------------------------------------------------------------------------------

void CSvgDC::WriteRect(const CRect& rect, ColorRef color) {
  CElementText element;
  element.Put("<rect x=\"")
      .Integer(rect.left)
      .Put("\" y=\"")
      .Integer(rect.top)
      .Put("\" width=\"")
      .Integer(static_cast<long long>(rect.right) - rect.left)
      .Put("\" height=\"")
      .Integer(static_cast<long long>(rect.bottom) - rect.top)
      .Put("\" fill=\"")
      .Color(color)
      .Put("\"/>\n");
  Append(element.View());
}

void CSvgDC::FillSolidRect(const CRect& rect, ColorRef color) {
  CRect normal = rect;
  normal.Normalize();
  if (normal.IsEmpty()) return;
  CloseGroup();
  WriteRect(normal, color);
}

void CSvgDC::FillSolidRect(int x, int y, int cx, int cy, ColorRef color) {
  FillSolidRect(CRect{x, y, x + cx, y + cy}, color);
}

bool CSvgDC::DrawCellBlock(std::span<const int> xStarts, std::span<const int> xEnds,
                           std::span<const int> yStarts, std::span<const int> yEnds,
                           std::span<const ColorRef> colors) {
  const size_t columns = xStarts.size();
  const size_t rows = yStarts.size();
  if (xEnds.size() != columns || yEnds.size() != rows || colors.size() != columns * rows) {
    return true;
  }
  for (size_t x = 0; x < columns; ++x) {
    for (size_t y = 0; y < rows; ++y) {
      const ColorRef color = colors[y * columns + x];
      if (color == kUnpaintedCell) continue;
      CRect cell{xStarts[x], yStarts[y], xEnds[x], yEnds[y]};
      cell.Normalize();
      if (cell.IsEmpty()) continue;
      EnterCells();
      WriteRect(cell, color);
    }
  }
  return true;
}

// --- Lines -----------------------------------------------------------------------------------

void CSvgDC::WriteLine(long long x1, long long y1, long long x2, long long y2) {
  CElementText element;
  element.Put("<line x1=\"").Half(x1).Put("\" y1=\"").Half(y1);
  element.Put("\" x2=\"").Half(x2).Put("\" y2=\"").Half(y2).Put("\"/>\n");
  Append(element.View());
}

void CSvgDC::DrawSegment(CPoint from, CPoint to) {
  if (from == to) return;
  EnterLines();
  const long long width = PenWidthOf(penValue_);
  const long long half = width / 2;
  if (penValue_.style == CPenStyle::kSolid && (from.x == to.x || from.y == to.y)) {
    // The pixels from the start up to the end, widened by half the width at both ends when the
    // pen is wide (square ends, so that lines meeting at a corner join).
    const long long extension = width > 1 ? half : 0;
    if (from.y == to.y) {
      const long long first = from.x < to.x ? from.x : to.x + 1LL;
      const long long last = from.x < to.x ? to.x - 1LL : from.x;
      const long long centre = 2 * (from.y - half) + width;
      WriteLine(2 * (first - extension), centre, 2 * (last + 1 + extension), centre);
    } else {
      const long long first = from.y < to.y ? from.y : to.y + 1LL;
      const long long last = from.y < to.y ? to.y - 1LL : from.y;
      const long long centre = 2 * (from.x - half) + width;
      WriteLine(centre, 2 * (first - extension), centre, 2 * (last + 1 + extension));
    }
    return;
  }
  // Other lines run between pixel centres.
  WriteLine(2LL * from.x + 1, 2LL * from.y + 1, 2LL * to.x + 1, 2LL * to.y + 1);
}

void CSvgDC::MoveTo(int x, int y) {
  current_ = {x, y};
}

void CSvgDC::LineTo(int x, int y) {
  DrawSegment(current_, {x, y});
  current_ = {x, y};
}

// --- Selections and colours ------------------------------------------------------------------

const CPen* CSvgDC::SelectPen(const CPen* pen) {
  if (!pen) return nullptr;
  const CPen* previous = pen_;
  pen_ = pen;
  penValue_ = *pen;
  return previous;
}

const CFont* CSvgDC::SelectFont(const CFont* font) {
  if (!font) return nullptr;
  const CFont* previous = font_;
  font_ = font;
  fontValue_ = *font;
  return previous;
}

void CSvgDC::SelectScreenFont(const CFont* font) {
  SelectFont(font);
}

ColorRef CSvgDC::SetBkColor(ColorRef color) {
  const ColorRef previous = background_;
  background_ = color;
  return previous;
}

ColorRef CSvgDC::SetTextColor(ColorRef color) {
  const ColorRef previous = textColor_;
  textColor_ = color;
  return previous;
}

unsigned CSvgDC::SetTextAlign(unsigned align) {
  const unsigned previous = align_;
  align_ = align;
  return previous;
}

// --- Text ------------------------------------------------------------------------------------

CSize CSvgDC::GetTextExtent(const std::string& text) {
  if (!measurer_) return CDevice::GetTextExtent(text);
  return measurer_->TextExtent(fontValue_, text);
}

void CSvgDC::WriteText(int x, int y, std::string_view text, unsigned align) {
  if (text.empty()) return;
  // The reference point is the top, the bottom or the baseline of the line.
  const int size = FontSizeOf(fontValue_);
  const int height = measurer_ ? measurer_->TextExtent(fontValue_, "").cy : size;
  const int ascent = measurer_ ? measurer_->Ascent(fontValue_) : size * 4 / 5;
  long long baseline = static_cast<long long>(y) + ascent;
  const unsigned vertical = align & kAlignVerticalMask;
  if (vertical == kAlignBaseline) {
    baseline = y;
  } else if (vertical == kAlignBottom) {
    baseline = static_cast<long long>(y) - (height - ascent);
  }
  EnterText();
  CElementText start;
  start.Put("<text x=\"").Integer(x).Put("\" y=\"").Integer(baseline).Put("\"");
  const unsigned horizontal = align & kAlignHorizontalMask;
  if (horizontal == kAlignCentre) {
    start.Put(" text-anchor=\"middle\"");
  } else if (horizontal == kAlignRight) {
    start.Put(" text-anchor=\"end\"");
  }
  start.Put(">");
  Append(start.View());
  std::string body;
  AppendSvgText(body, text);
  body.append("</text>\n");
  Append(body);
}

bool CSvgDC::TextOut(int x, int y, const std::string& text, bool) {
  WriteText(x, y, text, align_);
  return true;
}

void CSvgDC::TextOutTurned(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const int size = FontSizeOf(fontValue_);
  const int height = measurer_ ? measurer_->TextExtent(fontValue_, "").cy : size;
  const int ascent = measurer_ ? measurer_->Ascent(fontValue_) : size * 4 / 5;
  // In the turned frame the baseline lies (ascent − descent) / 2 below the anchor, centring
  // the glyphs on x once turned.
  const long long baseline = static_cast<long long>(y) + (ascent - (height - ascent)) / 2;
  EnterText();
  CElementText start;
  start.Put("<text x=\"").Integer(x).Put("\" y=\"").Integer(baseline);
  start.Put("\" transform=\"rotate(-90 ").Integer(x).Put(" ").Integer(y).Put(")\">");
  Append(start.View());
  std::string body;
  AppendSvgText(body, text);
  body.append("</text>\n");
  Append(body);
}

// The next tab position after x: every 8 average characters without stops, every stop with
// one, else the first listed stop beyond x (x itself past the last one), as on the screen.
int CSvgDC::NextTabStop(int x, int origin, int tabCount, const int* tabStops) const {
  const int relative = x - origin;
  int step = 0;
  if (tabCount <= 0 || !tabStops || (tabCount == 1 && tabStops[0] <= 0)) {
    const int average = measurer_ ? measurer_->TextExtent(fontValue_, "x").cx : 6;
    step = std::max(1, 8 * average);
  } else if (tabCount == 1) {
    step = tabStops[0];
  }
  if (step > 0) return origin + (relative / step + 1) * step;
  for (int k = 0; k < tabCount; ++k) {
    if (tabStops[k] > relative) return origin + tabStops[k];
  }
  return x;
}

void CSvgDC::TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                           const int* tabStops, int tabOrigin) {
  std::string_view rest = CountedText(text, count);
  const unsigned align = align_ & kAlignVerticalMask;  // pieces run from left to right
  int position = x;
  while (true) {
    const size_t tab = rest.find('\t');
    const std::string piece(rest.substr(0, tab));
    WriteText(position, y, piece, align);
    if (tab == std::string_view::npos) break;
    position = NextTabStop(position + GetTextExtent(piece).cx, tabOrigin, tabCount, tabStops);
    rest = rest.substr(tab + 1);
  }
}

CSize CSvgDC::GetTabbedTextExtent(const std::string& text, int count, int tabCount,
                                  const int* tabStops) {
  std::string_view rest = CountedText(text, count);
  int position = 0;
  int height = 0;
  while (true) {
    const size_t tab = rest.find('\t');
    const CSize piece = GetTextExtent(std::string(rest.substr(0, tab)));
    position += piece.cx;
    height = std::max(height, piece.cy);
    if (tab == std::string_view::npos) break;
    position = NextTabStop(position, 0, tabCount, tabStops);
    rest = rest.substr(tab + 1);
  }
  return {position, height};
}
