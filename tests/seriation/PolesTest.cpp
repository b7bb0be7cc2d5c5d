// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "SeriationFixture.h"
#include "seriation/Bipolarization.h"
#include "seriation/CentroidSeriation.h"
#include "seriation/Extract.h"
#include "seriation/FarthestPair.h"

namespace {

CItemPair ReferenceFarthestPair(const CElements& elements) {
  const auto& order = elements.order;
  CItemPair best{order[0], order[1]};
  double largest = 0.0;
  for (size_t p = 0; p < order.size(); ++p) {
    for (size_t q = p; q < order.size(); ++q) {
      const double d = elements.distance->At(order[p], order[q]);
      if (d > largest) largest = d, best = {order[p], order[q]};
    }
  }
  return best;
}

bool IsMonotone(const std::vector<int>& sequence, const std::vector<double>& c) {
  auto ascending = [&](int a, int b) { return c[a] < c[b]; };
  auto descending = [&](int a, int b) { return c[a] > c[b]; };
  return std::is_sorted(sequence.begin(), sequence.end(), ascending) ||
         std::is_sorted(sequence.begin(), sequence.end(), descending);
}

}  // namespace

TEST(Extract, CopiesTheSequencesDissimilaritiesByPosition) {
  CSeriationSide side(LineMatrix({0, 2, 7, 11}));
  const int sequence[] = {3, 0, 2};
  const CDistance sub = Extract(side.distance, sequence, 3);
  EXPECT_EQ(sub.size, 3);
  EXPECT_EQ(sub.At(0, 1), 11.0);
  EXPECT_EQ(sub.At(0, 2), 4.0);
  EXPECT_EQ(sub.At(1, 2), 7.0);
  EXPECT_EQ(sub.At(1, 1), 0.0);
  EXPECT_EQ(sub.rowSums, std::vector<double>(3, 0.0));
}

TEST(FarthestPair, FirstPairInPositionOrderWinsTies) {
  std::mt19937 random(606);
  for (int round = 0; round < 30; ++round) {
    const int n = 2 + round % 12;
    CSeriationSide side(RandomIntegerMatrix(n, 0, round % 3 == 0 ? 1 : 9, random));
    side.elements.order = Shuffled(n, random);
    const CItemPair found = FindFarthestPair(side.elements);
    const CItemPair expected = ReferenceFarthestPair(side.elements);
    EXPECT_EQ(found.first, expected.first) << round;
    EXPECT_EQ(found.second, expected.second) << round;
  }
  CSeriationSide zero(MatrixOf(4, [](int, int) { return 0.0; }));
  zero.elements.order = {2, 3, 0, 1};
  const CItemPair first = FindFarthestPair(zero.elements);
  EXPECT_EQ(first.first, 2);
  EXPECT_EQ(first.second, 3);
}

TEST(Bipolarization, ThreeItemsRunFromTheSecondPoleToTheFirst) {
  // Poles: items 0 and 1 (d = 10). Front: farthest from P1 = 0 is item 1; back: farthest from
  // P2 = 1 is item 0; the middle slot comes from the first list.
  CSeriationSide side(LineMatrix({0, 10, 4}));
  std::vector<int> sequence{0, 1, 2};
  SeriateByBipolarization(side.elements, sequence.data(), 3);
  EXPECT_EQ(sequence, (std::vector<int>{1, 2, 0}));
}

TEST(Bipolarization, PolesComeFromTheWholeSide) {
  // Coordinates: the poles are items 0 and 5, outside the part being ordered.
  const std::vector<double> c{0, 3, 9, 5, 7, 12};
  CSeriationSide side(LineMatrix(c));
  std::vector<int> part{3, 1, 4, 2};
  SeriateByBipolarization(side.elements, part.data(), 4);
  // Front from the farthest from item 0 (9, 7 …), back from the farthest from item 5 (3, 5 …).
  EXPECT_EQ(part, (std::vector<int>{2, 4, 3, 1}));
  // Equal dissimilarities: each end takes the latest unused position first.
  CSeriationSide flat(LineMatrix({0, 5, 5, 5, 10}));
  std::vector<int> middle{1, 2, 3};
  SeriateByBipolarization(flat.elements, middle.data(), 3);
  EXPECT_EQ(middle, (std::vector<int>{3, 1, 2}));
}

TEST(Centroid, TwoOrThreeItemsOnlyPlaceTheAnchors) {
  CSeriationSide side(LineMatrix({0, 10, 4}));
  std::vector<int> two{1, 0};
  SeriateByCentroid(side.elements, two.data(), 2, side.observer);
  EXPECT_EQ(two, (std::vector<int>{1, 0}));
  std::vector<int> three{2, 0, 1};  // farthest pair 0, 1 at list positions 1, 2
  SeriateByCentroid(side.elements, three.data(), 3, side.observer);
  EXPECT_EQ(three, (std::vector<int>{0, 2, 1}));
}

TEST(Centroid, SortsPointsOfALine) {
  std::mt19937 random(12);
  for (int round = 0; round < 10; ++round) {
    const int n = 4 + round * 9;
    std::vector<double> c(n);
    std::iota(c.begin(), c.end(), 0.0);
    std::shuffle(c.begin(), c.end(), random);
    CSeriationSide side(LineMatrix(c));
    std::vector<int> sequence = Shuffled(n, random);
    SeriateByCentroid(side.elements, sequence.data(), n, side.observer);
    EXPECT_TRUE(IsMonotone(sequence, c)) << "round " << round << ": " << Describe(sequence);
  }
}

TEST(Centroid, ShowsEachSegmentInTheSidesOrder) {
  std::mt19937 random(21);
  const int n = 20;
  CSeriationSide side(EuclideanMatrix(RandomPoints(n, 2, random)));
  CRecordingObserver observer;
  side.observer = &observer;
  side.elements.selectionStart = 5;
  side.elements.selectionLength = 12;
  const std::vector<int> before = side.elements.order;
  SeriateByCentroid(side.elements, side.elements.Sequence(), 12, side.observer);
  ASSERT_FALSE(observer.segments.empty());
  EXPECT_EQ(observer.segments[0].start, 5);
  EXPECT_EQ(observer.segments[0].length, 12);
  for (const auto& segment : observer.segments) {
    EXPECT_GE(segment.start, 5);
    EXPECT_LE(segment.start + segment.length, 17);
    EXPECT_GE(segment.length, 4);
  }
  EXPECT_EQ(observer.repaints, static_cast<int>(observer.segments.size()));
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 5, side.elements.order.begin()));
  EXPECT_TRUE(std::equal(before.begin() + 17, before.end(), side.elements.order.begin() + 17));
}
