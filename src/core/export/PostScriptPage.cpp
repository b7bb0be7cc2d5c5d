// SPDX-License-Identifier: GPL-3.0-or-later
// The prologue of the PostScript files. A page file keeps the A4 page at half scale of the
// program's PostScript pictures and shrinks only a picture that would overflow the page (so
// small pictures are written exactly as before, behind the structuring comments that let
// spoolers and viewers recognise the file). Costs O(1).
#include "export/PostScriptPage.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "render/NumberText.h"

namespace {

constexpr double kHalfScale = 0.5;

bool IsKnown(CSize picture) {
  return picture.cx > 0 && picture.cy > 0;
}

bool EndsWithEps(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return end == ".eps";
}

std::string Integer(long long value) {
  return IntegerText(value);
}

}  // namespace

CPostScriptPage PostScriptPageFor(CSize picture, const std::string& path) {
  return {picture, EndsWithEps(path)};
}

double PostScriptScale(const CPostScriptPage& page) {
  if (page.encapsulated) return 1.0;
  if (!IsKnown(page.picture)) return kHalfScale;
  const double fit = std::min(static_cast<double>(kA4WidthPoints) / page.picture.cx,
                              static_cast<double>(kA4HeightPoints) / page.picture.cy);
  if (fit >= kHalfScale) return kHalfScale;
  // Rounded down to what the scale line writes, so that the written scale still fits.
  return std::max(std::floor(fit * 1e6) / 1e6, 1e-6);
}

CRect PostScriptBoundingBox(const CPostScriptPage& page) {
  const CSize picture{std::max(page.picture.cx, 1), std::max(page.picture.cy, 1)};
  if (page.encapsulated) return {0, 0, picture.cx, picture.cy};
  if (!IsKnown(page.picture)) return {0, 0, kA4WidthPoints, kA4HeightPoints};
  const double scale = PostScriptScale(page);
  const int right = std::min(kA4WidthPoints, static_cast<int>(std::ceil(picture.cx * scale)));
  const int bottom =
      std::max(0, static_cast<int>(std::floor(kA4HeightPoints - picture.cy * scale)));
  return {0, bottom, right, kA4HeightPoints};
}

std::string PostScriptPrologue(const CPostScriptPage& page) {
  const CRect box = PostScriptBoundingBox(page);
  const std::string scale = FixedText(PostScriptScale(page), 6);
  std::string text = page.encapsulated ? "%!PS-Adobe-3.0 EPSF-3.0\n" : "%!PS-Adobe-3.0\n";
  text += "%%Creator: Quorvel\n";
  text += "%%BoundingBox: " + Integer(box.left) + " " + Integer(box.top) + " " +
          Integer(box.right) + " " + Integer(box.bottom) + "\n";
  if (!page.encapsulated) text += "%%Pages: 1\n";
  text += "%%EndComments\n";
  if (page.encapsulated) {
    const std::string width = Integer(box.right), height = Integer(box.bottom);
    text += "0 " + height + " translate\n\n";
    text += scale + " " + scale + " scale\n\n";
    // The marker boxes under the texts lie above the picture: nothing outside it shows.
    text += "newpath 0 0 moveto " + width + " 0 lineto " + width + " -" + height + " lineto 0 -" +
            height + " lineto closepath clip newpath\n\n";
  } else {
    text += "%%Page: 1 1\n";
    text += "<< /PageSize [" + Integer(kA4WidthPoints) + " " + Integer(kA4HeightPoints) +
            "] >> setpagedevice\n";
    text += "0 " + Integer(kA4HeightPoints) + " translate\n\n";
    text += scale + " " + scale + " scale\n\n";
  }
  text +=
      "/rightshow\n{dup stringwidth pop\nIX exch sub\nIY moveto\nshow} def\n\n"
      "/centshow\n{dup stringwidth pop\n2 div\nIX exch sub\nIY moveto\nshow} def\n\n"
      "/leftshow\n{IX IY moveto show} def\n\n";
  return text;
}
