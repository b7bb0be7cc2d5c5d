// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "render/Raster.h"

// Puts a picture on the clipboard as an image.
void PutImageOnClipboard(const QImage& image);
void PutRasterOnClipboard(const CRaster& raster);

// The raster as an image of its own (a copy of the pixels); a null image when the raster does
// not hold width × height pixels.
QImage ImageFromRaster(const CRaster& raster);
