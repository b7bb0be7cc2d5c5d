// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/RasterImage.h"

#include <cmath>
#include <cstring>

QImage ImageOverRaster(CRaster& raster) {
  QImage image(reinterpret_cast<uchar*>(raster.pixels.data()), raster.width, raster.height,
               static_cast<qsizetype>(raster.width) * 4, QImage::Format_RGB32);
  if (raster.dotsPerInch > 0) {
    const int dotsPerMetre = static_cast<int>(std::lround(raster.dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
  }
  return image;
}

CRaster RasterFromImage(const QImage& image) {
  const QImage source =
      image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
          ? image
          : image.convertToFormat(QImage::Format_RGB32);
  CRaster raster;
  if (!raster.Allocate(source.width(), source.height())) return {};
  raster.dotsPerInch = static_cast<int>(std::lround(source.dotsPerMeterX() * 0.0254));
  for (int y = 0; y < source.height(); ++y) {
    std::memcpy(raster.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(source.width()),
                source.constScanLine(y), static_cast<size_t>(source.width()) * 4);
  }
  return raster;
}
