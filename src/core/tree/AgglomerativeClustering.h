// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "settings/Choices.h"
#include "tree/Node.h"

class CDistance;
class CProgress;
class CProgressReporter;
class CTree;
class CTriangleRefill;

// Clusters the first n items of `distance` with `linkage` and writes the 2n − 1 nodes (leaves,
// then the merges in order; the root last) into `nodes`; does nothing unless n ≥ 2 and the
// rule is one of the five.
// `progress` (or null) is stepped once per merge. Merges among at least `shareFrom` active
// clusters share their work with a second thread, with the same results bit for bit (a
// parameter for tests: every merge, or none).
inline constexpr int kShareMergesFrom = 4096;
void ClusterNodes(const CDistance& distance, int n, ELinkage linkage, std::vector<CNode>& nodes,
                  CProgress* progress, int shareFrom = kShareMergesFrom);

// The same clustering of all items of `distance`, worked out inside its triangle instead of a
// copy, so that no second n(n+1)/2 buffer is taken: the pairs are consumed (left meaningless;
// sums, mean and maximum untouched) and must be refilled (CTriangleRefill) before anything
// reads them again. The nodes are those ClusterNodes gives, bit for bit. Returns false, touching
// nothing, unless n ≥ 2, the rule is one of the five and the triangle holds n(n+1)/2 entries.
bool ClusterNodesInPlace(CDistance& distance, ELinkage linkage, std::vector<CNode>& nodes,
                         CProgress* progress, int shareFrom = kShareMergesFrom);

// Builds the dendrogram of a side with `linkage` and makes its leaf order the side's order, the
// whole tree complete and selected (the caller recomputes R and S). Shows the progress window
// above 1000 items. Changes nothing and returns false with fewer than two items, without a
// matrix or without a linkage rule. With `refill`, the clustering of the whole side works
// inside the side's triangle when the refill says so, and the refill then puts the pairs back
// (a refill that fails ends the program: CProgramExit(1)); without, it works on a copy.
bool BuildTree(CTree& tree, ELinkage linkage, CProgressReporter* progress,
               CTriangleRefill* refill = nullptr);

// True when every node height of the side's dendrogram is a finite number.
bool HeightsAreFinite(const CTree& tree);
