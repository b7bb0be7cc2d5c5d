// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PictureExporter.h"

// The picture exporter of the program and of the batch run: lays the window's picture out with
// the platform's text measurement and writes it through the PostScript device or an off-screen
// bitmap; the clipboard gets the bitmap. A bitmap that cannot be created is reported with the
// program's allocation message through the document's services.
class CQtPictureExporter : public CPictureExporter {
 public:
  bool ExportToFile(CViewModel& view, EExportFormat format, const std::string& path,
                    std::string* error) override;
  bool CopyToClipboard(CViewModel& view, std::string* error) override;
};
