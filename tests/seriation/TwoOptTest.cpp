// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "SeriationFixture.h"
#include "seriation/TwoOpt.h"

namespace {

// 2-opt from its rules: every reversal gain of every pass computed afresh.
std::vector<int> Reference2Opt(const CDistance& d, std::vector<int> s, int maxPasses = -1) {
  const int m = static_cast<int>(s.size());
  for (int pass = 0; pass != maxPasses; ++pass) {
    double best = 0.0;
    int bestI = 0, bestJ = 0;
    for (int i = 0; i + 1 < m; ++i) {
      for (int j = i + 2; j < m; ++j) {
        const double gain = d.At(s[i], s[i + 1]) + d.At(s[j - 1], s[j]) - d.At(s[i], s[j - 1]) -
                            d.At(s[i + 1], s[j]);
        if (gain > best) best = gain, bestI = i, bestJ = j;
      }
    }
    if (best != 0.0) std::reverse(s.begin() + bestI + 1, s.begin() + bestJ);
    if (!(best > 0.00001)) break;
  }
  return s;
}

std::vector<int> Run2Opt(CSeriationSide& side, std::vector<int> sequence) {
  ImproveBy2Opt(side.elements, sequence.data(), static_cast<int>(sequence.size()), side.Run());
  return sequence;
}

}  // namespace

TEST(TwoOpt, NeverMovesTheEnds) {
  // On a line 0 … 4, the path 2, 0, 1, 3, 4 would be shortest as 0 … 4, which needs item 2 to
  // leave the front.
  CSeriationSide side(LineMatrix({0, 1, 2, 3, 4}));
  const std::vector<int> result = Run2Opt(side, {2, 0, 1, 3, 4});
  EXPECT_EQ(result.front(), 2);
  EXPECT_EQ(result.back(), 4);
  // A reversal inside does shorten: 0, 3, 1, 2, 4 becomes 0, 1, 3, 2, 4 or better.
  const std::vector<int> inner = Run2Opt(side, {0, 3, 1, 2, 4});
  EXPECT_EQ(inner, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(TwoOpt, ShortSequencesHaveNothingToTry) {
  CSeriationSide side(LineMatrix({0, 3, 1}));
  EXPECT_EQ(Run2Opt(side, {1}), (std::vector<int>{1}));
  EXPECT_EQ(Run2Opt(side, {1, 0}), (std::vector<int>{1, 0}));
  EXPECT_EQ(Run2Opt(side, {1, 0, 2}), (std::vector<int>{1, 0, 2}));
  ASSERT_EQ(side.services.progresses.size(), 3u);
  EXPECT_EQ(side.services.progresses[0].caption,
            "2-Opt local search heuristic. Improving the solution.");
  EXPECT_EQ(side.services.progresses[0].range, 50);
  EXPECT_TRUE(side.services.progresses[0].withStopButton);
}

TEST(TwoOpt, MatchesReferenceAndNeverLengthensThePath) {
  const unsigned seed = 4242;
  std::mt19937 random(seed);
  for (int round = 0; round < 24; ++round) {
    const int n = 4 + round * 3;
    const bool integers = round % 2 == 1;
    CSeriationSide side(integers ? RandomIntegerMatrix(n, 0, 4, random)
                                 : EuclideanMatrix(RandomPoints(n, 2, random)));
    const std::vector<int> sequence = Shuffled(n, random);
    const std::vector<int> result = Run2Opt(side, sequence);
    EXPECT_EQ(result, Reference2Opt(side.distance, sequence))
        << "seed " << seed << " round " << round;
    EXPECT_TRUE(IsPermutationOf(result, sequence));
    EXPECT_EQ(result.front(), sequence.front());
    EXPECT_EQ(result.back(), sequence.back());
    EXPECT_LE(PathLength(side.distance, result), PathLength(side.distance, sequence) + 1e-9);
  }
}

TEST(TwoOpt, MatchesReferenceOnManyTies) {
  // Equal gains everywhere: the first best reversal in scan order must win every pass.
  const unsigned seed = 271828;
  std::mt19937 random(seed);
  for (int round = 0; round < 80; ++round) {
    const int n = 5 + round % 70;
    CSeriationSide side(RandomIntegerMatrix(n, round % 3, 2 + round % 3, random));
    const std::vector<int> sequence = Shuffled(n, random);
    EXPECT_EQ(Run2Opt(side, sequence), Reference2Opt(side.distance, sequence))
        << "seed " << seed << " round " << round;
  }
}

TEST(TwoOpt, StopKeepsTheOrderReached) {
  std::mt19937 random(99);
  const int n = 60;
  CSeriationSide side(EuclideanMatrix(RandomPoints(n, 2, random)));
  const std::vector<int> sequence = Shuffled(n, random);
  // Unhindered, this path takes many passes.
  ASSERT_NE(Reference2Opt(side.distance, sequence, 3), Reference2Opt(side.distance, sequence, 2));

  side.services.stopAfterSteps = 2;
  CRecordingObserver observer;
  side.observer = &observer;
  const std::vector<int> stopped = Run2Opt(side, sequence);
  EXPECT_EQ(stopped, Reference2Opt(side.distance, sequence, 2));
  EXPECT_EQ(side.services.progresses.back().steps, 2);
  EXPECT_EQ(observer.repaints, 2);
}

TEST(TwoOpt, ShowsTheOrderReachedAtEveryRepaint) {
  std::mt19937 random(3);
  const int n = 30;
  CSeriationSide side(EuclideanMatrix(RandomPoints(n, 2, random)));
  side.elements.order = Shuffled(n, random);
  const std::vector<int> start = side.elements.order;
  // The observer reads the side's order, in which the sequence lies, at each repaint.
  struct CChecking : CSeriationObserver {
    CSeriationSide* side = nullptr;
    std::vector<int> start;
    int pass = 0;
    void Repaint() override {
      ++pass;
      EXPECT_EQ(side->elements.order, Reference2Opt(side->distance, start, pass)) << pass;
    }
    void SelectSegment(int, int) override {}
  } checking;
  checking.side = &side;
  checking.start = start;
  side.observer = &checking;
  ImproveBy2Opt(side.elements, side.elements.order.data(), n, side.Run());
  EXPECT_GT(checking.pass, 1);
}
