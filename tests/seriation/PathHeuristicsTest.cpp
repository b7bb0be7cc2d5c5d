// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <random>

#include "SeriationFixture.h"
#include "seriation/FarthestAddition.h"
#include "seriation/MultipleFragment.h"

namespace {

// Multiple fragment straight from its rules: full matrices, fragments as vectors reversed in
// place, 1e20 as the search bound.
std::vector<int> ReferenceMF(const CDistance& side, const std::vector<int>& sequence) {
  const int m = static_cast<int>(sequence.size());
  if (m < 2) return sequence;
  auto d = [&](int i, int j) {
    return side.At(sequence[static_cast<size_t>(i)], sequence[static_cast<size_t>(j)]);
  };
  std::vector<std::vector<double>> t(static_cast<size_t>(m), std::vector<double>(m));
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < m; ++j)
      t[i][j] = d(i, j);
  }
  std::vector<std::vector<int>> fragment(static_cast<size_t>(m));
  for (int i = 0; i < m; ++i)
    fragment[i] = {i};
  std::vector<bool> active(static_cast<size_t>(m), true);
  std::vector<int> nearest(static_cast<size_t>(m), 0);
  std::vector<double> nearestDist(static_cast<size_t>(m), 1e20);
  auto findNearest = [&](int i) {
    nearest[i] = 0;
    nearestDist[i] = 1e20;
    for (int j = i + 1; j < m; ++j) {
      if (active[j] && t[i][j] < nearestDist[i]) {
        nearest[i] = j;
        nearestDist[i] = t[i][j];
      }
    }
  };
  for (int i = 0; i + 1 < m; ++i)
    findNearest(i);
  for (int merge = 0; merge < m - 1; ++merge) {
    int chosen = 0;
    double best = 1e20;
    for (int i = 0; i + 1 < m; ++i) {
      if (active[i] && nearestDist[i] < best) {
        chosen = i;
        best = nearestDist[i];
      }
    }
    const int p = std::min(chosen, nearest[chosen]);
    const int q = std::max(chosen, nearest[chosen]);
    auto& fp = fragment[p];
    auto& fq = fragment[q];
    auto joins = [&] { return d(fp.back(), fq.front()) == best; };
    bool matched = joins();
    if (!matched) std::reverse(fp.begin(), fp.end()), matched = joins();
    if (!matched) std::reverse(fq.begin(), fq.end()), matched = joins();
    if (!matched) std::reverse(fp.begin(), fp.end()), matched = joins();
    EXPECT_TRUE(matched);
    fp.insert(fp.end(), fq.begin(), fq.end());
    active[q] = false;
    nearest[p] = 0;
    nearestDist[p] = 1e20;
    for (int u = 0; u < m; ++u) {
      if (!active[u] || u == p) continue;
      const auto& fu = fragment[u];
      double v = 1e20;
      for (const int x : {fp.front(), fp.back()}) {
        for (const int y : {fu.front(), fu.back()})
          v = std::min(v, d(x, y));
      }
      t[p][u] = t[u][p] = v;
      if (u > p && v < nearestDist[p]) {
        nearest[p] = u;
        nearestDist[p] = v;
      }
    }
    for (int i = 0; i + 1 < m; ++i) {
      if (active[i] && (nearest[i] == p || nearest[i] == q)) findNearest(i);
    }
  }
  std::vector<int> result;
  for (const int position : fragment[0])
    result.push_back(sequence[position]);
  return result;
}

// Farthest addition straight from its rules: distances to the tour from scratch, 1e20 bounds.
std::vector<int> ReferenceFA(const CDistance& side, const std::vector<int>& sequence) {
  const int m = static_cast<int>(sequence.size());
  if (m < 2) return sequence;
  auto d = [&](int i, int j) {
    return side.At(sequence[static_cast<size_t>(i)], sequence[static_cast<size_t>(j)]);
  };
  int a = 0, b = 1;
  double far = 0.0;
  for (int i = 0; i < m; ++i) {
    for (int j = i + 1; j < m; ++j) {
      if (d(i, j) > far) far = d(i, j), a = i, b = j;
    }
  }
  std::list<int> candidates;
  for (int c = 0; c < m; ++c) {
    if (c != a && c != b) candidates.push_back(c);
  }
  std::vector<int> tour{a, b, a};
  while (!candidates.empty()) {
    auto chosen = candidates.begin();
    double chosenDist = 0.0;
    for (auto c = candidates.begin(); c != candidates.end(); ++c) {
      double v = 1e20;
      for (const int node : tour)
        v = std::min(v, d(*c, node));
      if (v > chosenDist) chosen = c, chosenDist = v;
    }
    const int c = *chosen;
    candidates.erase(chosen);
    size_t place = 0;
    double cheapest = 1e20;
    for (size_t k = 0; k + 2 < tour.size(); ++k) {
      const double cost = d(tour[k], c) + d(c, tour[k + 1]) - d(tour[k], tour[k + 1]);
      if (cost < cheapest) place = k, cheapest = cost;
    }
    tour.insert(tour.begin() + static_cast<long>(place) + 1, c);
  }
  size_t cut = 0;
  double longest = -1.0;
  for (size_t k = 0; k + 1 < tour.size(); ++k) {
    if (d(tour[k], tour[k + 1]) > longest) cut = k, longest = d(tour[k], tour[k + 1]);
  }
  std::vector<int> result;
  for (size_t k = cut + 1; k + 1 < tour.size(); ++k)
    result.push_back(sequence[tour[k]]);
  for (size_t k = 0; k <= cut; ++k)
    result.push_back(sequence[tour[k]]);
  return result;
}

std::vector<int> RunMF(CSeriationSide& side, std::vector<int> sequence) {
  SeriateByMF(side.elements, sequence.data(), static_cast<int>(sequence.size()));
  return sequence;
}

std::vector<int> RunFA(CSeriationSide& side, std::vector<int> sequence) {
  SeriateByFA(side.elements, sequence.data(), static_cast<int>(sequence.size()));
  return sequence;
}

bool IsLineOrder(const std::vector<int>& order) {
  return std::is_sorted(order.begin(), order.end()) || std::is_sorted(order.rbegin(), order.rend());
}

}  // namespace

TEST(PathHeuristics, OneItemIsLeftAsItIs) {
  CSeriationSide side(LineMatrix({0, 5, 9}));
  EXPECT_EQ(RunMF(side, {2}), (std::vector<int>{2}));
  EXPECT_EQ(RunFA(side, {2}), (std::vector<int>{2}));
}

TEST(PathHeuristics, TwoItemsStayForMFAndTurnRoundForFA) {
  CSeriationSide side(LineMatrix({0, 5, 9}));
  EXPECT_EQ(RunMF(side, {2, 0}), (std::vector<int>{2, 0}));
  // The tour a, b, a has two equally long edges; the first one is cut.
  EXPECT_EQ(RunFA(side, {2, 0}), (std::vector<int>{0, 2}));
  CSeriationSide zero(MatrixOf(2, [](int, int) { return 0.0; }));
  EXPECT_EQ(RunFA(zero, {0, 1}), (std::vector<int>{1, 0}));
}

TEST(PathHeuristics, MFFollowsFourPointsOfALine) {
  CSeriationSide side(LineMatrix({0, 1, 2, 3}));
  EXPECT_TRUE(IsLineOrder(RunMF(side, {0, 1, 2, 3})));
  EXPECT_TRUE(IsLineOrder(RunMF(side, {2, 0, 3, 1})));
  EXPECT_TRUE(IsLineOrder(RunFA(side, {2, 0, 3, 1})));
}

TEST(PathHeuristics, DissimilaritiesBeyondTheOldBoundStillTakePart) {
  // Distances of 1e21 and more: the searches treat them like any other value.
  std::vector<double> coordinates{0, 3e21, 1e21, 7e21, 5e21};
  CSeriationSide side(LineMatrix(coordinates));
  const std::vector<int> byCoordinate{0, 2, 1, 4, 3};
  std::vector<int> mf = RunMF(side, {0, 1, 2, 3, 4});
  if (mf.front() != 0) std::reverse(mf.begin(), mf.end());
  EXPECT_EQ(mf, byCoordinate);
  std::vector<int> fa = RunFA(side, {0, 1, 2, 3, 4});
  if (fa.front() != 0) std::reverse(fa.begin(), fa.end());
  EXPECT_EQ(fa, byCoordinate);

  const double infinity = std::numeric_limits<double>::infinity();
  CSeriationSide infinite(MatrixOf(5, [&](int a, int b) { return b == a + 1 ? 1.0 : infinity; }));
  const std::vector<int> chain = RunMF(infinite, {3, 1, 4, 0, 2});
  EXPECT_TRUE(IsLineOrder(chain)) << Describe(chain);
  EXPECT_TRUE(IsPermutationOf(RunFA(infinite, {3, 1, 4, 0, 2}), Identity(5)));
}

TEST(PathHeuristics, FANeverInsertsOnTheClosingEdge) {
  // Start pair 0, 1 (d = 10); item 2 goes first (tour 0, 2, 1, 0). Item 3 would cost least on the
  // closing edge 1 → 0 (8 + 3 − 10 = 1) but may only take 0 → 2 (3 + 4 − 5 = 2) or 2 → 1
  // (4 + 8 − 6 = 6): tour 0, 3, 2, 1, 0, opened at its longest edge, the closing one.
  const double table[4][4] = {{0, 10, 5, 3}, {10, 0, 6, 8}, {5, 6, 0, 4}, {3, 8, 4, 0}};
  CSeriationSide side(MatrixOf(4, [&](int a, int b) { return table[a][b]; }));
  EXPECT_EQ(RunFA(side, {0, 1, 2, 3}), (std::vector<int>{0, 3, 2, 1}));
}

TEST(PathHeuristics, MatchReferenceOnRandomPoints) {
  const unsigned seed = 20240611;
  std::mt19937 random(seed);
  for (int round = 0; round < 20; ++round) {
    const int n = 2 + round * 3;
    CSeriationSide side(EuclideanMatrix(RandomPoints(n, 2 + round % 3, random)));
    const std::vector<int> sequence = Shuffled(n, random);
    EXPECT_EQ(RunMF(side, sequence), ReferenceMF(side.distance, sequence))
        << "seed " << seed << " round " << round;
    EXPECT_EQ(RunFA(side, sequence), ReferenceFA(side.distance, sequence))
        << "seed " << seed << " round " << round;
  }
}

TEST(PathHeuristics, MatchReferenceOnTieHeavyIntegers) {
  const unsigned seed = 77;
  std::mt19937 random(seed);
  for (int round = 0; round < 40; ++round) {
    const int n = 2 + round % 25;
    CSeriationSide side(RandomIntegerMatrix(n, round % 4 == 0 ? 0 : 1, 3, random));
    const std::vector<int> sequence = Shuffled(n, random);
    EXPECT_EQ(RunMF(side, sequence), ReferenceMF(side.distance, sequence))
        << "seed " << seed << " round " << round;
    EXPECT_EQ(RunFA(side, sequence), ReferenceFA(side.distance, sequence))
        << "seed " << seed << " round " << round;
  }
  // Every dissimilarity equal, or all zero.
  for (const double value : {0.0, 2.0}) {
    CSeriationSide side(MatrixOf(9, [&](int, int) { return value; }));
    const std::vector<int> sequence = Shuffled(9, random);
    EXPECT_EQ(RunMF(side, sequence), ReferenceMF(side.distance, sequence)) << value;
    EXPECT_EQ(RunFA(side, sequence), ReferenceFA(side.distance, sequence)) << value;
  }
}

TEST(PathHeuristics, WorkOnAPartOfTheSideByItsItems) {
  std::mt19937 random(5);
  CSeriationSide side(EuclideanMatrix(RandomPoints(30, 2, random)));
  const std::vector<int> part{17, 3, 25, 8, 11, 29, 0, 14};
  EXPECT_EQ(RunMF(side, part), ReferenceMF(side.distance, part));
  EXPECT_EQ(RunFA(side, part), ReferenceFA(side.distance, part));
}
