#pragma once

#include <string>

struct CExportFormat;

// Names of the files a picture is exported to, as typed in a save dialog.

// A name typed without an extension gets the format's, as file dialogs do ("exp" → "exp.png").
std::string CompletedExportName(const std::string& chosen, const CExportFormat& format);

// The file format whose extension ends the name ("e.bmp" → BMP; ".eps" → PostScript), compared
// without regard to case; null when the name carries no extension of a file format.
const CExportFormat* ExportFormatNamedBy(const std::string& path);
