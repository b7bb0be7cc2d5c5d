// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTree;

// The swap command: exchanges the two children of the selected expanded node (each keeps its
// inner orientation), rebuilds the order and resets the seriation marks of the selected subtree
// (the caller recomputes R and S). Returns false when nothing changed (single item, no tree, no
// selected node, or an aggregated one).
bool SwapPrimary(CTree& tree);
