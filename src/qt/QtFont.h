// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "render/Font.h"

// The platform font of `font` at `scale` device pixels per logical unit, sized in pixels:
// "Times-Roman" is the platform's Times face, an empty face name the variable-pitch sans-serif
// face (DejaVu Sans), each with the CJK face for the characters it lacks; the pixel size is
// |height| × scale (at least 1), a height of 0 meaning 12.
QFont QtFontOf(const CFont& font, double scale = 1.0);
