// SPDX-License-Identifier: GPL-3.0-or-later
// PostScript text of the drawing operations. Every number is written without the locale
// (integers and fixed-point colour components with points), every string through
// PostScriptString. Each operation costs time linear in what it writes; the text is held in
// memory, or in blocks of 1 MB when it streams to a file.
#include "export/PostScriptDC.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "export/PostScriptText.h"
#include "export/TimesRomanWidths.h"
#include "render/NumberText.h"

namespace {

// Blocks of this size go to the file as they fill.
constexpr size_t kFlushSize = 1 << 20;

}  // namespace

CPostScriptDC::CPostScriptDC(const CPostScriptPage& page) {
  Append(PostScriptPrologue(page));
}

CPostScriptDC::CPostScriptDC(CAtomicFile& file, const CPostScriptPage& page) : CPostScriptDC(page) {
  file_ = &file;
}

CPostScriptDC::CPostScriptDC(CMeasureOnly) : measuring_(true) {}

void CPostScriptDC::Cover(long long left, long long top, long long right, long long bottom) {
  const auto clamp = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
  };
  const CRect area{clamp(left), clamp(top), clamp(right), clamp(bottom)};
  if (!covered_) {
    drawn_ = area;
    covered_ = true;
    return;
  }
  drawn_.left = std::min(drawn_.left, area.left);
  drawn_.top = std::min(drawn_.top, area.top);
  drawn_.right = std::max(drawn_.right, area.right);
  drawn_.bottom = std::max(drawn_.bottom, area.bottom);
}

void CPostScriptDC::Append(std::string_view text) {
  if (measuring_) return;
  out_.append(text);
  if (file_ && out_.size() >= kFlushSize) {
    if (!file_->Write(out_)) writeFailed_ = true;
    out_.clear();
  }
}

bool CPostScriptDC::Finish() {
  if (!finished_) {
    Append(kPostScriptEnd);
    finished_ = true;
  }
  if (file_ && !out_.empty()) {
    if (!file_->Write(out_)) writeFailed_ = true;
    out_.clear();
  }
  return !writeFailed_;
}

void CPostScriptDC::AppendInteger(long long value) {
  Append(IntegerText(value));
}

void CPostScriptDC::AppendPoint(long long x, long long y, std::string_view operatorLine) {
  if (measuring_) {
    Cover(x, -y, x, -y);
    return;
  }
  AppendInteger(x);
  Append(" ");
  AppendInteger(y);
  Append(operatorLine);
}

// "%.8f %.8f %.8f setrgbcolor\n", built without the locale so that it always has points.
void CPostScriptDC::ColorLine(ColorRef color) {
  if (measuring_) return;
  std::string line = FixedText(RedOf(color) / 255.0, 8) + " " +
                     FixedText(GreenOf(color) / 255.0, 8) + " " +
                     FixedText(BlueOf(color) / 255.0, 8) + " setrgbcolor\n";
  const size_t checked = std::min<size_t>(line.size(), 100);
  std::replace(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(checked), ',', '.');
  Append(line);
}

void CPostScriptDC::PathOfCorners(const CRect& rect) {
  const long long l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  Append("newpath\n");
  AppendPoint(l, -t, " moveto\n");
  AppendPoint(r, -t, " lineto\n");
  AppendPoint(r, -b, " lineto\n");
  AppendPoint(l, -b, " lineto\n");
  Append("closepath\n");
}

void CPostScriptDC::Stroke() {
  Append("stroke");
}

void CPostScriptDC::DrawLine(int x1, int y1, int x2, int y2) {
  Append("newpath\n");
  AppendPoint(x1, -static_cast<long long>(y1), " moveto\n");
  AppendPoint(x2, -static_cast<long long>(y2), " lineto\n");
  Append("stroke\n");
}

void CPostScriptDC::DrawRectangle(const CRect& rect) {
  PathOfCorners(rect);
  Append("stroke\n");
}

void CPostScriptDC::DrawZoneFrames(std::span<const CRect, kZoneCount> zones) {
  for (const CRect& zone : zones)
    DrawRectangle(zone);
}

void CPostScriptDC::FillSolidRect(const CRect& rect, ColorRef color) {
  ColorLine(color);
  PathOfCorners(rect);
  Append("fill\n");
}

void CPostScriptDC::FillSolidRect(int x, int y, int cx, int cy, ColorRef color) {
  FillSolidRect(CRect{x, -y, x + cx - 1, 1 - y - cy}, color);
}

void CPostScriptDC::MoveTo(int x, int y) {
  Append("newpath\n");
  AppendPoint(x, -static_cast<long long>(y), " moveto\n");
}

void CPostScriptDC::LineTo(int x, int y) {
  AppendPoint(x, -static_cast<long long>(y), " lineto\n");
}

const CPen* CPostScriptDC::SelectPen(const CPen* pen) {
  if (pen) ColorLine(pen->color);
  return pen;
}

const CFont* CPostScriptDC::SelectFont(const CFont* font) {
  if (!font) return nullptr;
  fontSize_ = font->Size();
  Append("/");
  Append(kTextFontFace);
  Append(" findfont\n");
  AppendInteger(fontSize_);
  Append(" scalefont\nsetfont\n");
  return font;
}

ColorRef CPostScriptDC::SetBkColor(ColorRef color) {
  const ColorRef previous = background_;
  background_ = color;
  ColorLine(color);
  return previous;
}

ColorRef CPostScriptDC::SetTextColor(ColorRef color) {
  const ColorRef previous = textColor_;
  textColor_ = color;
  ColorLine(color);
  return previous;
}

unsigned CPostScriptDC::SetTextAlign(unsigned align) {
  show_ = Show::kLeft;
  horizontalAlign_ = kAlignLeft;
  verticalMode_ = kAlignBottom;
  if (align == 0) {
    verticalMode_ = 0;
  } else if (align == kAlignRight) {
    horizontalAlign_ = kAlignRight;
    show_ = Show::kRight;
  } else if (align == kAlignCentre) {
    horizontalAlign_ = kAlignCentre;
    show_ = Show::kCentre;
  }
  return align;
}

// "/IX %d def /IY %d def (%s) leftshow\n" and its centre and right forms.
void CPostScriptDC::ShowLine(long long x, long long y, std::string_view body,
                             std::string_view text) {
  if (measuring_) {
    // The baseline is at −y; the glyphs reach a font size above it and a quarter below.
    const long long width = static_cast<long long>(TimesRomanWidth(text)) * fontSize_ / 1000 + 1;
    long long left = x;
    if (show_ == Show::kCentre) left -= width / 2;
    if (show_ == Show::kRight) left -= width;
    Cover(left, -y - fontSize_, left + width, -y + (fontSize_ + 3) / 4);
    return;
  }
  Append("/IX ");
  AppendInteger(x);
  Append(" def /IY ");
  AppendInteger(y);
  Append(" def (");
  Append(body);
  switch (show_) {
    case Show::kLeft:
      Append(") leftshow\n");
      break;
    case Show::kCentre:
      Append(") centshow\n");
      break;
    case Show::kRight:
      Append(") rightshow\n");
      break;
  }
}

bool CPostScriptDC::TextOut(int x, int y, const std::string& text, bool indent) {
  const int fs = fontSize_;
  switch (horizontalAlign_) {
    case kAlignLeft:
      FillSolidRect(x, y, fs - 5, fs - 3, kTextMarkerColor);
      break;
    case kAlignRight:
      FillSolidRect(x - fs, y, fs - 5, fs - 3, kTextMarkerColor);
      break;
    case kAlignCentre:
      FillSolidRect(x - fs / 2, y, fs - 2, fs - 3, kTextMarkerColor);
      break;
    default:
      break;
  }
  const std::string body = measuring_ ? std::string() : PostScriptString(text);
  ColorLine(textColor_);
  ShowLine(indent ? static_cast<long long>(x) + 150 : x, 2LL - fs - y, body, text);
  return true;
}

void CPostScriptDC::TextOutTurned(int x, int y, const std::string& text) {
  const int fs = fontSize_;
  if (measuring_) {
    const long long length = static_cast<long long>(TimesRomanWidth(text)) * fs / 1000 + 1;
    Cover(x - fs / 2, y - length, x + fs / 2 + 1, y);
    return;
  }
  ColorLine(textColor_);
  Append("gsave\n");
  AppendPoint(x, -static_cast<long long>(y), " translate\n90 rotate\n");
  // Times-Roman's lower case runs from about −0.22 to 0.68 of the size: a baseline 0.3 of the
  // size right of x centres it there.
  AppendPoint(0, -(3LL * fs / 10), " moveto\n(");
  Append(PostScriptString(text));
  Append(") show\ngrestore\n");
}

void CPostScriptDC::TabbedTextOut(int x, int y, const std::string& text, int count, int tabCount,
                                  const int* tabStops, int) {
  std::string_view rest(text);
  if (count >= 0 && static_cast<size_t>(count) < rest.size()) rest = rest.substr(0, count);
  const int step = tabStops && tabCount > 0 ? tabStops[0] : 0;
  const long long pieceY = verticalMode_ == kAlignBottom ? 2LL + y - fontSize_ : y;
  long long pieceX = x;
  while (!rest.empty()) {
    const size_t tab = rest.find('\t');
    const std::string_view piece = rest.substr(0, tab);
    ShowLine(pieceX, -pieceY, measuring_ ? std::string() : PostScriptString(piece), piece);
    pieceX += step;
    rest = tab == std::string_view::npos ? std::string_view{} : rest.substr(tab + 1);
  }
}
