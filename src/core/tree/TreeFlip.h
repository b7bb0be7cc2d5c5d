// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTree;

// The flip command: reverses the selection (the selected subtree, or the selected block of the
// order) and, unless the whole side was flipped, resets the seriation marks of the edited part
// (the caller recomputes R and S). Returns false when nothing changed (a single selected item; with
// a tree, a block that is neither a subtree nor inside one group).
bool FlipSelection(CTree& tree);

// Reverses one subtree within the selection: an expanded node through FlipSubtree, an
// aggregated node by reversing the part of its block that lies inside the selection.
// The order is rebuilt by the caller for expanded nodes.
void FlipNode(CTree& tree, int node);

// Exchanges the children of every expanded node of the subtree and reverses its aggregated
// groups, so that the subtree's leaf sequence is reversed once the order is rebuilt.
void FlipSubtree(CTree& tree, int node);
