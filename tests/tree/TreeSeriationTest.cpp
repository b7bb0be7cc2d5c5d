// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeSeriation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "ScriptedServices.h"
#include "TreeFixture.h"
#include "seriation/Seriation.h"
#include "settings/TreatmentSettings.h"
#include "tree/Aggregation.h"
#include "tree/JunctionFlip.h"

namespace {

using Merges = std::vector<std::pair<int, int>>;

// Gives the side's tree the shape `merges` (internal node n + k joins merges[k]), everything
// expanded, complete and selected, the order following the leaves.
void BuildShape(CTree& tree, const Merges& merges) {
  const int n = tree.count;
  tree.nodes.assign(static_cast<size_t>(2 * n - 1), CNode{});
  for (int k = 0; k < 2 * n - 1; ++k) {
    CNode& node = tree.Node(k);
    node.index = k;
    node.expanded = true;
    if (k < n) {
      node.left = k;
      node.count = 1;
      node.first = k;
    } else {
      node.left = merges[static_cast<size_t>(k - n)].first;
      node.right = merges[static_cast<size_t>(k - n)].second;
      node.height = k - n + 1;
      node.count = tree.Node(node.left).count + tree.Node(node.right).count;
    }
  }
  tree.root = 2 * n - 2;
  tree.hasTree = true;
  tree.RebuildOrder(tree.root);
  SelectNode(tree, tree.root);
  tree.MarkComplete(tree.root);
  RecomputeObjectives(tree);
}

Merges RandomMerges(int n, std::mt19937& random) {
  std::vector<int> active(static_cast<size_t>(n));
  std::iota(active.begin(), active.end(), 0);
  std::shuffle(active.begin(), active.end(), random);
  Merges merges;
  int next = n;
  while (active.size() > 1) {
    const size_t i = random() % active.size();
    const int a = active[i];
    active.erase(active.begin() + static_cast<std::ptrdiff_t>(i));
    const size_t j = random() % active.size();
    const int b = active[j];
    active.erase(active.begin() + static_cast<std::ptrdiff_t>(j));
    merges.emplace_back(a, b);
    active.push_back(next++);
  }
  return merges;
}

// Aggregates up to `wanted` random internal nodes below the root (of exactly two leaves when
// `pairsOnly`), then selects the root again.
void AggregateSome(CTree& tree, int wanted, bool pairsOnly, std::mt19937& random) {
  const int n = tree.count;
  for (int tries = 0; tries < 20 && wanted > 0; ++tries) {
    const int v = n + static_cast<int>(random() % static_cast<unsigned>(n - 1));
    if (v == tree.root || (pairsOnly && tree.Node(v).count != 2)) continue;
    SelectNode(tree, v);
    if (tree.selectedNode == v && Aggregate(tree)) --wanted;
  }
  SelectNode(tree, tree.root);
}

double PathLength(const std::vector<int>& sequence, const FullMatrix& d) {
  double length = 0.0;
  for (size_t k = 1; k < sequence.size(); ++k)
    length += d[sequence[k - 1]][sequence[k]];
  return length;
}

// A second, plain implementation of the rules, on a copy of the tree's shape: leaves, groups with
// their lists, internal nodes with their two children.
class CReference {
 public:
  CReference(const CTree& tree, const FullMatrix& d) : d_(d) {
    for (const CNode& node : tree.nodes) {
      left_.push_back(node.left);
      right_.push_back(node.right);
      group_.push_back(!node.IsLeaf() && !node.expanded);
      list_.push_back(node.items);
    }
  }

  std::vector<int> Sequence(int v) const {
    if (right_[v] < 0) return {v};
    if (group_[v]) return list_[v];
    std::vector<int> s = Sequence(left_[v]);
    const std::vector<int> r = Sequence(right_[v]);
    s.insert(s.end(), r.begin(), r.end());
    return s;
  }

  void Flip(int v) {
    if (right_[v] < 0) return;
    if (group_[v]) {
      std::reverse(list_[v].begin(), list_[v].end());
      return;
    }
    Flip(left_[v]);
    Flip(right_[v]);
    std::swap(left_[v], right_[v]);
  }

  // Criteria 0 to 2 on a subtree; groups get `groupOrder(list)`.
  template <class GroupOrder>
  void Junctions(int v, int criterion, GroupOrder groupOrder) {
    if (right_[v] < 0) return;
    if (group_[v]) {
      list_[v] = groupOrder(list_[v]);
      return;
    }
    Junctions(left_[v], criterion, groupOrder);
    Junctions(right_[v], criterion, groupOrder);
    Junction(left_[v], right_[v], criterion, true, true);
  }

  // The orientation of two siblings, from the definitions: the weighted sums across the junction
  // with and without each flip, or the best junction dissimilarity for multiple fragment.
  void Junction(int l, int r, int criterion, bool mayFlipLeft, bool mayFlipRight) {
    const std::vector<int> a = Sequence(l);
    const std::vector<int> b = Sequence(r);
    if (a.size() <= 1 && b.size() <= 1) return;
    const std::vector<int> ra(a.rbegin(), a.rend());
    const std::vector<int> rb(b.rbegin(), b.rend());
    bool flipLeft = false;
    bool flipRight = false;
    if (!mayFlipLeft) {
      flipRight = d_[a.back()][b.front()] >= d_[a.back()][b.back()];
    } else if (!mayFlipRight) {
      flipLeft = d_[a.front()][b.front()] <= d_[a.back()][b.front()];
    } else {
      double e = 0.0;
      double f = 0.0;
      if (criterion == 0) {
        auto meet = [&](const std::vector<int>& x, const std::vector<int>& y) {
          return d_[x.back()][y.front()];
        };
        e = std::min(meet(ra, b), meet(ra, rb)) - std::min(meet(a, b), meet(a, rb));
        f = std::min(meet(a, b), meet(ra, b)) - std::min(meet(a, rb), meet(ra, rb));
      } else if (criterion == 1 || criterion == 2) {
        auto across = [&](const std::vector<int>& x, const std::vector<int>& y) {
          double sum = 0.0;
          const int p = static_cast<int>(x.size());
          for (int i = 0; i < p; ++i) {
            for (int j = 0; j < static_cast<int>(y.size()); ++j) {
              const double gap = p + j - i;
              sum += d_[x[i]][y[j]] * (criterion == 1 ? gap : gap * gap);
            }
          }
          return sum;
        };
        e = across(a, b) - across(ra, b);
        f = across(a, rb) - across(a, b);
      }
      if (e == 0.0 && f == 0.0) return;
      flipLeft = e <= 0.0;
      flipRight = f >= 0.0;
    }
    if (flipLeft) Flip(l);
    if (flipRight) Flip(r);
  }

  void Bipolarize(int l, int r) {
    const std::vector<int> a = Sequence(l);
    const std::vector<int> b = Sequence(r);
    double farthest = 0.0;
    int poleA = -1;
    int poleB = -1;
    for (int x : a) {
      for (int y : b) {
        if (d_[x][y] > farthest) {
          farthest = d_[x][y];
          poleA = x;
          poleB = y;
        }
      }
    }
    if (poleA < 0) return;
    ToEnd(l, poleA, true);
    ToEnd(r, poleB, false);
    Orient(l, poleA, true);
    Orient(r, poleB, false);
  }

  // Every pattern of exchanges (children of internal nodes, lists of two-leaf groups) below v.
  std::vector<std::vector<int>> Reachable(int v) const {
    std::vector<int> nodes;
    CollectInternal(v, nodes);
    std::vector<std::vector<int>> result;
    for (unsigned mask = 0; mask < (1u << nodes.size()); ++mask) {
      CReference copy = *this;
      for (size_t k = 0; k < nodes.size(); ++k) {
        if (!((mask >> k) & 1u)) continue;
        const int u = nodes[k];
        if (copy.group_[u]) {
          std::reverse(copy.list_[u].begin(), copy.list_[u].end());
        } else {
          std::swap(copy.left_[u], copy.right_[u]);
        }
      }
      result.push_back(copy.Sequence(v));
    }
    return result;
  }

  int Left(int v) const { return left_[v]; }
  int Right(int v) const { return right_[v]; }

 private:
  static bool Holds(const std::vector<int>& s, int item) {
    return std::find(s.begin(), s.end(), item) != s.end();
  }

  // Brings the pole to the front (or back) through exchanges of children; true when it got there.
  bool ToEnd(int v, int pole, bool front) {
    if (right_[v] < 0) return v == pole;
    if (group_[v]) return (front ? list_[v].front() : list_[v].back()) == pole;
    const int near = front ? left_[v] : right_[v];
    const int far = front ? right_[v] : left_[v];
    if (Holds(Sequence(near), pole)) return ToEnd(near, pole, front);
    if (!ToEnd(far, pole, front)) return false;
    std::swap(left_[v], right_[v]);
    return true;
  }

  void Orient(int top, int pole, bool front) {
    std::vector<int> nodes;
    CollectInternal(top, nodes);
    std::vector<int> exchange;
    for (int u : nodes) {
      if (group_[u]) continue;
      const std::vector<int> s = Sequence(u);
      const int b = s.front();
      const int c = s.back();
      if (front ? (b != pole && d_[pole][c] < d_[pole][b])
                : (c != pole && d_[pole][b] < d_[pole][c])) {
        exchange.push_back(u);
      }
    }
    for (int u : exchange)
      std::swap(left_[u], right_[u]);
  }

  void CollectInternal(int v, std::vector<int>& nodes) const {
    if (right_[v] < 0) return;
    nodes.push_back(v);
    if (group_[v]) return;
    CollectInternal(left_[v], nodes);
    CollectInternal(right_[v], nodes);
  }

  const FullMatrix& d_;
  std::vector<int> left_;
  std::vector<int> right_;
  std::vector<char> group_;
  std::vector<std::vector<int>> list_;
};

// Groups are ordered by multiple fragment unless told: it depends on their list only, where
// bipolarization takes its poles from the whole side as it stands.
TreatmentSettings Criteria(int tree, int plain = 0) {
  TreatmentSettings settings;
  settings.TreeSeriationCriterion = ChoiceOf<ETreeSeriation>(tree);
  settings.SetSeriationCriterion = ChoiceOf<ESeriation>(plain);
  return settings;
}

// The plain seriation of a list, as the tree side would get it.
std::vector<int> PlainOrder(CTree& tree, std::vector<int> list, const TreatmentSettings& s) {
  SeriateSequence(list.data(), static_cast<int>(list.size()), tree, SeriationOptionsOf(s), {});
  return list;
}

FullMatrix RandomTable(int n, std::uint32_t seed) {
  return seed % 2 == 0 ? RandomIntegers(n, 4, seed) : RandomEuclidean(n, 3, seed);
}

std::vector<int> Block(const CTree& tree, int node) {
  const CNode& v = tree.Node(node);
  return {tree.order.begin() + v.first, tree.order.begin() + v.first + v.count};
}

}  // namespace

TEST(TreeSeriation, JunctionCriteriaFollowTheirDefinitionsOnRandomTrees) {
  for (int criterion = 0; criterion <= 2; ++criterion) {
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
      SCOPED_TRACE(testing::Message() << "criterion " << criterion << " seed " << seed);
      std::mt19937 random(seed);
      const int n = 2 + static_cast<int>(seed % 9);
      const FullMatrix d = RandomTable(n, seed);
      CSide side(d, -1);
      CTree& tree = side.tree;
      BuildShape(tree, RandomMerges(n, random));
      if (seed % 3 == 0 && n > 3) AggregateSome(tree, 2, false, random);
      const TreatmentSettings settings = Criteria(criterion);
      CReference reference(tree, d);
      reference.Junctions(tree.root, criterion, [&](const std::vector<int>& list) {
        return PlainOrder(tree, list, settings);
      });
      const bool grouped = !tree.Node(tree.root).complete || seed % 3 == 0;
      const auto reachable =
          grouped ? std::vector<std::vector<int>>{} : CReference(tree, d).Reachable(tree.root);

      ASSERT_TRUE(SeriateTree(tree, settings).ran);
      ExpectConsistent(tree);
      EXPECT_EQ(tree.order, reference.Sequence(tree.root));
      if (!grouped) {
        EXPECT_NE(std::find(reachable.begin(), reachable.end(), tree.order), reachable.end());
      }
      EXPECT_DOUBLE_EQ(tree.objectiveS, PathLength(tree.order, d));
    }
  }
}

TEST(TreeSeriation, MinimumPathIsTheBestOrderThatExchangesReach) {
  for (std::uint32_t seed = 0; seed < 60; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const int n = 2 + static_cast<int>(seed % 10);
    const FullMatrix d = RandomTable(n, seed);
    CSide side(d, -1);
    CTree& tree = side.tree;
    BuildShape(tree, RandomMerges(n, random));
    // Groups of two leaves keep the tree complete and may be reversed.
    if (seed % 3 == 0 && n > 3) AggregateSome(tree, 2, true, random);
    ASSERT_TRUE(tree.Node(tree.root).complete);
    double best = std::numeric_limits<double>::infinity();
    const auto reachable = CReference(tree, d).Reachable(tree.root);
    for (const auto& sequence : reachable)
      best = std::min(best, PathLength(sequence, d));

    ASSERT_TRUE(SeriateTree(tree, Criteria(4)).ran);
    ExpectConsistent(tree);
    EXPECT_NE(std::find(reachable.begin(), reachable.end(), tree.order), reachable.end());
    if (seed % 2 == 0) {
      EXPECT_EQ(PathLength(tree.order, d), best);  // whole numbers: exact
    } else {
      EXPECT_NEAR(PathLength(tree.order, d), best, 1e-9);
    }
  }
}

TEST(TreeSeriation, BipolarizationPutsTheFarthestPairAtTheEnds) {
  for (std::uint32_t seed = 0; seed < 80; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const int n = 2 + static_cast<int>(seed % 11);
    const FullMatrix d = RandomTable(n, seed);
    CSide side(d, -1);
    CTree& tree = side.tree;
    BuildShape(tree, RandomMerges(n, random));
    const bool grouped = seed % 4 == 0 && n > 4;
    if (grouped) AggregateSome(tree, 1, false, random);
    const int l = tree.Node(tree.root).left;
    const int r = tree.Node(tree.root).right;
    // The first farthest pair across the junction, in the order before seriation.
    const std::vector<int> a = Block(tree, l);
    const std::vector<int> b = Block(tree, r);
    double farthest = 0.0;
    std::pair<int, int> poles{-1, -1};
    for (int x : a) {
      for (int y : b) {
        if (d[x][y] > farthest) {
          farthest = d[x][y];
          poles = {x, y};
        }
      }
    }
    CReference reference(tree, d);
    reference.Bipolarize(l, r);

    ASSERT_TRUE(SeriateTree(tree, Criteria(3)).ran);
    ExpectConsistent(tree);
    EXPECT_EQ(tree.order, reference.Sequence(tree.root));
    if (!grouped && poles.first >= 0) {
      EXPECT_EQ(tree.order.front(), poles.first);
      EXPECT_EQ(tree.order.back(), poles.second);
    }
  }
}

TEST(TreeSeriation, BipolarizationReachesPolesDeepInsideBothChildren) {
  // Left child (2, ((1, 0), 3)), right child ((4, 5), 6), farthest pair (0, 4): the left pole
  // needs exchanges below and above a node that it does not open, the right pole two exchanges
  // on the left of the right child.
  FullMatrix d(7, std::vector<double>(7, 1.0));
  for (int i = 0; i < 7; ++i)
    d[i][i] = 0.0;
  d[0][4] = d[4][0] = 9.0;
  CSide side(d, -1);
  BuildShape(side.tree, {{1, 0}, {7, 3}, {2, 8}, {4, 5}, {10, 6}, {9, 11}});
  ASSERT_EQ(side.tree.order, (std::vector<int>{2, 1, 0, 3, 4, 5, 6}));
  ASSERT_TRUE(SeriateTree(side.tree, Criteria(3)).ran);
  EXPECT_EQ(side.tree.order.front(), 0);
  EXPECT_EQ(side.tree.order.back(), 4);
  ExpectConsistent(side.tree);
}

TEST(JunctionFlip, NamedCases) {
  // L = (a, b) = (0, 1), R = (c, d) = (2, 3); d(b, c) largest, d(a, c) smallest.
  FullMatrix d = {{0, 1, 2, 5}, {1, 0, 9, 5}, {2, 9, 0, 1}, {5, 5, 1, 0}};
  {
    CSide side(d, -1);
    BuildShape(side.tree, {{0, 1}, {2, 3}, {4, 5}});
    JunctionFlip(side.tree, 4, 5, true, true, ChoiceOf<ETreeSeriation>(0));
    EXPECT_EQ(side.tree.order, (std::vector<int>{1, 0, 2, 3}));  // a meets c
  }
  {
    // Equal junction costs under multiple fragment: nothing flips.
    FullMatrix flat(4, std::vector<double>(4, 3.0));
    for (int i = 0; i < 4; ++i)
      flat[i][i] = 0.0;
    CSide side(flat, -1);
    BuildShape(side.tree, {{0, 1}, {2, 3}, {4, 5}});
    JunctionFlip(side.tree, 4, 5, true, true, ChoiceOf<ETreeSeriation>(0));
    EXPECT_EQ(side.tree.order, (std::vector<int>{0, 1, 2, 3}));
    // Only L may flip and both of its ends are as near to B_0: it flips.
    JunctionFlip(side.tree, 4, 5, true, false, ChoiceOf<ETreeSeriation>(1));
    EXPECT_EQ(side.tree.order, (std::vector<int>{1, 0, 2, 3}));
    // Only R may flip, its ends as near to A_z: it flips too, whatever the criterion.
    JunctionFlip(side.tree, 4, 5, false, true, ChoiceOf<ETreeSeriation>(7));
    EXPECT_EQ(side.tree.order, (std::vector<int>{1, 0, 3, 2}));
    // Neither may flip: nothing.
    JunctionFlip(side.tree, 4, 5, false, false, ChoiceOf<ETreeSeriation>(0));
    EXPECT_EQ(side.tree.order, (std::vector<int>{1, 0, 3, 2}));
    ExpectConsistent(side.tree);
  }
}

TEST(TreeSeriation, SelectedSubtreeChangesOnlyItsBlockAndTurnsAgainstItsSibling) {
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const int n = 5 + static_cast<int>(seed % 6);
    const FullMatrix d = RandomTable(n, seed);
    CSide side(d, -1);
    CTree& tree = side.tree;
    BuildShape(tree, RandomMerges(n, random));
    const int criterion = static_cast<int>(seed % 5);
    const int node = n + static_cast<int>(random() % static_cast<unsigned>(n - 2));
    SelectNode(tree, node);
    const std::vector<int> before = tree.order;
    const int parent = tree.Node(node).parent;
    const int sibling =
        tree.Node(parent).left == node ? tree.Node(parent).right : tree.Node(parent).left;
    const std::vector<int> siblingBefore = Block(tree, sibling);

    CReference reference(tree, d);
    if (criterion == 3) {
      reference.Bipolarize(reference.Left(node), reference.Right(node));
    } else if (criterion != 4) {
      reference.Junctions(node, criterion, [](const std::vector<int>& list) { return list; });
    }
    const auto reachable = reference.Reachable(node);
    reference.Junction(tree.Node(parent).left, tree.Node(parent).right, criterion,
                       tree.Node(parent).left == node, tree.Node(parent).right == node);

    ASSERT_TRUE(SeriateTree(tree, Criteria(criterion)).ran);
    ExpectConsistent(tree);
    EXPECT_EQ(Block(tree, sibling), siblingBefore);
    const CNode& p = tree.Node(parent);
    for (int k = 0; k < n; ++k) {
      if (k < p.first || k >= p.first + p.count) {
        EXPECT_EQ(tree.order[k], before[k]);
      }
    }
    std::vector<int> block = Block(tree, node);
    if (criterion != 4) {
      EXPECT_EQ(block, reference.Sequence(node));
    } else {
      const bool found = std::find(reachable.begin(), reachable.end(), block) != reachable.end();
      std::reverse(block.begin(), block.end());
      EXPECT_TRUE(found || std::find(reachable.begin(), reachable.end(), block) != reachable.end());
    }
  }
}

TEST(TreeSeriation, GroupsAreOrderedByThePlainMethodAndJoinedAsSeriated) {
  // Group (0, 1, 2) in ((0, 1), 2) of TwoTriples, joined at the root with ((3, 4), 5).
  for (int plain : {0, 3, 6}) {
    for (int criterion : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << "plain " << plain << " criterion " << criterion);
      const FullMatrix d = TwoTriples();
      CSide side(d);
      CTree& tree = side.tree;
      SelectNode(tree, 8);
      ASSERT_TRUE(Aggregate(tree));
      SelectNode(tree, tree.root);
      const TreatmentSettings settings = Criteria(criterion, plain);
      const std::vector<int> seriated = PlainOrder(tree, tree.Node(8).items, settings);
      CReference reference(tree, d);
      reference.Junctions(tree.root, criterion, [&](const std::vector<int>&) { return seriated; });

      ASSERT_TRUE(SeriateTree(tree, settings).ran);
      ExpectConsistent(tree);
      EXPECT_EQ(tree.order, reference.Sequence(tree.root));
      std::vector<int> items = tree.Node(8).items;
      if (items != seriated) std::reverse(items.begin(), items.end());
      EXPECT_EQ(items, seriated);
    }
  }
}

TEST(TreeSeriation, SelectedGroupIsOrderedByThePlainMethodEvenForTheMinimumPath) {
  const FullMatrix d = RandomEuclidean(8, 2, 7);
  CSide side(d);
  CTree& tree = side.tree;
  // A group of two leaves keeps the tree complete, so the minimum path does not refuse it.
  int pair = -1;
  for (int v = 8; v < tree.root; ++v) {
    if (tree.Node(v).count == 2) pair = v;
  }
  ASSERT_NE(pair, -1);
  SelectNode(tree, pair);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, pair);
  const std::vector<int> before = tree.order;
  const TreatmentSettings settings = Criteria(4, 3);
  const std::vector<int> expected = PlainOrder(tree, tree.Node(pair).items, settings);
  ASSERT_TRUE(SeriateTree(tree, settings).ran);
  ExpectConsistent(tree);
  std::vector<int> items = tree.Node(pair).items;
  if (items != expected) std::reverse(items.begin(), items.end());  // turned against its sibling
  EXPECT_EQ(items, expected);
  const CNode& group = tree.Node(pair);
  for (int k = 0; k < 8; ++k) {
    if (k < group.first || k >= group.first + group.count) {
      EXPECT_EQ(tree.order[k], before[k]);
    }
  }
}

TEST(TreeSeriation, MinimumPathRefusesGroupsOfThreeAndChangesNothing) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 8);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, tree.root);
  tree.SetMarks(tree.root, 0, 1);
  tree.CombineMarks(tree.root);
  const std::vector<CNode> nodes = tree.nodes;
  const std::vector<int> order = tree.order;

  const CTreeSeriationResult refused = SeriateTree(tree, Criteria(4));
  EXPECT_FALSE(refused.ran);
  EXPECT_TRUE(refused.refusedForGroupedLeaves);
  EXPECT_EQ(tree.order, order);
  for (size_t k = 0; k < nodes.size(); ++k) {
    EXPECT_EQ(tree.nodes[k].left, nodes[k].left);
    EXPECT_EQ(tree.nodes[k].items, nodes[k].items);
    EXPECT_EQ(tree.nodes[k].criterionMark, nodes[k].criterionMark);
  }
  // The other criteria run on the same tree.
  const CTreeSeriationResult ran = SeriateTree(tree, Criteria(1));
  EXPECT_TRUE(ran.ran);
  EXPECT_FALSE(ran.refusedForGroupedLeaves);
}

TEST(TreeSeriation, MarksRecordTheRulesOnTheSelectedSubtree) {
  CSide side(TwoTriples());
  CTree& tree = side.tree;
  SelectNode(tree, 6);
  ASSERT_TRUE(Aggregate(tree));
  SelectNode(tree, 8);
  ASSERT_TRUE(SeriateTree(tree, Criteria(2, 5)).ran);
  RecordTreeSeriationMarks(tree, ESeriation::kCentroid, ETreeSeriation::kInertia);
  EXPECT_EQ(tree.Node(8).criterionMark, 2);
  EXPECT_EQ(tree.Node(6).methodMark, 5);  // the group inside the subtree
  EXPECT_EQ(tree.Node(8).methodMark, 5);
  EXPECT_EQ(tree.Node(9).criterionMark, -1);
  EXPECT_EQ(tree.Node(tree.root).criterionMark, -1);  // mixed with the untouched sibling
  SelectNode(tree, tree.root);
  RecordTreeSeriationMarks(tree, ESeriation::kCentroid, ETreeSeriation::kInertia);
  EXPECT_EQ((CMarkPair{tree.Node(tree.root).methodMark, tree.Node(tree.root).criterionMark}),
            (CMarkPair{5, 2}));
  EXPECT_TRUE(tree.HasMethodMark());
}

TEST(TreeSeriation, LargeClusteredTreesStayConsistent) {
  for (int criterion = 0; criterion <= 4; ++criterion) {
    SCOPED_TRACE(testing::Message() << "criterion " << criterion);
    const FullMatrix d = RandomEuclidean(300, 3, 11);
    CSide side(d, 1);  // single linkage: deep chains
    ASSERT_TRUE(SeriateTree(side.tree, Criteria(criterion)).ran);
    ExpectConsistent(side.tree);
  }
}
