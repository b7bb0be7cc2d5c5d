#pragma once

#include <QImage>
#include <string>

#include "render/Raster.h"

class CHeatMapPicture;

// Why an export wrote nothing: the off-screen bitmap could not be created (the program's
// allocation message applies), or a file message ("Opening %s failed: %s" and the like).
struct CExportFailure {
  bool bitmapAllocation = false;
  std::string message;
};

// Draws the picture (laid out beforehand) at its zoom into an off-screen raster as large as the
// zoomed picture (at least one pixel). False when the raster cannot be reserved.
bool RenderPictureRaster(CHeatMapPicture& picture, CRaster& raster);

// The same picture as an image, for the clipboard; a null image when it cannot be reserved.
QImage RenderPicture(CHeatMapPicture& picture);

// Writes the picture to `path` in `format` (ExportFileFormat: 2 JPEG, 3 PostScript, 4 BMP,
// 5 PNG, 6 PDF, 7 SVG), completely or not at all.
bool ExportPicture(CHeatMapPicture& picture, int format, const std::string& path,
                   CExportFailure* failure);
