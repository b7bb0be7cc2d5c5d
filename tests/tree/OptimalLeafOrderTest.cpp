// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/OptimalLeafOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <stdexcept>

#include "dissimilarity/Distance.h"

namespace {

enum class Shape { kRandom, kChain, kBalanced };

// A tree over n items: leaves carry a shuffled permutation of the items, the shape decides how
// they are joined, and the node indices are shuffled at the end so that nothing depends on them.
CBinaryTree MakeTree(int n, Shape shape, std::mt19937& random) {
  CBinaryTree tree;
  tree.item.resize(static_cast<size_t>(n));
  std::iota(tree.item.begin(), tree.item.end(), 0);
  std::shuffle(tree.item.begin(), tree.item.end(), random);
  tree.left.assign(static_cast<size_t>(n), -1);
  tree.right.assign(static_cast<size_t>(n), -1);
  auto join = [&](int a, int b) {
    if (random() % 2) std::swap(a, b);
    tree.left.push_back(a);
    tree.right.push_back(b);
    tree.item.push_back(-1);
    return static_cast<int>(tree.left.size()) - 1;
  };
  std::vector<int> roots(static_cast<size_t>(n));
  std::iota(roots.begin(), roots.end(), 0);
  while (roots.size() > 1) {
    if (shape == Shape::kRandom) {
      const size_t i = random() % roots.size();
      const int a = roots[i];
      roots.erase(roots.begin() + static_cast<ptrdiff_t>(i));
      const size_t j = random() % roots.size();
      roots[j] = join(a, roots[j]);
    } else if (shape == Shape::kChain) {
      const int next = roots.back();
      roots.pop_back();
      roots.back() = join(roots.back(), next);
    } else {
      std::vector<int> joined;
      for (size_t i = 0; i + 1 < roots.size(); i += 2)
        joined.push_back(join(roots[i], roots[i + 1]));
      if (roots.size() % 2) joined.push_back(roots.back());
      roots = joined;
    }
  }
  const size_t nodes = tree.left.size();
  std::vector<int> relabel(nodes);
  std::iota(relabel.begin(), relabel.end(), 0);
  std::shuffle(relabel.begin(), relabel.end(), random);
  CBinaryTree shuffled;
  shuffled.left.resize(nodes);
  shuffled.right.resize(nodes);
  shuffled.item.resize(nodes);
  for (size_t v = 0; v < nodes; ++v) {
    const size_t to = static_cast<size_t>(relabel[v]);
    const bool leaf = tree.left[v] < 0;
    shuffled.left[to] = leaf ? -1 : relabel[static_cast<size_t>(tree.left[v])];
    shuffled.right[to] = leaf ? -1 : relabel[static_cast<size_t>(tree.right[v])];
    shuffled.item[to] = tree.item[v];
  }
  shuffled.root = relabel[static_cast<size_t>(roots.front())];
  return shuffled;
}

CDistance MakeDistance(int n, const std::function<double(int, int)>& value) {
  CDistance d;
  d.Allocate(n);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j)
      d.Set(i, j, value(i, j));
  }
  return d;
}

CDistance RandomIntegers(int n, int largest, double scale, std::mt19937& random) {
  std::uniform_int_distribution<int> value(0, largest);
  return MakeDistance(n, [&](int, int) { return scale * value(random); });
}

// Euclidean distances of points drawn around a few centres, as a clustered table gives them.
CDistance ClusteredPoints(int n, int dimensions, std::mt19937& random) {
  std::normal_distribution<double> normal(0.0, 1.0);
  std::vector<std::vector<double>> centres(4, std::vector<double>(static_cast<size_t>(dimensions)));
  for (auto& centre : centres) {
    for (double& x : centre)
      x = 4.0 * normal(random);
  }
  std::vector<std::vector<double>> points(static_cast<size_t>(n));
  for (auto& point : points) {
    const auto& centre = centres[random() % centres.size()];
    for (double x : centre)
      point.push_back(x + normal(random));
  }
  return MakeDistance(n, [&](int i, int j) {
    double sum = 0.0;
    for (int k = 0; k < dimensions; ++k) {
      const double step = points[static_cast<size_t>(i)][static_cast<size_t>(k)] -
                          points[static_cast<size_t>(j)][static_cast<size_t>(k)];
      sum += step * step;
    }
    return std::sqrt(sum);
  });
}

bool IsLeaf(const CBinaryTree& tree, int v) {
  return tree.left[static_cast<size_t>(v)] < 0;
}

// The leaf items left to right, with the children of every marked node exchanged.
std::vector<int> LeafItems(const CBinaryTree& tree, const std::vector<char>& exchange) {
  std::vector<int> items;
  std::function<void(int)> walk = [&](int v) {
    const size_t at = static_cast<size_t>(v);
    if (IsLeaf(tree, v)) {
      items.push_back(tree.item[at]);
      return;
    }
    const bool swapped = !exchange.empty() && exchange[at];
    walk(swapped ? tree.right[at] : tree.left[at]);
    walk(swapped ? tree.left[at] : tree.right[at]);
  };
  walk(tree.root);
  return items;
}

double PathLength(const std::vector<int>& items, const CDistance& d) {
  double length = 0.0;
  for (size_t i = 0; i + 1 < items.size(); ++i)
    length += d.At(items[i], items[i + 1]);
  return length;
}

// The shortest path over all 2^(internal nodes) exchange patterns.
double ExhaustiveLength(const CBinaryTree& tree, const CDistance& d) {
  std::vector<int> internal;
  for (size_t v = 0; v < tree.left.size(); ++v) {
    if (tree.left[v] >= 0) internal.push_back(static_cast<int>(v));
  }
  double best = std::numeric_limits<double>::infinity();
  for (unsigned mask = 0; mask < (1u << internal.size()); ++mask) {
    std::vector<char> exchange(tree.left.size(), 0);
    for (size_t b = 0; b < internal.size(); ++b) {
      exchange[static_cast<size_t>(internal[b])] = (mask >> b) & 1u;
    }
    best = std::min(best, PathLength(LeafItems(tree, exchange), d));
  }
  return best;
}

// The recurrence written out directly: cost(v; u, w) over every k and m at once, at every node
// including the top, whose best pair gives the answer.
double RecurrenceLength(const CBinaryTree& tree, const CDistance& d) {
  const size_t n = static_cast<size_t>(d.size);
  std::vector<double> cost(n * n, 0.0);
  std::vector<std::vector<int>> leaves(tree.left.size());
  double best = 0.0;
  std::function<void(int)> build = [&](int v) {
    const size_t at = static_cast<size_t>(v);
    if (IsLeaf(tree, v)) {
      leaves[at] = {tree.item[at]};
      return;
    }
    const int x = tree.left[at], y = tree.right[at];
    build(x);
    build(y);
    auto otherEnds = [&](int child, int u) -> std::vector<int> {
      const size_t c = static_cast<size_t>(child);
      if (IsLeaf(tree, child)) return {u};
      const auto& first = leaves[static_cast<size_t>(tree.left[c])];
      const bool inFirst = std::find(first.begin(), first.end(), u) != first.end();
      return inFirst ? leaves[static_cast<size_t>(tree.right[c])] : first;
    };
    best = std::numeric_limits<double>::infinity();
    for (int u : leaves[static_cast<size_t>(x)]) {
      for (int w : leaves[static_cast<size_t>(y)]) {
        double pair = std::numeric_limits<double>::infinity();
        for (int k : otherEnds(x, u)) {
          for (int m : otherEnds(y, w)) {
            pair = std::min(pair, cost[static_cast<size_t>(u) * n + static_cast<size_t>(k)] +
                                      d.At(k, m) +
                                      cost[static_cast<size_t>(m) * n + static_cast<size_t>(w)]);
          }
        }
        cost[static_cast<size_t>(u) * n + static_cast<size_t>(w)] = pair;
        cost[static_cast<size_t>(w) * n + static_cast<size_t>(u)] = pair;
        best = std::min(best, pair);
      }
    }
    leaves[at] = leaves[static_cast<size_t>(x)];
    leaves[at].insert(leaves[at].end(), leaves[static_cast<size_t>(y)].begin(),
                      leaves[static_cast<size_t>(y)].end());
  };
  build(tree.root);
  return best;
}

// Bottom-up junction flips by nearest ends: each node orients its two children so that the two
// leaves that meet are as close as possible.
double GreedyLength(const CBinaryTree& tree, const CDistance& d) {
  std::function<std::vector<int>(int)> order = [&](int v) -> std::vector<int> {
    const size_t at = static_cast<size_t>(v);
    if (IsLeaf(tree, v)) return {tree.item[at]};
    std::vector<int> left = order(tree.left[at]);
    std::vector<int> right = order(tree.right[at]);
    double best = std::numeric_limits<double>::infinity();
    bool flipLeft = false, flipRight = false;
    for (bool fl : {false, true}) {
      for (bool fr : {false, true}) {
        const double junction =
            d.At(fl ? left.front() : left.back(), fr ? right.back() : right.front());
        if (junction < best) best = junction, flipLeft = fl, flipRight = fr;
      }
    }
    if (flipLeft) std::reverse(left.begin(), left.end());
    if (flipRight) std::reverse(right.begin(), right.end());
    left.insert(left.end(), right.begin(), right.end());
    return left;
  };
  return PathLength(order(tree.root), d);
}

// The result is a permutation of the leaves, the exchange marks produce it, and its length is
// the one reported.
void ExpectConsistent(const CBinaryTree& tree, const CDistance& d, const CLeafOrder& result) {
  std::vector<int> sorted = result.items;
  std::sort(sorted.begin(), sorted.end());
  std::vector<int> leaves = LeafItems(tree, {});
  std::sort(leaves.begin(), leaves.end());
  EXPECT_EQ(sorted, leaves);
  ASSERT_EQ(result.exchange.size(), tree.left.size());
  for (size_t v = 0; v < tree.left.size(); ++v) {
    if (tree.left[v] < 0) {
      EXPECT_EQ(result.exchange[v], 0);
    }
  }
  EXPECT_EQ(LeafItems(tree, result.exchange), result.items);
  const double length = PathLength(result.items, d);
  if (!std::isnan(length)) {
    EXPECT_EQ(result.length, length);
  }
}

constexpr Shape kShapes[] = {Shape::kRandom, Shape::kChain, Shape::kBalanced};

}  // namespace

TEST(OptimalLeafOrder, MatchesExhaustiveSearchOnSmallTrees) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(0.0, 1.0);
    for (int n = 2; n <= 10; ++n) {
      for (Shape shape : kShapes) {
        SCOPED_TRACE(testing::Message()
                     << "seed " << seed << ", n " << n << ", shape " << static_cast<int>(shape));
        const CBinaryTree tree = MakeTree(n, shape, random);
        const CDistance d = MakeDistance(n, [&](int, int) { return value(random); });
        const CLeafOrder result = OptimalLeafOrder(tree, d, static_cast<int>(seed % 4));
        ExpectConsistent(tree, d, result);
        const double best = ExhaustiveLength(tree, d);
        EXPECT_NEAR(result.length, best, 1e-12 * best);
      }
    }
  }
}

TEST(OptimalLeafOrder, MatchesExhaustiveSearchExactlyWithTies) {
  // Few distinct integer values: many orders tie, and the sums are exact.
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    for (int n = 3; n <= 10; ++n) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << ", n " << n);
      const CBinaryTree tree = MakeTree(n, kShapes[seed % 3], random);
      const CDistance d = RandomIntegers(n, 3, 1.0, random);
      const CLeafOrder result = OptimalLeafOrder(tree, d, static_cast<int>(seed % 4));
      ExpectConsistent(tree, d, result);
      EXPECT_EQ(result.length, ExhaustiveLength(tree, d));
    }
  }
}

TEST(OptimalLeafOrder, MatchesTheRecurrenceOnLargerTreesWhateverTheTables) {
  // Depth 0 lets the work estimate choose; 1 tables every node below the top; deeper ones leave
  // more levels to be asked instead.
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    for (int n : {23, 64, 97}) {
      for (Shape shape : kShapes) {
        const CBinaryTree tree = MakeTree(n, shape, random);
        const CDistance integers = RandomIntegers(n, 20, 1.0, random);
        const CDistance points = ClusteredPoints(n, 3, random);
        const double exact = RecurrenceLength(tree, integers);
        const double real = RecurrenceLength(tree, points);
        for (int tableDepth : {0, 1, 2, 4, 7}) {
          SCOPED_TRACE(testing::Message()
                       << "seed " << seed << ", n " << n << ", shape " << static_cast<int>(shape)
                       << ", tables from depth " << tableDepth);
          const CLeafOrder onIntegers = OptimalLeafOrder(tree, integers, tableDepth);
          ExpectConsistent(tree, integers, onIntegers);
          EXPECT_EQ(onIntegers.length, exact);
          const CLeafOrder onPoints = OptimalLeafOrder(tree, points, tableDepth);
          ExpectConsistent(tree, points, onPoints);
          EXPECT_NEAR(onPoints.length, real, 1e-12 * real);
        }
      }
    }
  }
}

TEST(OptimalLeafOrder, PathsLongerThanAMillionStayOptimal) {
  // Each step alone exceeds a million; sums of many such steps must still compare correctly.
  for (unsigned seed = 1; seed <= 30; ++seed) {
    std::mt19937 random(seed);
    const int n = 4 + static_cast<int>(seed % 7);
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", n " << n);
    const CBinaryTree tree = MakeTree(n, kShapes[seed % 3], random);
    const CDistance d = RandomIntegers(n, 1000, 1.0e7, random);
    const CLeafOrder result = OptimalLeafOrder(tree, d);
    ExpectConsistent(tree, d, result);
    EXPECT_EQ(result.length, ExhaustiveLength(tree, d));
  }
  std::mt19937 random(99);
  const CBinaryTree tree = MakeTree(80, Shape::kRandom, random);
  const CDistance d = RandomIntegers(80, 1000, 1.0e9, random);
  EXPECT_EQ(OptimalLeafOrder(tree, d).length, RecurrenceLength(tree, d));
}

TEST(OptimalLeafOrder, DegenerateTrees) {
  CDistance three = MakeDistance(3, [](int i, int j) { return i + j; });
  CBinaryTree single;
  single.left = {-1, -1};
  single.right = {-1, -1};
  single.item = {0, 2};
  single.root = 1;
  const CLeafOrder alone = OptimalLeafOrder(single, three);
  EXPECT_EQ(alone.items, std::vector<int>{2});
  EXPECT_EQ(alone.exchange, (std::vector<char>{0, 0}));
  EXPECT_EQ(alone.length, 0.0);

  // Two leaves: the top keeps the first pair it meets, so nothing is exchanged.
  CBinaryTree pair;
  pair.left = {1, -1, -1};
  pair.right = {2, -1, -1};
  pair.item = {-1, 2, 0};
  pair.root = 0;
  const CLeafOrder two = OptimalLeafOrder(pair, three);
  EXPECT_EQ(two.items, (std::vector<int>{2, 0}));
  EXPECT_EQ(two.exchange, (std::vector<char>{0, 0, 0}));
  EXPECT_EQ(two.length, 2.0);

  std::mt19937 random(5);
  for (Shape shape : kShapes) {
    const CBinaryTree tree = MakeTree(40, shape, random);
    const CDistance zero = MakeDistance(40, [](int, int) { return 0.0; });
    const CLeafOrder result = OptimalLeafOrder(tree, zero);
    ExpectConsistent(tree, zero, result);
    EXPECT_EQ(result.length, 0.0);
    // Undefined dissimilarities (a constant item under Pearson's) are never chosen as shorter,
    // but the result is still an order of the tree.
    std::uniform_int_distribution<int> value(0, 9);
    const CDistance gaps = MakeDistance(
        40, [&](int i, int j) { return (i + j) % 7 == 0 ? std::nan("") : value(random); });
    ExpectConsistent(tree, gaps, OptimalLeafOrder(tree, gaps));
  }
}

TEST(OptimalLeafOrder, NeverLongerThanGreedyJunctionFlips) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    std::mt19937 random(seed);
    for (Shape shape : kShapes) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << ", shape " << static_cast<int>(shape));
      const int n = 300;
      const CBinaryTree tree = MakeTree(n, shape, random);
      const CDistance d = ClusteredPoints(n, 5, random);
      const CLeafOrder result = OptimalLeafOrder(tree, d);
      ExpectConsistent(tree, d, result);
      EXPECT_LE(result.length, GreedyLength(tree, d) * (1.0 + 1e-12));
      EXPECT_LE(result.length, PathLength(LeafItems(tree, {}), d) * (1.0 + 1e-12));
    }
  }
}

TEST(OptimalLeafOrder, RejectsArraysThatAreNotABinaryTree) {
  const CDistance d = MakeDistance(3, [](int i, int j) { return i + j; });
  CBinaryTree tree;
  tree.left = {-1, -1, -1, 0, 3};
  tree.right = {-1, -1, -1, 1, 2};
  tree.item = {0, 1, 2, -1, -1};
  tree.root = 4;
  EXPECT_NO_THROW(OptimalLeafOrder(tree, d));

  CBinaryTree shared = tree;
  shared.right[4] = 0;  // leaf 0 under two parents
  EXPECT_THROW(OptimalLeafOrder(shared, d), std::invalid_argument);
  CBinaryTree cycle = tree;
  cycle.left[3] = 4;
  EXPECT_THROW(OptimalLeafOrder(cycle, d), std::invalid_argument);
  CBinaryTree oneChild = tree;
  oneChild.right[3] = -1;
  EXPECT_THROW(OptimalLeafOrder(oneChild, d), std::invalid_argument);
  CBinaryTree badItem = tree;
  badItem.item[2] = 3;
  EXPECT_THROW(OptimalLeafOrder(badItem, d), std::invalid_argument);
  CBinaryTree badRoot = tree;
  badRoot.root = 5;
  EXPECT_THROW(OptimalLeafOrder(badRoot, d), std::invalid_argument);
  CBinaryTree shortArrays = tree;
  shortArrays.item.pop_back();
  EXPECT_THROW(OptimalLeafOrder(shortArrays, d), std::invalid_argument);
}
