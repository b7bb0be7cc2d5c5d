// SPDX-License-Identifier: GPL-3.0-or-later
// The clustering inside the side's own triangle must give the nodes of the clustering on a copy,
// bit for bit, and the leaf order on borrowed storage the order on a copy; whole runs through
// the tree entries must leave the side's matrix as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "base/Failure.h"
#include "base/Missing.h"
#include "data/DataFactory.h"
#include "dissimilarity/Distance.h"
#include "dissimilarity/SideDistances.h"
#include "dissimilarity/SideRefill.h"
#include "seriation/Elements.h"
#include "settings/TreatmentSettings.h"
#include "tree/AgglomerativeClustering.h"
#include "tree/OptimalLeafOrder.h"
#include "tree/Tree.h"
#include "tree/TreeLeafOrder.h"
#include "tree/TreeSeriation.h"

namespace {

constexpr ELinkage kLinkages[] = {ELinkage::kComplete, ELinkage::kSingle, ELinkage::kMcQuitty,
                                  ELinkage::kAverage, ELinkage::kWard};

bool Same(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// Real values, or integers from 0 … 3 (ties everywhere).
CDistance RandomTriangle(int n, bool integers, std::mt19937& random) {
  CDistance d;
  d.Allocate(n);
  std::uniform_real_distribution<double> real(0.0, 10.0);
  std::uniform_int_distribution<int> small(0, 3);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j)
      d.Set(i, j, integers ? small(random) : real(random));
  }
  return d;
}

void ExpectSameNodes(const std::vector<CNode>& a, const std::vector<CNode>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t k = 0; k < a.size(); ++k) {
    SCOPED_TRACE(testing::Message() << "node " << k);
    EXPECT_EQ(a[k].left, b[k].left);
    EXPECT_EQ(a[k].right, b[k].right);
    EXPECT_EQ(a[k].parent, b[k].parent);
    EXPECT_EQ(a[k].count, b[k].count);
    EXPECT_EQ(a[k].first, b[k].first);
    EXPECT_TRUE(Same(a[k].height, b[k].height)) << a[k].height << " " << b[k].height;
  }
}

// A numerical table with its row matrix computed the way a load computes it.
struct CTable {
  TreatmentSettings settings;
  std::unique_ptr<CData> data;
  CDistance rowDistances;

  CTable(int rows, int columns, EDissimilarity dissimilarity, bool integers, unsigned seed) {
    settings.Dissimilarity = dissimilarity;
    data = CreateDataTable(EDataType::kNumerical);
    data->Allocate(rows, columns);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> real(-5.0, 5.0);
    std::uniform_int_distribution<int> small(0, 2);
    for (int i = 0; i < rows; ++i) {
      data->rowLabels.push_back("r" + std::to_string(i));
      for (int j = 0; j < columns; ++j) {
        data->At(i, j) = (i * 7 + j) % 13 == 5 ? kMissing : integers ? small(random) : real(random);
      }
    }
    data->Prepare();
    data->ComputeValueRange();
    EXPECT_EQ(
        ComputeSideDistances(*data, false, DissimilarityOptionsOf(settings), rowDistances, nullptr),
        "");
  }
};

// A refill that always works inside and cannot put the pairs back.
class CFailingRefill final : public CTriangleRefill {
 public:
  bool WorkInside(size_t) const override { return true; }
  bool Refill(CDistance&) override {
    ++refills;
    return false;
  }
  bool ComputeInOrder(const int*, int count, CDistance& target) override {
    target.AllocateForOverwrite(count);
    return true;
  }
  int refills = 0;
};

}  // namespace

TEST(ClusterInPlace, SameNodesAsTheCopyForEveryRule) {
  // Sizes around the repacking threshold of 64 active slots and well beyond it.
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  for (const bool integers : {false, true}) {
    for (const int n : {2, 3, 17, 64, 65, 130, 400}) {
      const CDistance original = RandomTriangle(n, integers, random);
      for (const ELinkage linkage : kLinkages) {
        SCOPED_TRACE(testing::Message() << "n " << n << ", linkage " << CodeOf(linkage)
                                        << (integers ? ", integers" : ""));
        std::vector<CNode> copied, inPlace;
        ClusterNodes(original, n, linkage, copied, nullptr);
        CDistance consumed;
        original.CopyTo(consumed);
        ASSERT_TRUE(ClusterNodesInPlace(consumed, linkage, inPlace, nullptr));
        ExpectSameNodes(inPlace, copied);
        // Only the pairs are consumed.
        EXPECT_EQ(consumed.rowSums, original.rowSums);
        EXPECT_EQ(consumed.size, n);
      }
    }
  }
}

TEST(ClusterInPlace, MergesSharedWithASecondThreadGiveTheNodesOfOneThread) {
  // Every merge shared, against none; the rows are cut into stretches of 2048 positions, so
  // the larger sizes cut the scans and updates at several places around I and K.
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  for (const bool integers : {false, true}) {
    for (const int n : {2, 3, 65, 400, 2100}) {
      const CDistance original = RandomTriangle(n, integers, random);
      for (const ELinkage linkage : kLinkages) {
        SCOPED_TRACE(testing::Message() << "n " << n << ", linkage " << CodeOf(linkage)
                                        << (integers ? ", integers" : ""));
        std::vector<CNode> alone, shared;
        ClusterNodes(original, n, linkage, alone, nullptr, INT_MAX);
        CDistance consumed;
        original.CopyTo(consumed);
        ASSERT_TRUE(ClusterNodesInPlace(consumed, linkage, shared, nullptr, 2));
        ExpectSameNodes(shared, alone);
      }
    }
  }
}

TEST(ClusterInPlace, RefusesWhatTheCopyRefusesAndTouchesNothing) {
  std::mt19937 random(3);
  CDistance one = RandomTriangle(1, false, random);
  std::vector<CNode> nodes;
  EXPECT_FALSE(ClusterNodesInPlace(one, ELinkage::kWard, nodes, nullptr));
  CDistance five = RandomTriangle(5, false, random);
  CDistance before;
  five.CopyTo(before);
  EXPECT_FALSE(ClusterNodesInPlace(five, ChoiceOf<ELinkage>(-1), nodes, nullptr));
  EXPECT_FALSE(ClusterNodesInPlace(five, ChoiceOf<ELinkage>(5), nodes, nullptr));
  five.values.pop_back();  // not a triangle of its size
  EXPECT_FALSE(ClusterNodesInPlace(five, ELinkage::kWard, nodes, nullptr));
  EXPECT_TRUE(nodes.empty());
  five.values.push_back(before.values.back());
  EXPECT_TRUE(std::equal(five.values.begin(), five.values.end(), before.values.begin()));
}

TEST(LeafOrderByPosition, SameResultAsTheOrderOverItems) {
  std::mt19937 random(11);
  for (const int n : {2, 5, 40, 300}) {
    for (const bool integers : {false, true}) {
      SCOPED_TRACE(testing::Message() << "n " << n << (integers ? ", integers" : ""));
      const CDistance d = RandomTriangle(n, integers, random);
      std::vector<CNode> nodes;
      ClusterNodes(d, n, ELinkage::kAverage, nodes, nullptr);
      CBinaryTree tree;
      for (const CNode& node : nodes) {
        const bool leaf = node.right < 0;
        tree.left.push_back(leaf ? -1 : node.left);
        tree.right.push_back(leaf ? -1 : node.right);
        tree.item.push_back(leaf ? node.index : -1);
      }
      tree.root = 2 * n - 2;
      const std::vector<int> sequence = LeafSequence(tree);
      CDistance positional;
      positional.Allocate(n);
      for (int p = 0; p < n; ++p) {
        for (int q = p + 1; q < n; ++q)
          positional.Set(p, q, d.At(sequence[p], sequence[q]));
      }
      const CLeafOrder expected = OptimalLeafOrder(tree, d);
      const CLeafOrder result = OptimalLeafOrderByPosition(tree, positional);
      EXPECT_EQ(result.items, expected.items);
      EXPECT_EQ(result.exchange, expected.exchange);
      EXPECT_TRUE(Same(result.length, expected.length));
      positional.Allocate(n + 1);
      EXPECT_THROW(OptimalLeafOrderByPosition(tree, positional), std::invalid_argument);
    }
  }
}

TEST(ClusterInPlace, WholeRunsGiveTheSameTreesOrdersAndObjectivesAndKeepTheMatrix) {
  // Ward then the minimum path on a table's rows, once on copies and once inside the side's
  // triangle (as a batch run does); integer cells give ties.
  for (const bool integers : {false, true}) {
    for (const EDissimilarity dissimilarity :
         {EDissimilarity::kEuclidean, EDissimilarity::kPearson, EDissimilarity::kManhattan}) {
      SCOPED_TRACE(testing::Message()
                   << "dissimilarity " << CodeOf(dissimilarity) << (integers ? ", integers" : ""));
      CTree results[2];
      std::vector<double> matrices[2];
      for (const bool inside : {false, true}) {
        CTable table(150, 6, dissimilarity, integers, 17);
        const CDistance& matrix = table.rowDistances;
        const std::vector<double> before(matrix.values.begin(), matrix.values.end());
        CInsidePolicy policy;
        policy.unwatched = true;
        policy.fromBytes = 0;
        CSideRefill refill(*table.data, false, DissimilarityOptionsOf(table.settings), policy);
        CTriangleRefill* given = inside ? &refill : nullptr;
        CTree& tree = results[inside];
        tree.Initialize(150, &table.rowDistances, &table.data->rowLabels, {});
        ASSERT_TRUE(BuildTree(tree, ELinkage::kWard, nullptr, given));
        ComputeObjectives(tree, true, nullptr);
        CTreeSeriationOptions options;
        options.criterion = ETreeSeriation::kMinimumPath;
        ASSERT_TRUE(TreeSeriate(tree, options, CSeriationRun{nullptr, nullptr, given}).ran);
        ComputeObjectives(tree, true, nullptr);
        matrices[inside].assign(matrix.values.begin(), matrix.values.end());
        EXPECT_TRUE(std::equal(before.begin(), before.end(), matrices[inside].begin(), Same));
        tree.distance = nullptr;
      }
      EXPECT_EQ(results[1].order, results[0].order);
      ExpectSameNodes(results[1].nodes, results[0].nodes);
      EXPECT_TRUE(Same(results[1].objectiveR, results[0].objectiveR));
      EXPECT_TRUE(Same(results[1].objectiveS, results[0].objectiveS));
    }
  }
}

TEST(ClusterInPlace, ARefillThatFailsEndsTheRunAndTheBorrowedStorageComesBack) {
  std::mt19937 random(7);
  CDistance d = RandomTriangle(30, false, random);
  const double* storage = d.values.data();
  const std::vector<std::string> labels(30, "x");
  CTree tree;
  tree.Initialize(30, &d, &labels, {});
  CFailingRefill refill;
  try {
    BuildTree(tree, ELinkage::kAverage, nullptr, &refill);
    ADD_FAILURE() << "a clustering that consumed the matrix went on without it";
  } catch (const CProgramExit& exit) {
    EXPECT_EQ(exit.ExitStatus(), 1);
  }
  EXPECT_EQ(refill.refills, 1);

  // The leaf order lends the side's storage and gets it back before it stops.
  CDistance other = RandomTriangle(30, false, random);
  CTree clustered;
  clustered.Initialize(30, &other, &labels, {});
  ASSERT_TRUE(BuildTree(clustered, ELinkage::kAverage, nullptr));
  const double* lent = other.values.data();
  EXPECT_THROW(OptimalLeafOrder(clustered, clustered.root, &refill), CProgramExit);
  EXPECT_EQ(other.values.data(), lent);
  EXPECT_EQ(other.values.size(), size_t{30 * 31 / 2});
  EXPECT_EQ(refill.refills, 2);
  EXPECT_EQ(d.values.data(), storage);
}
