// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Geometry.h"

class CTree;

// Cluster marks of the items of a side (by item, so they follow every reordering). Each returns
// true when the window must be laid out again because the mark strip appears or disappears;
// the caller redraws in every case.

// Marks the selected items with `colour`; nothing when the whole side is selected.
bool Mark(CTree& tree, ColorRef colour);
// Clears the marks of the selected items; the strip goes once no mark is left.
bool Unmark(CTree& tree);
// Clears every mark of the side.
bool UnmarkAll(CTree& tree);
