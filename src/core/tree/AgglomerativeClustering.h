#pragma once

#include <vector>

#include "tree/Node.h"

class CDistance;
class CProgress;
class CTree;
struct TreatmentSettings;

// Linkage rules of the clustering (the AgregationCriterion codes).
enum ELinkage {
  kCompleteLinkage = 0,
  kSingleLinkage = 1,
  kMcQuittyLinkage = 2,
  kAverageLinkage = 3,
  kWardLinkage = 4,
};

// Clusters the first n items of `distance` with `linkage` and writes the 2n − 1 nodes (leaves,
// then the merges in order; the root last) into `nodes`; does nothing unless n ≥ 2 and the
// rule is one of 0 to 4.
// `progress` (or null) is stepped once per merge.
void ClusterNodes(const CDistance& distance, int n, int linkage, std::vector<CNode>& nodes,
                  CProgress* progress);

// Builds the dendrogram of a side with settings.AgregationCriterion and makes its leaf order
// the side's order: R and S recomputed, the whole tree complete and selected. Shows the progress
// window above 1000 items. Changes nothing and returns false with fewer than two items, without
// a matrix or without a linkage rule.
bool BuildTree(CTree& tree, const TreatmentSettings& settings);
