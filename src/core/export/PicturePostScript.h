#pragma once

#include <string>

class CHeatMapPicture;

// Writes the picture (laid out beforehand) as a PostScript file: one A4 page at half scale, every
// drawing operation of its drawing pass turned into PostScript text. The file is replaced only
// once everything was written; on failure returns false with the reason in `error`.
bool WritePicturePostScript(CHeatMapPicture& picture, const std::string& path, std::string* error);
