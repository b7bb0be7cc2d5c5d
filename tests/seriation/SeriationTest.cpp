// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "SeriationFixture.h"
#include "seriation/Seriation.h"

namespace {

struct CRule {
  int criterion;
  int optimisation;
  int improve;
};

const CRule kRules[] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0},
                        {2, 1, 0}, {3, 0, 0}, {5, 0, 0}, {6, 0, 0}, {6, 0, 1}};

}  // namespace

TEST(Seriation, EveryRulePermutesItsSequenceAndNothingElse) {
  const unsigned seed = 1789;
  std::mt19937 random(seed);
  for (int round = 0; round < 6; ++round) {
    const int n = 12 + round * 5;
    const bool integers = round % 2 == 1;
    for (const CRule& rule : kRules) {
      CSeriationSide side(integers ? RandomIntegerMatrix(n, 0, 3, random)
                                   : EuclideanMatrix(RandomPoints(n, 3, random)));
      side.settings.SetSeriationCriterion = ChoiceOf<ESeriation>(rule.criterion);
      side.settings.SeriationOptimMethode = ChoiceOf<EOptimisation>(rule.optimisation);
      side.settings.Improve = rule.improve;
      side.elements.order = Shuffled(n, random);
      for (const int start : {0, 3}) {
        const int length = start == 0 ? n : n - 7;
        side.elements.selectionStart = start;
        side.elements.selectionLength = length;
        const std::vector<int> before = side.elements.order;
        side.SeriateSelection();
        const auto& after = side.elements.order;
        const std::string context =
            "seed " + std::to_string(seed) + " round " + std::to_string(round) + " rule " +
            std::to_string(rule.criterion) + " start " + std::to_string(start);
        EXPECT_TRUE(IsPermutationOf({after.begin() + start, after.begin() + start + length},
                                    {before.begin() + start, before.begin() + start + length}))
            << context;
        EXPECT_TRUE(std::equal(after.begin(), after.begin() + start, before.begin())) << context;
        EXPECT_TRUE(std::equal(after.begin() + start + length, after.end(),
                               before.begin() + start + length))
            << context;
        EXPECT_DOUBLE_EQ(side.elements.objectiveS, PathLength(side.distance, after)) << context;
      }
    }
  }
}

TEST(Seriation, UnknownRulesAndBadSelectionsChangeNothing) {
  std::mt19937 random(4);
  CSeriationSide side(EuclideanMatrix(RandomPoints(10, 2, random)));
  const std::vector<int> before = side.elements.order;
  for (const int criterion : {4, 7, -1}) {
    side.settings.SetSeriationCriterion = ChoiceOf<ESeriation>(criterion);
    side.SeriateSelection();
    EXPECT_EQ(side.elements.order, before) << criterion;
  }
  side.settings.SetSeriationCriterion = ESeriation::kMultipleFragment;
  side.elements.selectionStart = 6;
  side.elements.selectionLength = 5;  // runs past the order
  side.SeriateSelection();
  EXPECT_EQ(side.elements.order, before);
  EXPECT_DOUBLE_EQ(side.elements.objectiveS, PathLength(side.distance, before));
}

TEST(Seriation, ImproveRunsTwoOptAfterTheHeuristic) {
  std::mt19937 random(10);
  const int n = 40;
  CSeriationSide side(EuclideanMatrix(RandomPoints(n, 2, random)));
  for (const int criterion : {0, 6}) {
    side.settings.SetSeriationCriterion = ChoiceOf<ESeriation>(criterion);
    side.settings.Improve = 0;
    std::vector<int> plain = Identity(n);
    SeriateSequence(plain.data(), n, side.elements, side.Options(), side.Run());
    side.settings.Improve = 1;
    std::vector<int> improved = Identity(n);
    SeriateSequence(improved.data(), n, side.elements, side.Options(), side.Run());
    EXPECT_EQ(improved.front(), plain.front());
    EXPECT_EQ(improved.back(), plain.back());
    EXPECT_LE(PathLength(side.distance, improved), PathLength(side.distance, plain));
  }
  EXPECT_EQ(side.services.progresses.size(), 2u);  // one 2-opt window per improved run
}
