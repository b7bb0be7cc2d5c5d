// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "ScriptedServices.h"
#include "TreeFixture.h"
#include "settings/TreatmentSettings.h"
#include "tree/AgglomerativeClustering.h"

namespace {

constexpr int kCompleteLinkage = CodeOf(ELinkage::kComplete);
constexpr int kSingleLinkage = CodeOf(ELinkage::kSingle);
constexpr int kMcQuittyLinkage = CodeOf(ELinkage::kMcQuitty);
constexpr int kAverageLinkage = CodeOf(ELinkage::kAverage);
constexpr int kWardLinkage = CodeOf(ELinkage::kWard);

struct CMerge {
  int left;
  int right;
  double height;
  friend bool operator==(const CMerge&, const CMerge&) = default;
};

std::ostream& operator<<(std::ostream& out, const CMerge& m) {
  return out << "(" << m.left << "," << m.right << ")@" << m.height;
}

std::vector<CMerge> MergesOf(const CTree& tree) {
  std::vector<CMerge> merges;
  for (int i = tree.count; i < 2 * tree.count - 1; ++i) {
    merges.push_back({tree.Node(i).left, tree.Node(i).right, tree.Node(i).height});
  }
  return merges;
}

double Updated(int rule, double dIk, double dKk, double nI, double nK, double nk, double D) {
  switch (rule) {
    case kCompleteLinkage:
      return std::max(dIk, dKk);
    case kSingleLinkage:
      return std::min(dIk, dKk);
    case kMcQuittyLinkage:
      return 0.5 * dIk + 0.5 * dKk;
    case kAverageLinkage:
      return (nI * dIk + nK * dKk) / (nI + nK);
    default:
      return ((nk + nI) * dIk + (nk + nK) * dKk - nk * D) / (nI + nK + nk);
  }
}

// Straightforward clusterings on a full matrix. With `keepNeighbours`, each slot keeps its
// nearest later slot and only the slots whose neighbour was one of the merged pair are
// rescanned; otherwise every step takes the first closest pair of a global scan. `start` is
// the value every minimum search starts from.
std::vector<CMerge> Reference(FullMatrix m, int rule, bool keepNeighbours, double start = 1e20) {
  const int n = static_cast<int>(m.size());
  std::vector<bool> active(n, true);
  std::vector<double> size(n, 1.0);
  std::vector<int> slotNode(n), nn(n, -1);
  std::vector<double> nnDist(n, start);
  for (int k = 0; k < n; ++k)
    slotNode[k] = k;
  auto scan = [&](int l) {
    double best = start;
    for (int k = l + 1; k < n; ++k) {
      if (active[k] && m[l][k] < best) {
        best = m[l][k];
        nn[l] = k;
      }
    }
    nnDist[l] = best;
  };
  for (int j = 0; j + 1 < n; ++j)
    scan(j);
  std::vector<CMerge> merges;
  for (int i = n; i < 2 * n - 1; ++i) {
    int I = -1, K = -1;
    double best = start;
    for (int j = 0; j + 1 < n; ++j) {
      if (!active[j]) continue;
      if (keepNeighbours) {
        if (nnDist[j] < best) best = nnDist[j], I = j, K = nn[j];
      } else {
        for (int k = j + 1; k < n; ++k) {
          if (active[k] && m[j][k] < best) best = m[j][k], I = j, K = k;
        }
      }
    }
    const double D = m[I][K];
    merges.push_back({slotNode[I], slotNode[K], D});
    active[K] = false;
    for (int k = 0; k < n; ++k) {
      if (!active[k] || k == I) continue;
      m[I][k] = m[k][I] = Updated(rule, m[I][k], m[K][k], size[I], size[K], size[k], D);
    }
    size[I] += size[K];
    slotNode[I] = i;
    if (keepNeighbours) {
      scan(I);
      for (int l = 0; l + 1 < n; ++l) {
        if (active[l] && (nn[l] == I || nn[l] == K)) scan(l);
      }
    }
  }
  return merges;
}

std::vector<double> SortedHeights(const std::vector<CMerge>& merges) {
  std::vector<double> heights;
  for (const CMerge& m : merges)
    heights.push_back(m.height);
  std::sort(heights.begin(), heights.end());
  return heights;
}

const char* const kRuleNames[] = {"complete", "single", "McQuitty", "average", "Ward"};

}  // namespace

TEST(Clustering, FourItemsCompleteLinkage) {
  const FullMatrix d = {{0, 1, 10, 10}, {1, 0, 10, 10}, {10, 10, 0, 2}, {10, 10, 2, 0}};
  CSide side(d, kCompleteLinkage);
  EXPECT_EQ(MergesOf(side.tree), (std::vector<CMerge>{{0, 1, 1.0}, {2, 3, 2.0}, {4, 5, 10.0}}));
  EXPECT_EQ(side.tree.order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(side.tree.root, 6);
  EXPECT_EQ(side.tree.selectedNode, 6);
  EXPECT_EQ(side.tree.rootHeight, 10.0);
  EXPECT_TRUE(side.tree.hasTree);
  EXPECT_EQ(side.tree.objectiveS, 1.0 + 10.0 + 2.0);
  for (const CNode& node : side.tree.nodes)
    EXPECT_TRUE(node.complete);
  ExpectConsistent(side.tree);
}

TEST(Clustering, LeftChildIsTheClusterOfTheLowerSlot) {
  // Item 2 joins the pair (0, 3): the pair holds the lower slot 0 and goes left.
  const FullMatrix d = {{0, 9, 5, 1}, {9, 0, 9, 9}, {5, 9, 0, 5}, {1, 9, 5, 0}};
  CSide side(d, kSingleLinkage);
  EXPECT_EQ(MergesOf(side.tree), (std::vector<CMerge>{{0, 3, 1.0}, {4, 2, 5.0}, {5, 1, 9.0}}));
  EXPECT_EQ(side.tree.order, (std::vector<int>{0, 3, 2, 1}));
}

TEST(Clustering, WardUpdatesSingletonsFromTheRawDistances) {
  const FullMatrix d = {{0, 1, 4}, {1, 0, 6}, {4, 6, 0}};
  CSide side(d, kWardLinkage);
  EXPECT_EQ(side.tree.Node(3).height, 1.0);
  EXPECT_EQ(side.tree.Node(4).height, (2 * 4.0 + 2 * 6.0 - 1.0) / 3);
}

TEST(Clustering, TiesGoToTheLowestSlot) {
  // Equal smallest values: the pair of the lower slot first; within a slot, the lower partner.
  CSide pairs({{0, 5, 5, 1}, {5, 0, 5, 5}, {5, 5, 0, 1}, {1, 5, 1, 0}}, kCompleteLinkage);
  EXPECT_EQ(MergesOf(pairs.tree)[0], (CMerge{0, 3, 1.0}));
  CSide partners({{0, 2, 2, 2}, {2, 0, 7, 7}, {2, 7, 0, 7}, {2, 7, 7, 0}}, kCompleteLinkage);
  EXPECT_EQ(MergesOf(partners.tree)[0], (CMerge{0, 1, 2.0}));
}

TEST(Clustering, TwoItemsMakeOneMerge) {
  CSide side({{0, 3.5}, {3.5, 0}}, kAverageLinkage);
  EXPECT_EQ(MergesOf(side.tree), (std::vector<CMerge>{{0, 1, 3.5}}));
  EXPECT_EQ(side.tree.root, 2);
  EXPECT_EQ(side.tree.order, (std::vector<int>{0, 1}));
}

TEST(Clustering, RefusesFewerThanTwoItemsOrNoRule) {
  CSide one({{0}}, -1);
  TreatmentSettings settings;
  settings.AgregationCriterion = ELinkage::kWard;
  EXPECT_FALSE(ClusterTree(one.tree, settings.AgregationCriterion));
  EXPECT_FALSE(one.tree.hasTree);
  EXPECT_TRUE(one.tree.nodes.empty());
  EXPECT_EQ(one.tree.order, (std::vector<int>{0}));

  CSide two({{0, 1}, {1, 0}}, -1);
  settings.AgregationCriterion = ChoiceOf<ELinkage>(-1);
  EXPECT_FALSE(ClusterTree(two.tree, settings.AgregationCriterion));
  EXPECT_FALSE(two.tree.hasTree);
}

TEST(Clustering, DissimilaritiesBeyondTheOldBoundStillMerge) {
  for (int rule = 0; rule <= kWardLinkage; ++rule) {
    SCOPED_TRACE(kRuleNames[rule]);
    FullMatrix d = RandomEuclidean(12, 3, 5);
    for (auto& row : d) {
      for (double& x : row)
        x *= 1e22;
    }
    CSide side(d, rule);
    EXPECT_EQ(MergesOf(side.tree),
              Reference(d, rule, true, std::numeric_limits<double>::infinity()));
    ExpectConsistent(side.tree);
  }
}

TEST(Clustering, InfiniteDissimilaritiesStillGiveAWholeTree) {
  const double inf = std::numeric_limits<double>::infinity();
  CSide side({{0, inf, 1}, {inf, 0, inf}, {1, inf, 0}}, kSingleLinkage);
  EXPECT_EQ(MergesOf(side.tree), (std::vector<CMerge>{{0, 2, 1.0}, {3, 1, inf}}));
  ExpectConsistent(side.tree);
}

// Sizes above 128 also pass through the repacking of the working triangle.
TEST(Clustering, MatchesFullMatrixReferencesOnRealData) {
  for (int rule = 0; rule <= kWardLinkage; ++rule) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
      for (int n : {3, 9, 40, 97, 260}) {
        if (n > 100 && seed != 1) continue;
        SCOPED_TRACE(testing::Message() << kRuleNames[rule] << " seed " << seed << " n " << n);
        const FullMatrix d = RandomEuclidean(n, 4, seed * 1000 + n);
        CSide side(d, rule);
        const std::vector<CMerge> merges = MergesOf(side.tree);
        EXPECT_EQ(merges, Reference(d, rule, true));
        // Without ties the kept neighbours always lead to the globally closest pair.
        EXPECT_EQ(merges, Reference(d, rule, false));
        ExpectConsistent(side.tree);
      }
    }
  }
}

TEST(Clustering, MatchesNeighbourListReferenceOnTiedIntegers) {
  for (int rule = 0; rule <= kWardLinkage; ++rule) {
    for (std::uint32_t seed : {11u, 12u, 13u, 14u}) {
      for (int n : {5, 16, 60, 200}) {
        if (n > 100 && seed != 11) continue;
        SCOPED_TRACE(testing::Message() << kRuleNames[rule] << " seed " << seed << " n " << n);
        const FullMatrix d = RandomIntegers(n, 3, seed * 100 + n);
        CSide side(d, rule);
        const std::vector<CMerge> merges = MergesOf(side.tree);
        EXPECT_EQ(merges, Reference(d, rule, true));
        if (rule == kSingleLinkage) {
          // Whatever pair a tie picks, single linkage merges at the minimum spanning tree's
          // edge lengths.
          EXPECT_EQ(SortedHeights(merges), SortedHeights(Reference(d, rule, false)));
        }
        ExpectConsistent(side.tree);
      }
    }
  }
}

TEST(Clustering, ProgressWindowAboveOneThousandItems) {
  for (int n : {1000, 1001}) {
    CScriptedServices services;
    CSide side(RandomIntegers(n, 50, 7), -1);
    ASSERT_TRUE(ClusterTree(side.tree, ELinkage::kAverage, &services));
    const auto shown = std::find_if(services.progresses.begin(), services.progresses.end(),
                                    [](const CScriptedServices::Progress& p) {
                                      return p.caption == "Hierarchical clustering in progress.";
                                    });
    if (n == 1000) {
      EXPECT_EQ(shown, services.progresses.end());
    } else {
      ASSERT_NE(shown, services.progresses.end());
      EXPECT_EQ(shown->range, n);
      EXPECT_EQ(shown->steps, n - 1);
    }
  }
}

TEST(Clustering, ReclusteringStartsFromFreshNodes) {
  CSide side(RandomEuclidean(8, 2, 4), kCompleteLinkage);
  CTree& tree = side.tree;
  tree.SetMarks(tree.root, 3, 2);
  CNode& inner = tree.Node(tree.root - 1);
  inner.expanded = false;
  inner.items = {1, 2};
  tree.Node(tree.root).highlighted = true;
  tree.selectionStart = 2;
  tree.selectionLength = 3;
  TreatmentSettings settings;
  settings.AgregationCriterion = ELinkage::kSingle;
  ASSERT_TRUE(ClusterTree(tree, settings.AgregationCriterion));
  for (const CNode& node : tree.nodes) {
    EXPECT_TRUE(node.expanded);
    EXPECT_TRUE(node.items.empty());
    EXPECT_FALSE(node.highlighted);
    EXPECT_EQ(node.methodMark, -3);
    EXPECT_EQ(node.criterionMark, -1);
  }
  EXPECT_FALSE(tree.HasMethodMark());
  EXPECT_EQ(tree.selectionStart, 0);
  EXPECT_EQ(tree.selectionLength, 8);
  ExpectConsistent(tree);
}

TEST(Clustering, KeptNeighbourWinsATieWithTheNewCluster) {
  // Slot 0's neighbour is 3 (distance 1). Merging 1 and 4 brings the cluster of slot 1 to
  // distance 1 from slot 0 as well: slot 0 keeps 3, although a global scan would take (0, 1).
  FullMatrix d(5, std::vector<double>(5, 9.0));
  for (int i = 0; i < 5; ++i)
    d[i][i] = 0;
  auto set = [&](int a, int b, double v) { d[a][b] = d[b][a] = v; };
  set(0, 1, 5);
  set(0, 3, 1);
  set(0, 4, 1);
  set(1, 4, 0.5);
  CSide side(d, kSingleLinkage);
  EXPECT_EQ(MergesOf(side.tree),
            (std::vector<CMerge>{{1, 4, 0.5}, {0, 3, 1.0}, {6, 5, 1.0}, {7, 2, 9.0}}));
  EXPECT_EQ(Reference(d, kSingleLinkage, false)[1], (CMerge{0, 5, 1.0}));
}
