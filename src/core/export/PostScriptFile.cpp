// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PostScriptFile.h"

#include "base/AtomicFile.h"
#include "export/ExportFile.h"
#include "export/PostScriptDC.h"

bool WritePostScript(const std::string& path, const std::function<void(CPostScriptDC&)>& draw,
                     std::string* error, const CPostScriptPage& page) {
  CAtomicFile file(path);
  const bool opened = file.Error().empty();
  if (opened) {
    CPostScriptDC device(file, page);
    draw(device);
    if (device.Finish() && file.Commit()) return true;
  }
  if (error) *error = ExportFileFailure(file, opened);
  return false;
}
