// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "render/Raster.h"

// An image that draws straight into the raster's pixels. The raster must outlive the image and
// keep its size while the image is in use.
QImage ImageOverRaster(CRaster& raster);

// A copy of `image` as a raster of 32-bit pixels; its resolution in dots per inch from the
// image's dots per metre.
CRaster RasterFromImage(const QImage& image);
