// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The toolbar picture of a command: the platform style's icons for the file commands, small
// drawings for the analysis commands (a dendrogram for clustering, ordered bars for seriation,
// "R" or "C" for the side); a null icon when the command has none.
QIcon CommandIcon(int command);
