#include "settings/ExportFileName.h"

#include "base/FileNames.h"
#include "settings/Choices.h"

std::string CommandLineExportName(const CExportFormat& format, std::string_view given) {
  if (format.code == kSvgExportFormat) return std::string(given);
  return WithExtension(given, format.extension);
}
