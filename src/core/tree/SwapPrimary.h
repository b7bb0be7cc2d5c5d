#pragma once

class CTree;

// The swap command: exchanges the two children of the selected expanded node (each keeps its
// inner orientation), rebuilds the order, recomputes R and S and resets the seriation marks of
// the selected subtree. Returns false when nothing changed (single item, no tree, no selected
// node, or an aggregated one).
bool SwapPrimary(CTree& tree);
