// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PicturePostScript.h"

#include <algorithm>

#include "export/PostScriptDC.h"
#include "export/PostScriptFile.h"
#include "render/HeatMapPicture.h"

CSize PostScriptPictureExtent(CHeatMapPicture& picture) {
  CPostScriptDC measure{CPostScriptDC::CMeasureOnly{}};
  picture.DrawPicture(measure, false);
  const CSize size = picture.PictureSize();
  const CRect drawn = measure.DrawnExtent();
  // A stroked path reaches half a line width (one unit) beyond its points.
  return {std::max(size.cx, drawn.right + 1), std::max(size.cy, drawn.bottom + 1)};
}

bool WritePicturePostScript(CHeatMapPicture& picture, const std::string& path, std::string* error) {
  const CPostScriptPage page = PostScriptPageFor(PostScriptPictureExtent(picture), path);
  return WritePostScript(
      path, [&](CPostScriptDC& device) { picture.DrawPicture(device, false); }, error, page);
}
