#pragma once

#include <vector>

#include "settings/Choices.h"
#include "tree/Node.h"

class CDistance;
class CProgress;
class CProgressReporter;
class CTree;

// Clusters the first n items of `distance` with `linkage` and writes the 2n − 1 nodes (leaves,
// then the merges in order; the root last) into `nodes`; does nothing unless n ≥ 2 and the
// rule is one of the five.
// `progress` (or null) is stepped once per merge.
void ClusterNodes(const CDistance& distance, int n, ELinkage linkage, std::vector<CNode>& nodes,
                  CProgress* progress);

// Builds the dendrogram of a side with `linkage` and makes its leaf order the side's order, the
// whole tree complete and selected (the caller recomputes R and S). Shows the progress window
// above 1000 items. Changes nothing and returns false with fewer than two items, without a
// matrix or without a linkage rule.
bool BuildTree(CTree& tree, ELinkage linkage, CProgressReporter* progress);

// True when every node height of the side's dendrogram is a finite number.
bool HeightsAreFinite(const CTree& tree);
