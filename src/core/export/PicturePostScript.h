// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/Geometry.h"

class CHeatMapPicture;

// How far the picture reaches when drawn in PostScript, in layout units from its top-left
// corner: at least its layout size, more where its PostScript texts run further (the report's
// indented lines start 150 units right of their place on the screen). Runs a drawing pass.
CSize PostScriptPictureExtent(CHeatMapPicture& picture);

// Writes the picture (laid out beforehand) as a PostScript file, every drawing operation of its
// drawing pass turned into PostScript text: one A4 page at half scale (a picture too large for
// it shrunk to fit), or, for a name ending in ".eps", the picture alone at full size with its
// own bounding box (both from PostScriptPictureExtent). The file is replaced only once everything
// was written; on failure returns false with the reason in `error`.
bool WritePicturePostScript(CHeatMapPicture& picture, const std::string& path, std::string* error);
