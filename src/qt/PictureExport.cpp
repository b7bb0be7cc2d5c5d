// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/PictureExport.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>

#include "export/BmpWriter.h"
#include "export/ExportFile.h"
#include "export/JpegWriter.h"
#include "export/PicturePostScript.h"
#include "export/PictureSvg.h"
#include "qt/QtTextMeasurer.h"
#include "qt/RasterImage.h"
#include "qt/ScreenDC.h"
#include "render/HeatMapPicture.h"
#include "render/Zoom.h"

namespace {

CSize PictureTotal(const CHeatMapPicture& picture) {
  const CSize total = picture.PictureSize();
  return {std::max(total.cx, 1), std::max(total.cy, 1)};
}

bool Fail(CExportFailure* failure, std::string message, bool allocation = false) {
  if (failure) {
    failure->bitmapAllocation = allocation;
    failure->message = std::move(message);
  }
  return false;
}

bool WriteEncoded(const QByteArray& bytes, const std::string& path, CExportFailure* failure) {
  std::string error;
  if (!SaveExportFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                      &error)) {
    return Fail(failure, error);
  }
  return true;
}

bool ExportPdf(CHeatMapPicture& picture, const std::string& path, CExportFailure* failure,
               const CRasterOptions&) {
  const CSize total = PictureTotal(picture);
  const double scale = PdfPageScale(total);
  CSize page = ZoomedSize(total, scale);
  page.cx = std::clamp(page.cx, 1, kMaximumPdfPagePoints);
  page.cy = std::clamp(page.cy, 1, kMaximumPdfPagePoints);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(page.cx, page.cy), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    CScreenDC device(painter, true);
    device.PrepareZoom(total, scale, {0, 0});
    picture.DrawPicture(device, false);
  }
  return WriteEncoded(bytes, path, failure);
}

}  // namespace

double PdfPageScale(CSize total) {
  const int longest = std::max({total.cx, total.cy, 1});
  if (longest <= kMaximumPdfPagePoints) return 1.0;
  return static_cast<double>(kMaximumPdfPagePoints) / longest;
}

bool RenderPictureRaster(CHeatMapPicture& picture, CRaster& raster, const CRasterOptions& options) {
  const CSize total = PictureTotal(picture);
  const int dotsPerInch = options.dotsPerInch > 0 ? options.dotsPerInch : kScreenDotsPerInch;
  // The resolution scales the picture as the zoom does; the layout stays the zoom's.
  const double zoom = picture.Input().zoom * dotsPerInch / kScreenDotsPerInch;
  CSize device = ZoomedSize(total, zoom);
  device.cx = std::max(device.cx, 1);
  device.cy = std::max(device.cy, 1);
  if (!raster.Allocate(device.cx, device.cy, 0xFFFFFFFFu)) return false;
  raster.dotsPerInch = dotsPerInch;
  QImage image = ImageOverRaster(raster);
  QPainter painter(&image);
  CScreenDC screen(painter, false);
  screen.PrepareZoom(total, zoom, {0, 0});
  picture.DrawPicture(screen, false);
  return true;
}

QImage RenderPicture(CHeatMapPicture& picture) {
  CRaster raster;
  if (!RenderPictureRaster(picture, raster)) return {};
  return ImageOverRaster(raster).copy();
}

namespace {

// The bitmap formats draw into an off-screen raster first.
template <bool (*Encode)(CRaster&, const std::string&, CExportFailure*, const CRasterOptions&)>
bool WriteRasterPicture(CHeatMapPicture& picture, const std::string& path, CExportFailure* failure,
                        const CRasterOptions& options) {
  CRaster raster;
  if (!RenderPictureRaster(picture, raster, options)) {
    return Fail(failure, "Insufficient memory to create the bitmap!", true);
  }
  return Encode(raster, path, failure, options);
}

// A JPEG file records a chosen resolution as its density; without one it keeps 1 by 1.
bool EncodeJpeg(CRaster& raster, const std::string& path, CExportFailure* failure,
                const CRasterOptions& options) {
  std::string error;
  const int density = options.dotsPerInch > 0 ? options.dotsPerInch : 1;
  return WriteJpeg(raster, path, &error, density) || Fail(failure, error);
}

bool EncodeBmp(CRaster& raster, const std::string& path, CExportFailure* failure,
               const CRasterOptions&) {
  std::string error;
  return WriteBmp(raster, path, &error) || Fail(failure, error);
}

bool EncodePng(CRaster& raster, const std::string& path, CExportFailure* failure,
               const CRasterOptions&) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!ImageOverRaster(raster).save(&buffer, "PNG")) {
    return Fail(failure, "Writing " + path + " failed: the PNG encoder refused the image");
  }
  return WriteEncoded(bytes, path, failure);
}

bool WritePostScript(CHeatMapPicture& picture, const std::string& path, CExportFailure* failure,
                     const CRasterOptions&) {
  std::string error;
  return WritePicturePostScript(picture, path, &error) || Fail(failure, error);
}

// The SVG text is placed by the measures of the screen's fonts.
bool WriteSvg(CHeatMapPicture& picture, const std::string& path, CExportFailure* failure,
              const CRasterOptions&) {
  const CQtTextMeasurer measurer;
  std::string error;
  return WritePictureSvg(picture, path, &measurer, &error) || Fail(failure, error);
}

// One row per file format this program writes.
struct CPictureWriter {
  EExportFormat format;
  bool (*write)(CHeatMapPicture& picture, const std::string& path, CExportFailure* failure,
                const CRasterOptions& options);
};
constexpr std::array kWriters{
    CPictureWriter{EExportFormat::kJpeg, WriteRasterPicture<EncodeJpeg>},
    CPictureWriter{EExportFormat::kPostScript, WritePostScript},
    CPictureWriter{EExportFormat::kBmp, WriteRasterPicture<EncodeBmp>},
    CPictureWriter{EExportFormat::kPng, WriteRasterPicture<EncodePng>},
    CPictureWriter{EExportFormat::kPdf, ExportPdf},
    CPictureWriter{EExportFormat::kSvg, WriteSvg},
};

}  // namespace

bool ExportPicture(CHeatMapPicture& picture, EExportFormat format, const std::string& path,
                   CExportFailure* failure, const CRasterOptions& options) {
  if (picture.TooLarge()) {
    return Fail(failure, "Exporting to " + path + " failed: " + kTooLargeText);
  }
  for (const CPictureWriter& writer : kWriters) {
    if (writer.format == format) return writer.write(picture, path, failure, options);
  }
  return Fail(failure,
              "Export format " + std::to_string(CodeOf(format)) + " cannot be written to " + path);
}
