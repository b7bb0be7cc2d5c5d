// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dissimilarity/Distance.h"
#include "tree/Tree.h"
#include "tree/TreeSeriation.h"

class CProgressReporter;
struct TreatmentSettings;

using FullMatrix = std::vector<std::vector<double>>;

// As a window does it: the dendrogram with `linkage`, then R and S of the new order. False when
// nothing was built.
bool ClusterTree(CTree& tree, ELinkage linkage, CProgressReporter* progress = nullptr);
// As a window does it: the selected subtree seriated by the criteria of `settings`, then R and S.
CTreeSeriationResult SeriateTree(CTree& tree, const TreatmentSettings& settings,
                                 CProgressReporter* progress = nullptr);
// R and S after an edit of the order.
void RecomputeObjectives(CTree& tree);

// One side of n items over a full symmetric dissimilarity matrix, labelled "i0", "i1", …,
// clustered with `linkage` unless it is negative.
class CSide {
 public:
  explicit CSide(const FullMatrix& d, int linkage = 0);
  CSide(const CSide&) = delete;
  CSide& operator=(const CSide&) = delete;

  CDistance distance;
  std::vector<std::string> labels;
  CTree tree;
};

// Six items clustered by complete linkage into 6 = (0, 1) at 1, 7 = (3, 4) at 2, 8 = (6, 2) at 3,
// 9 = (7, 5) at 4 and the root 10 = (8, 9) at 10; the order is 0 … 5.
FullMatrix TwoTriples();

// Euclidean distances between n random points with `dimensions` coordinates.
FullMatrix RandomEuclidean(int n, int dimensions, std::uint32_t seed);
// Dissimilarities drawn from 0 … maxValue: many ties.
FullMatrix RandomIntegers(int n, int maxValue, std::uint32_t seed);

// The leaf sequence read from the tree itself (expanded nodes: left then right; groups: their
// list), independent of `order`.
std::vector<int> LeafSequence(const CTree& tree, int node);
// Selects a node as a click in the tree would: the node's block, snapped to its top group.
void SelectNode(CTree& tree, int node);
// Checks that the order is a permutation equal to the tree's leaf sequence, that every node
// reached through expanded nodes holds its block first … first + count − 1, that each group's
// block equals its list and holds the leaves of its merges, and that counts add up.
void ExpectConsistent(const CTree& tree);
