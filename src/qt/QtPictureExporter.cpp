// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtPictureExporter.h"

#include <QClipboard>
#include <QGuiApplication>

#include "base/Failure.h"
#include "base/Services.h"
#include "document/PictureInputOf.h"
#include "document/QuorvelDoc.h"
#include "document/ViewModel.h"
#include "qt/PictureExport.h"
#include "qt/QtTextMeasurer.h"
#include "render/HeatMapPicture.h"

namespace {

// The allocation message is the whole report: the error text stays empty so that callers do
// not show a second message.
void ReportBitmapFailure(CViewModel& view, std::string* error) {
  view.Document().Services().ShowWarning(CWarning::FromTable(3));
  if (error) error->clear();
}

}  // namespace

bool CQtPictureExporter::ExportToFile(CViewModel& view, EExportFormat format,
                                      const std::string& path, std::string* error) {
  if (view.Document().data == nullptr) {
    if (error) *error = "No data to export to " + path;
    return false;
  }
  CHeatMapPicture picture(MakePictureInput(view));
  CQtTextMeasurer measurer;
  picture.RecomputeLayout(measurer);
  CExportFailure failure;
  CRasterOptions options;
  options.dotsPerInch = view.Document().settings.exportDotsPerInch;
  if (ExportPicture(picture, format, path, &failure, options)) return true;
  if (failure.bitmapAllocation) {
    ReportBitmapFailure(view, error);
  } else if (error) {
    *error = failure.message;
  }
  return false;
}

bool CQtPictureExporter::CopyToClipboard(CViewModel& view, std::string* error) {
  if (view.Document().data == nullptr) return false;
  CHeatMapPicture picture(MakePictureInput(view));
  CQtTextMeasurer measurer;
  picture.RecomputeLayout(measurer);
  if (picture.TooLarge()) {
    if (error) *error = kTooLargeText;
    return false;
  }
  const QImage image = RenderPicture(picture);
  if (image.isNull()) {
    ReportBitmapFailure(view, error);
    return false;
  }
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
  return true;
}
