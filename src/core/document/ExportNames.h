// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

struct CExportFormat;

// Names of the files a picture is exported to, as typed in a save dialog.

// A name typed without an extension gets the format's, as file dialogs do ("exp" → "exp.png").
std::string CompletedExportName(const std::string& chosen, const CExportFormat& format);

// The file format whose extension ends the name ("e.bmp" → BMP; ".eps" → PostScript), compared
// without regard to case; null when the name carries no extension of a file format.
const CExportFormat* ExportFormatNamedBy(const std::string& path);

// Where the settings store keeps the folder the last picture was exported to, across runs.
inline constexpr const char* kExportSection = "Export";
inline constexpr const char* kExportFolderKey = "Last Folder";

// The name proposed for a document's first export: the proposed file name in `folder` (the
// last export's folder) when that folder still exists, else `proposed` as it is.
std::string InLastExportFolder(const std::string& proposed, const std::string& folder);
// The folder of an exported file, absolute ("" for a name without one that cannot be made so).
std::string ExportFolderOf(const std::string& path);
