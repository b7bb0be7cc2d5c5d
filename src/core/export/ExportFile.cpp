// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ExportFile.h"

#include "base/AtomicFile.h"
#include "base/Text.h"

std::string OpeningFailedMessage(const std::string& path, const std::string& reason) {
  return Format("Opening %s failed: %s", path.c_str(), reason.c_str());
}

std::string ExportFileFailure(const CAtomicFile& file, bool opened) {
  if (!opened) return OpeningFailedMessage(file.Path(), file.Error());
  return Format("Writing %s failed: %s", file.Path().c_str(), file.Error().c_str());
}

bool SaveExportFile(const std::string& path, std::string_view bytes, std::string* error) {
  CAtomicFile file(path);
  // The temporary file is created at once; a reason before any write means it could not be.
  const bool opened = file.Error().empty();
  if (opened && file.Write(bytes) && file.Commit()) return true;
  if (error) *error = ExportFileFailure(file, opened);
  return false;
}
