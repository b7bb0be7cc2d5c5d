// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "dissimilarity/Distance.h"
#include "dissimilarity/Objective.h"

namespace {

CDistance LineDistances(const std::vector<double>& coordinates) {
  CDistance d;
  const int n = static_cast<int>(coordinates.size());
  d.Allocate(n);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      d.Set(i, j,
            std::abs(coordinates[static_cast<size_t>(i)] - coordinates[static_cast<size_t>(j)]));
    }
  }
  d.SumByRows(nullptr);
  return d;
}

// R straight from its definition: the correlation over all n² position pairs.
double ReferenceR(const std::vector<int>& order, const CDistance& d) {
  const int n = static_cast<int>(order.size());
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (int p = 0; p < n; ++p) {
    for (int q = 0; q < n; ++q) {
      const double x = d.At(order[static_cast<size_t>(p)], order[static_cast<size_t>(q)]);
      const double y = std::abs(p - q);
      sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
    }
  }
  const double m = static_cast<double>(n) * n;
  return (sxy / m - sx / m * sy / m) /
         std::sqrt((sxx / m - sx / m * sx / m) * (syy / m - sy / m * sy / m));
}

}  // namespace

TEST(Objective, TwoItemsCorrelatePerfectly) {
  CDistance d;
  d.Allocate(2);
  d.Set(0, 1, 5);
  d.SumByRows(nullptr);
  const int order[] = {0, 1};
  EXPECT_NEAR(ObjectiveR(order, 2, d, nullptr), 1.0, 1e-7);
}

TEST(Objective, PathLengthOfThreeItemsOnALine) {
  const CDistance d = LineDistances({0, 1, 3});
  const int straight[] = {0, 1, 2};
  const int folded[] = {0, 2, 1};
  EXPECT_EQ(ObjectiveS(straight, 3, d, nullptr).s, 3.0);
  EXPECT_EQ(ObjectiveS(folded, 3, d, nullptr).s, 5.0);
  EXPECT_EQ(ObjectiveS(folded, 3, d, nullptr).s2, 9.0 + 4.0);
}

TEST(Objective, RMatchesItsDefinitionAndIgnoresTheDirection) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> coordinate(0, 100);
  for (int n : {3, 10, 57}) {
    std::vector<double> points(static_cast<size_t>(n));
    for (double& x : points)
      x = coordinate(random);
    const CDistance d = LineDistances(points);
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    const double r = ObjectiveR(order.data(), n, d, nullptr);
    // The single-precision factor limits the agreement to about 1e-7.
    EXPECT_NEAR(r, ReferenceR(order, d), 1e-6) << n;
    std::vector<int> reversed(order.rbegin(), order.rend());
    EXPECT_EQ(ObjectiveR(reversed.data(), n, d, nullptr), r);
    EXPECT_NEAR(ObjectiveS(reversed.data(), n, d, nullptr).s,
                ObjectiveS(order.data(), n, d, nullptr).s, 1e-9);
  }
}

TEST(Objective, ZeroDenominatorGivesZeroNotNan) {
  CDistance one;
  one.Allocate(1);
  one.SumByRows(nullptr);
  const int single[] = {0};
  EXPECT_EQ(ObjectiveR(single, 1, one, nullptr), 0.0);
  EXPECT_EQ(ObjectiveS(single, 1, one, nullptr).s, 0.0);
  const CDistance equal = LineDistances({0, 0, 0, 0});
  const int order[] = {0, 1, 2, 3};
  EXPECT_EQ(ObjectiveR(order, 4, equal, nullptr), 0.0);
}
