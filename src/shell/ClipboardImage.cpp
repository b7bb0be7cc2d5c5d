// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ClipboardImage.h"

#include <QClipboard>
#include <QGuiApplication>

QImage ImageFromRaster(const CRaster& raster) {
  if (!raster.IsComplete() || raster.width <= 0 || raster.height <= 0) return QImage();
  // The raster's pixels are 0xXXRRGGBB words, the layout of Format_RGB32.
  const QImage view(reinterpret_cast<const uchar*>(raster.pixels.data()), raster.width,
                    raster.height, static_cast<qsizetype>(raster.width) * 4, QImage::Format_RGB32);
  QImage image = view.copy();
  if (raster.dotsPerInch > 0) {
    const int dotsPerMeter = static_cast<int>(raster.dotsPerInch * 39.37 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
  }
  return image;
}

void PutImageOnClipboard(const QImage& image) {
  QGuiApplication::clipboard()->setImage(image);
}

void PutRasterOnClipboard(const CRaster& raster) {
  PutImageOnClipboard(ImageFromRaster(raster));
}
