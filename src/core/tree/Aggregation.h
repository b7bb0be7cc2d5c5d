// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTree;

// The aggregate command: the selected expanded subtree becomes one group of leaves in their
// current order. The node keeps its children (with the group's height and the group as parent)
// and loses `complete`, with its ancestors, when it has more than two leaves. The order does not
// change. Returns false when nothing changed: no tree, no selected node, a node that is already
// aggregated, a leaf, or the root (the whole side).
bool Aggregate(CTree& tree);

// Every node of the subtree gets the group's height, `expanded` false and the group as parent.
void CollapseSubtree(CTree& tree, int node, int groupIndex, double groupHeight);
