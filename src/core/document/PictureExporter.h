#pragma once

#include <string>

class CViewModel;

// Draws a window's picture into a file or onto the clipboard. The desktop program and the batch
// run give the document the same implementation over the screen device; tests may give none.
class CPictureExporter {
 public:
  virtual ~CPictureExporter() = default;
  // `format` as ExportFileFormat: 2 JPEG, 3 PostScript, 4 BMP, 5 PNG, 6 PDF, 7 SVG. False with a
  // reason (naming the file) when nothing could be written, or with an empty reason when the
  // failure was reported already (the bitmap that could not be created).
  virtual bool ExportToFile(CViewModel& view, int format, const std::string& path,
                            std::string* error) = 0;
  virtual bool CopyToClipboard(CViewModel& view, std::string* error) = 0;
};
