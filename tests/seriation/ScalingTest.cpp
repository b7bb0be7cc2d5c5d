// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "SeriationFixture.h"
#include "seriation/DiscreteScaling.h"
#include "seriation/Extract.h"
#include "seriation/NumericScaling.h"
#include "seriation/PowerIteration.h"

namespace {

// Σ_{p<q} (q − p)^power · d(s_p, s_q): the criterion a discrete swap changes.
double Criterion(const CDistance& d, const std::vector<int>& s, int power) {
  double total = 0.0;
  for (size_t p = 0; p < s.size(); ++p) {
    for (size_t q = p + 1; q < s.size(); ++q) {
      total += std::pow(static_cast<double>(q - p), power) * d.At(s[p], s[q]);
    }
  }
  return total;
}

// The discrete search from its rules, on the whole side (item sums of the side) or on Extract.
std::vector<int> ReferenceDiscrete(const CDistance& side, std::vector<int> sequence,
                                   int criterion) {
  const int m = static_cast<int>(sequence.size());
  const bool whole = m == side.size;
  CDistance local = Extract(side, sequence.data(), m);
  local.SumByRows(nullptr);
  std::vector<int> s = whole ? sequence : Identity(m);
  const CDistance& d = whole ? side : local;
  auto dist = [&](int a, int b) { return d.At(a, b); };
  std::vector<double> w(static_cast<size_t>(m));
  auto sumOf = [&](int p) {
    double sum = 0.0;
    for (int k = 0; k < m; ++k)
      sum += (k + 1.0) * dist(s[p], s[k]);
    return sum;
  };
  for (int p = 0; p < m; ++p)
    w[p] = sumOf(p);
  for (;;) {
    double best = 0.0;
    int bi = 0, bj = 0;
    for (int i = 0; i + 1 < m; ++i) {
      for (int j = i + 1; j < m; ++j) {
        const int a = s[i], b = s[j];
        double gain = 0.0;
        if (criterion == 1) {
          for (int k = 0; k < m; ++k) {
            if (i == k || j == k) continue;
            gain += (dist(s[k], b) - dist(s[k], a)) * (std::abs(i - k) - std::abs(j - k));
          }
        } else {
          gain = 2.0 * (j - i) * (j - i) * dist(a, b) +
                 (d.rowSums[a] - d.rowSums[b]) * ((j + 1) * (j + 1) - (i + 1) * (i + 1)) +
                 2.0 * (j - i) * (w[j] - w[i]);
        }
        if (gain > best) best = gain, bi = i, bj = j;
      }
    }
    if (best != 0.0) {
      for (int k = 0; k < m; ++k)
        w[k] += (bi - bj) * (dist(s[k], s[bj]) - dist(s[k], s[bi]));
      std::swap(s[bi], s[bj]);
      w[bi] = sumOf(bi);
      w[bj] = sumOf(bj);
    }
    if (!(best > 0.00001)) break;
  }
  if (whole) return s;
  std::vector<int> result;
  for (const int p : s)
    result.push_back(sequence[p]);
  return result;
}

void UseDiscrete(CSeriationSide& side, int criterion) {
  side.settings.SetSeriationCriterion = ChoiceOf<ESeriation>(criterion);
  side.settings.SeriationOptimMethode = EOptimisation::kDiscrete;
}

}  // namespace

TEST(PowerIteration, SmallAndEmptyProblemsReturnAtOnce) {
  std::vector<double> x;
  PowerIteration({}, 0, x, 1);
  EXPECT_TRUE(x.empty());
  const double one[] = {5.0};
  PowerIteration(one, 1, x, 1);
  EXPECT_EQ(x, std::vector<double>{1.0});
  // A zero matrix has nothing to say: the result is the zero product.
  const std::vector<double> zero(9, 0.0);
  EXPECT_EQ(PowerIteration(zero, 3, x, 1).steps, 1);
  EXPECT_EQ(x, std::vector<double>(3, 0.0));
}

TEST(PowerIteration, PositionOneComesOutPositiveWhateverTheSeed) {
  const double matrix[] = {2, -1, -1, 2};  // dominant (1, −1), λ = 3
  for (const uint32_t seed : {1u, 2u, 12345u}) {
    std::vector<double> x;
    EXPECT_NEAR(PowerIteration(matrix, 2, x, seed).value, 3.0, 1e-9) << seed;
    EXPECT_EQ(x[1], 1.0);
    EXPECT_NEAR(x[0], -1.0, 1e-9);
  }
  // Only component 0 is ever non-zero: it is taken instead.
  const double first[] = {1, 0, 0, 0};
  std::vector<double> x;
  PowerIteration(first, 2, x, 7);
  EXPECT_EQ(x, (std::vector<double>{1.0, 0.0}));
}

TEST(PowerIteration, EndsWithoutConvergence) {
  // A rotation has no dominant real eigenvector; λ alternates for ever without the cap.
  const double rotation[] = {0, -1, 1, 0};
  std::vector<double> x;
  EXPECT_EQ(PowerIteration(rotation, 2, x, 3).steps, kPowerIterationCap);
  EXPECT_EQ(x.size(), 2u);
  EXPECT_EQ(x[1], 1.0);
}

TEST(NumericScaling, UdsMatrixOfALineIsTheOuterProductOfCentredCoordinates) {
  const std::vector<double> c{3, -1, 7, 0.5, 2};
  const CDistance d = LineMatrix(c);
  const std::vector<double> matrix = ScalingMatrix(d, ESeriation::kScaling);
  const double mean = std::accumulate(c.begin(), c.end(), 0.0) / 5;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      EXPECT_NEAR(matrix[i * 5 + j], (c[i] - mean) * (c[j] - mean), 1e-12) << i << "," << j;
    }
  }
}

TEST(NumericScaling, UdsSortsPointsOfALineWithPositionOneOnThePositiveSide) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> coordinate(-50, 50);
  for (int round = 0; round < 8; ++round) {
    const int n = 3 + round * 7;
    std::vector<double> c(n);
    for (double& x : c)
      x = coordinate(random);
    CSeriationSide side(LineMatrix(c));
    side.settings.SetSeriationCriterion = ESeriation::kScaling;
    side.settings.SeriationOptimMethode = EOptimisation::kNumeric;
    std::vector<int> sequence = Shuffled(n, random);
    const int second = sequence[1];
    SeriateNumeric(side.elements, sequence.data(), n, side.settings.SetSeriationCriterion);
    std::vector<int> expected = Identity(n);
    std::sort(expected.begin(), expected.end(), [&](int a, int b) { return c[a] < c[b]; });
    const double mean = std::accumulate(c.begin(), c.end(), 0.0) / n;
    if (c[second] < mean) std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(sequence, expected) << "round " << round;
  }
}

TEST(DiscreteScaling, GainsAreTheChangeOfTheirCriterion) {
  const unsigned seed = 31337;
  std::mt19937 random(seed);
  for (const int criterion : {1, 2}) {
    for (const bool whole : {false, true}) {
      const int n = 14;
      // Zeros off the diagonal too (equal items).
      const CDistance d = RandomIntegerMatrix(n, 0, 9, random);
      std::vector<int> sequence =
          whole ? Shuffled(n, random) : std::vector<int>{9, 2, 13, 5, 0, 7, 11, 3, 6};
      const int m = static_cast<int>(sequence.size());
      CSwapMoves moves(d, sequence.data(), m, ChoiceOf<ESeriation>(criterion));
      std::uniform_int_distribution<int> position(0, m - 1);
      for (int swaps = 0; swaps < 6; ++swaps) {
        moves.Publish();
        const std::vector<int> current = sequence;
        for (int i = 0; i < m; ++i) {
          double w = 0.0;
          for (int k = 0; k < m; ++k)
            w += (k + 1.0) * d.At(current[i], current[k]);
          ASSERT_EQ(moves.RankWeightedSums()[i], w) << "seed " << seed << " position " << i;
        }
        for (int i = 0; i < m; ++i) {
          for (int j = i + 1; j < m; ++j) {
            std::vector<int> swapped = current;
            std::swap(swapped[i], swapped[j]);
            const double change =
                Criterion(d, swapped, criterion) - Criterion(d, current, criterion);
            ASSERT_EQ(moves.Gain(i, j), change) << "seed " << seed << " criterion " << criterion
                                                << " whole " << whole << " swap " << i << "," << j;
          }
        }
        int i = position(random), j = position(random);
        if (i == j) continue;
        moves.SwapPositions(std::min(i, j), std::max(i, j));
      }
    }
  }
}

TEST(DiscreteScaling, MatchesReferenceOnWholeSidesAndParts) {
  const unsigned seed = 8;
  std::mt19937 random(seed);
  for (int round = 0; round < 12; ++round) {
    const int criterion = 1 + round % 2;
    const int n = 6 + round * 2;
    CSeriationSide side(round % 3 == 0 ? RandomIntegerMatrix(n, 0, 3, random)
                                       : EuclideanMatrix(RandomPoints(n, 3, random)));
    UseDiscrete(side, criterion);
    std::vector<int> sequence = Shuffled(n, random);
    if (round % 4 >= 2) sequence.resize(n - 3);
    const std::vector<int> expected = ReferenceDiscrete(side.distance, sequence, criterion);
    SeriateDiscrete(side.elements, sequence.data(), static_cast<int>(sequence.size()),
                    side.settings.SetSeriationCriterion, side.Run());
    EXPECT_EQ(sequence, expected) << "seed " << seed << " round " << round;
  }
}

TEST(DiscreteScaling, UdsEndsOnTablesWithEqualItems) {
  // Many zero dissimilarities between distinct items: every applied swap raises the criterion,
  // so the loop cannot come back to an order it left.
  const unsigned seed = 5;
  std::mt19937 random(seed);
  for (int round = 0; round < 20; ++round) {
    CSeriationSide side(RandomIntegerMatrix(17, 0, 3, random));
    UseDiscrete(side, 1);
    std::vector<int> sequence = Identity(17);
    const double before = Criterion(side.distance, sequence, 1);
    SeriateDiscrete(side.elements, sequence.data(), 17, side.settings.SetSeriationCriterion,
                    side.Run());
    EXPECT_GE(Criterion(side.distance, sequence, 1), before) << "seed " << seed << " " << round;
  }
}

TEST(DiscreteScaling, UdsRefuses201ItemsAndShowsProgressAbove100) {
  CSeriationSide side(LineMatrix(std::vector<double>(201, 1.0)));
  UseDiscrete(side, 1);
  std::vector<int> sequence = Identity(201);
  std::reverse(sequence.begin(), sequence.end());
  const std::vector<int> before = sequence;
  EXPECT_EQ(SeriateDiscrete(side.elements, sequence.data(), 201,
                            side.settings.SetSeriationCriterion, side.Run()),
            ESeriationOutcome::kRefusedForSize);
  EXPECT_EQ(sequence, before);
  EXPECT_TRUE(side.services.progresses.empty());

  side.services.stopAfterSteps = 1;
  EXPECT_EQ(SeriateDiscrete(side.elements, sequence.data(), 200,
                            side.settings.SetSeriationCriterion, side.Run()),
            ESeriationOutcome::kDone);
  ASSERT_EQ(side.services.progresses.size(), 1u);
  EXPECT_EQ(side.services.progresses[0].caption, "This treatment could be long. Please wait.");
  EXPECT_EQ(side.services.progresses[0].range, 200);
  EXPECT_TRUE(side.services.progresses[0].withStopButton);

  SeriateDiscrete(side.elements, sequence.data(), 100, side.settings.SetSeriationCriterion,
                  side.Run());
  EXPECT_EQ(side.services.progresses.size(), 1u);
}

TEST(DiscreteScaling, InertiaRuns1000ItemsAndRefuses1001) {
  std::mt19937 random(11);
  std::vector<double> c(1001);
  for (double& x : c)
    x = std::uniform_real_distribution<double>(0, 10)(random);
  CSeriationSide side(LineMatrix(c));
  UseDiscrete(side, 2);
  std::vector<int> sequence = Shuffled(1001, random);
  const std::vector<int> before = sequence;
  EXPECT_EQ(SeriateDiscrete(side.elements, sequence.data(), 1001,
                            side.settings.SetSeriationCriterion, side.Run()),
            ESeriationOutcome::kRefusedForSize);
  EXPECT_EQ(sequence, before);

  side.services.stopAfterSteps = 1;  // one pass is enough to show it runs
  EXPECT_EQ(SeriateDiscrete(side.elements, sequence.data(), 1000,
                            side.settings.SetSeriationCriterion, side.Run()),
            ESeriationOutcome::kDone);
  EXPECT_NE(sequence, before);
  EXPECT_TRUE(IsPermutationOf(sequence, before));
  EXPECT_EQ(sequence[1000], before[1000]);
  ASSERT_EQ(side.services.progresses.size(), 1u);
  EXPECT_EQ(side.services.progresses[0].range, 1000);
  EXPECT_EQ(side.services.progresses[0].steps, 1);

  side.services.stopAfterSteps = -1;
  std::vector<int> small = Identity(500);
  std::sort(small.begin(), small.end(), [&](int a, int b) { return c[a] < c[b]; });
  SeriateDiscrete(side.elements, small.data(), 500, side.settings.SetSeriationCriterion,
                  side.Run());  // no progress at 500
  EXPECT_EQ(side.services.progresses.size(), 1u);
}
