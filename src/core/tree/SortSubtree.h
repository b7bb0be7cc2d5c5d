// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

class CTree;

// Reorders an expanded subtree by the items' keys (indexed by item): every node gets the
// count-weighted mean key of its leaves; then, children before parents, each expanded node puts
// the child of strictly smaller key on the left and each aggregated group sorts its items
// (stable, ascending). The order is rebuilt from the root.
void SortSubtree(CTree& tree, int node, std::span<const double> itemKeys);

// The sort command on a side: nothing for a single selected item; the selected expanded
// subtree through SortSubtree; otherwise the selected block of the order by the stable
// insertion sort (and, inside a group, the group's list with it). For `descending` the result
// is then reversed by the flip command, so equal keys end in reversed relative order. The
// seriation marks of the edited part are reset (the caller recomputes R and S). Returns false
// when nothing changed.
bool SortSelection(CTree& tree, std::span<const double> itemKeys, bool descending);
