// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Creates the one application object that painting and fonts need (on the offscreen platform
// when none is chosen), unless one exists already.
void EnsureGuiApplication();
