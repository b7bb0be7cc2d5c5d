// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PictureSvg.h"

#include <algorithm>

#include "export/SvgDC.h"
#include "export/SvgFile.h"
#include "render/HeatMapPicture.h"
#include "render/Zoom.h"

bool WritePictureSvg(CHeatMapPicture& picture, const std::string& path,
                     const CTextMeasurer* measurer, std::string* error) {
  const CSize size = picture.PictureSize();
  const CSize total{std::max(size.cx, 1), std::max(size.cy, 1)};
  // The bitmap export's size: the picture at its zoom, at least one pixel.
  CSize display = ZoomedSize(total, picture.Input().zoom);
  display.cx = std::max(display.cx, 1);
  display.cy = std::max(display.cy, 1);
  return WriteSvg(
      path, total, display, measurer, [&](CSvgDC& device) { picture.DrawPicture(device, false); },
      error);
}
