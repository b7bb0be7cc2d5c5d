// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class CAtomicFile;

// "Opening %s failed: %s" with the file name and the system's reason.
std::string OpeningFailedMessage(const std::string& path, const std::string& reason);

// Replaces `path` by `bytes` completely or not at all (a device, pipe or the standard output is
// written through: see base/AtomicFile.h). On failure returns false and sets
// `error` to "Opening %s failed: %s" when the file could not be created, else to
// "Writing %s failed: %s".
bool SaveExportFile(const std::string& path, std::string_view bytes, std::string* error);

// The message for a failure of `file` (see SaveExportFile); `opened` tells whether the file
// had been created.
std::string ExportFileFailure(const CAtomicFile& file, bool opened);
