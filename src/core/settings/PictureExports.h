// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "settings/TreatmentSettings.h"

// The file a name given with a picture keyword stands for: the name itself for the formats that
// keep it, else the name cut at the first point of its file name plus the format's extension.
std::string PictureFileNameFor(const CExportFormat& format, const std::string& given);

// A picture keyword of `format` (with its file name, none for the clipboard). ExportFileFormat
// and exportFileName take it, as the single export of the automatic treatment; the picture
// keyword of another format that held them before keeps its file among the further exports,
// under the name it stood for. A format given again takes its last name only.
void ApplyPictureKeyword(TreatmentSettings& settings, EExportFormat format,
                         const std::string* given);
