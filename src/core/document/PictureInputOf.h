// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/PictureInput.h"

class CViewModel;

// The plain description of a window's picture: the document's data, display settings and
// switches, the window's two trees, zoom and fit flag, and what the title frame reports of them.
CPictureInput MakePictureInput(CViewModel& view);
