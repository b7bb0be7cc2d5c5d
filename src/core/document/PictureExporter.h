// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "settings/Choices.h"

class CViewModel;

// The choice of the export dialog: a format, and for PostScript the final size in millimetres.
struct CExportChoice {
  EExportFormat format = EExportFormat::kClipboard;
  double widthMm = 0.0;
  double heightMm = 0.0;
};

// Draws a window's picture into a file or onto the clipboard. The desktop program and the batch
// run give the document the same implementation over the screen device; tests may give none.
class CPictureExporter {
 public:
  virtual ~CPictureExporter() = default;
  // Writes the picture in a file format. False with a reason (naming the file) when nothing
  // could be written, or with an empty reason when the failure was reported already (the
  // bitmap that could not be created).
  virtual bool ExportToFile(CViewModel& view, EExportFormat format, const std::string& path,
                            std::string* error) = 0;
  virtual bool CopyToClipboard(CViewModel& view, std::string* error) = 0;
};
