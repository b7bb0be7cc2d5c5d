// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "export/PostScriptPage.h"

class CPostScriptDC;

// Runs `draw` on a PostScript device whose text goes to `path`, replacing the file only once
// everything was written. On failure returns false with "Opening %s failed: %s" or
// "Writing %s failed: %s" in `error`, and the old file (or none) stays. `page` places the
// picture (the whole A4 page at half scale when it is not given).
bool WritePostScript(const std::string& path, const std::function<void(CPostScriptDC&)>& draw,
                     std::string* error, const CPostScriptPage& page = {});
