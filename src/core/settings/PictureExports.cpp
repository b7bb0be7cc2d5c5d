// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PictureExports.h"

#include <algorithm>

#include "base/FileNames.h"

std::string PictureFileNameFor(const CExportFormat& format, const std::string& given) {
  if (given.empty() || format.keepsGivenName) return given;
  return WithExtension(given, format.extension);
}

void ApplyPictureKeyword(TreatmentSettings& settings, EExportFormat format,
                         const std::string* given) {
  std::vector<CPictureExportRequest>& further = settings.furtherPictureExports;
  const EExportFormat before = settings.ExportFileFormat;
  if (before != format && before != EExportFormat::kClipboard && !settings.exportFileName.empty()) {
    if (const CExportFormat* held = FindExportFormat(before)) {
      std::erase_if(further, [before](const auto& request) { return request.format == before; });
      further.push_back({before, PictureFileNameFor(*held, settings.exportFileName)});
    }
  }
  std::erase_if(further, [format](const auto& request) { return request.format == format; });
  settings.ExportFileFormat = format;
  if (given) settings.exportFileName = *given;
}
