// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct DisplaySettings;

// Display-dialog rules of the colour scale.

// Switching the optical spectrum on keeps the two colour indices and sets the high colour to
// Red and the low colour to Blue; switching it off gives the kept indices back. The spectrum
// needs two levels at least, so a single level becomes two. The channel switches follow.
void SetOpticalSpectrum(DisplaySettings& display, bool on);

// Chooses item `index` of the levels list ("256" … "1") and its number of levels per side;
// with the optical spectrum on, "1" becomes "2".
void SetLevelChoice(DisplaySettings& display, int index);
