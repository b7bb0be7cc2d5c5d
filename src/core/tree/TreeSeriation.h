#pragma once

class CTree;
struct TreatmentSettings;

// The message box of the minimum-path criterion on a subtree that holds a group of more than
// two leaves.
inline constexpr const char* kGroupedLeavesWarning =
    "WARNING !\tSome leaves are grouped.\n\nYou must use the minimum length path seriation "
    "Criteria (The travelling salesman problem) for a totally developed binary tree!\n\nChoose "
    "another objective function.\t";

// Seriates the selected subtree of `tree` under its dendrogram by settings.TreeSeriationCriterion
// (0 multiple fragment, 1 UDS, 2 inertia: junction flips from the bottom up; 3 bipolarization;
// 4 minimum path length), groups by settings.SetSeriationCriterion, then turns the subtree
// against its sibling and recomputes R and S. Only exchanges of children and group lists change.
// Returns false, changing nothing, when there is no tree or selected node, or when the minimum
// path is asked of a subtree that is not complete (the warning above is shown and the window
// repainted).
bool TreeSeriate(CTree& tree, const TreatmentSettings& settings);

// Seriates the subtree of `node`: a group's list by the plain seriation method; bipolarization
// and the minimum path on the node's whole subtree; the junction criteria on every expanded node,
// children before parents. Each block is rewritten where it changed, but the node's own block
// only when a junction or the minimum path changed it.
void SeriateSubtree(CTree& tree, int node, const TreatmentSettings& settings);

// Records which rules ordered the selected subtree (its nodes' criterion mark, its groups'
// method mark) and recombines the marks up to the root.
void RecordTreeSeriationMarks(CTree& tree, int seriationCode, int treeSeriationCode);
