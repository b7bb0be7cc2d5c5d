// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/SvgFile.h"

#include "base/AtomicFile.h"
#include "export/ExportFile.h"
#include "export/SvgDC.h"

bool WriteSvg(const std::string& path, CSize picture, CSize display, const CTextMeasurer* measurer,
              const std::function<void(CSvgDC&)>& draw, std::string* error) {
  CAtomicFile file(path);
  const bool opened = file.Error().empty();
  if (opened) {
    CSvgDC device(picture, display, measurer, file);
    draw(device);
    if (device.Finish() && file.Commit()) return true;
  }
  if (error) *error = ExportFileFailure(file, opened);
  return false;
}
