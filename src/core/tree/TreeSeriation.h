// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seriation/SeriationRun.h"

class CTree;
struct TreatmentSettings;

// How a subtree is seriated under its dendrogram: the tree criterion, and the plain seriation of
// its aggregated groups.
struct CTreeSeriationOptions {
  ETreeSeriation criterion = ETreeSeriation::kMultipleFragment;
  CSeriationOptions groups;
};
CTreeSeriationOptions TreeSeriationOptionsOf(const TreatmentSettings& settings);

// What a tree seriation did.
struct CTreeSeriationResult {
  bool ran = false;
  // The minimum path was asked of a subtree that is not complete (kGroupedLeavesWarning).
  bool refusedForGroupedLeaves = false;
  // A group's discrete seriation refused its list for its size (kTooManyElementsText).
  bool refusedForSize = false;
};

// The message box of the minimum-path criterion on a subtree that holds a group of more than
// two leaves.
inline constexpr const char* kGroupedLeavesWarning =
    "WARNING !\tSome leaves are grouped.\n\nYou must use the minimum length path seriation "
    "Criteria (The travelling salesman problem) for a totally developed binary tree!\n\nChoose "
    "another objective function.\t";

// Seriates the selected subtree of `tree` under its dendrogram by the criterion (multiple
// fragment, UDS, inertia: junction flips from the bottom up; bipolarization; minimum path
// length), groups by the plain seriation, then turns the subtree against its sibling (the caller
// recomputes R and S). Only exchanges of children and group lists change. Does not run, changing
// nothing, when there is no tree or selected node, or when the minimum path is asked of a subtree
// that is not complete.
CTreeSeriationResult TreeSeriate(CTree& tree, const CTreeSeriationOptions& options,
                                 const CSeriationRun& run);

// Seriates the subtree of `node`: a group's list by the plain seriation method; bipolarization
// and the minimum path on the node's whole subtree; the junction criteria on every expanded node,
// children before parents. Each block is rewritten where it changed, but the node's own block
// only when a junction or the minimum path changed it.
ESeriationOutcome SeriateSubtree(CTree& tree, int node, const CTreeSeriationOptions& options,
                                 const CSeriationRun& run);

// Records which rules ordered the selected subtree (its nodes' criterion mark, its groups'
// method mark) and recombines the marks up to the root.
void RecordTreeSeriationMarks(CTree& tree, ESeriation seriation, ETreeSeriation treeSeriation);
