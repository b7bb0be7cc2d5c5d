// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <string>

#include "render/Raster.h"
#include "settings/Choices.h"

class CHeatMapPicture;

// Why an export wrote nothing: the off-screen bitmap could not be created (the program's
// allocation message applies), or a file message ("Opening %s failed: %s" and the like).
struct CExportFailure {
  bool bitmapAllocation = false;
  std::string message;
};

// How the bitmap files are made: the resolution they are drawn at and record, in dots per inch.
// 0 is the screen's 96 dots per inch with the files' usual records (a JPEG file then keeps its
// density of 1 by 1); N draws the picture N / 96 times larger and records N in the file.
struct CRasterOptions {
  int dotsPerInch = 0;
};

// The screen's resolution: a picture at zoom 1 is one pixel per layout unit.
inline constexpr int kScreenDotsPerInch = 96;

// Draws the picture (laid out beforehand) at its zoom into an off-screen raster as large as the
// zoomed picture (at least one pixel), scaled for the options' resolution, which the raster
// records. False when the raster cannot be reserved.
bool RenderPictureRaster(CHeatMapPicture& picture, CRaster& raster,
                         const CRasterOptions& options = {});

// The same picture as an image, for the clipboard; a null image when it cannot be reserved.
QImage RenderPicture(CHeatMapPicture& picture);

// Writes the picture to `path` in a file format (JPEG, PostScript, BMP, PNG, PDF), completely or
// not at all. The bitmap formats follow `options`. A PDF page is the picture at one point per
// layout unit, shrunk when a side would pass the 14,400 points that PDF readers accept.
bool ExportPicture(CHeatMapPicture& picture, EExportFormat format, const std::string& path,
                   CExportFailure* failure, const CRasterOptions& options = {});

// The largest side of a PDF page, in points, and the scale that keeps a picture of `total`
// layout units within it (1 when it fits).
inline constexpr int kMaximumPdfPagePoints = 14400;
double PdfPageScale(CSize total);
