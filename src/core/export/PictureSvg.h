// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CHeatMapPicture;
class CTextMeasurer;

// Writes the picture (laid out beforehand) as an SVG file: the view box is the picture in
// layout units, shown at the size of the picture at its zoom, every drawing operation of its
// drawing pass turned into SVG elements. `measurer` should be the one the layout used, so that
// texts are placed as on the screen (null: texts measure 12 by 12). The file is replaced only
// once everything was written; on failure returns false with the reason in `error`.
bool WritePictureSvg(CHeatMapPicture& picture, const std::string& path,
                     const CTextMeasurer* measurer, std::string* error);
