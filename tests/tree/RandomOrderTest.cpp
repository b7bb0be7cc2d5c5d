// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

#include "data/Matrix.h"
#include "tree/KeySort.h"
#include "tree/Ran1.h"
#include "tree/Rand15.h"
#include "tree/RandomShuffle.h"

namespace {

// ran1 as published, with 64-bit products instead of Schrage's factorisation.
class CReferenceRan1 {
 public:
  explicit CReferenceRan1(std::int64_t seed) {
    state_ = seed;
    for (int j = 39; j >= 0; --j) {
      Advance();
      if (j < 32) table_[j] = state_;
    }
    last_ = table_[0];
  }
  double Next() {
    Advance();
    const int j = static_cast<int>(last_ / (1 + (kM - 1) / 32));
    last_ = table_[j];
    table_[j] = state_;
    return std::min(last_ * (1.0 / kM), 1.0 - 1.2e-7);
  }
  void Advance() { state_ = state_ * 16807 % kM; }

  static constexpr std::int64_t kM = 2147483647;
  std::int64_t state_;
  std::int64_t last_ = 0;
  std::int64_t table_[32] = {};
};

}  // namespace

TEST(Ran1, MatchesThePublishedGenerator) {
  // The minimal-standard check: from 1, the 10,000th state is 1043618065.
  CReferenceRan1 check(1);
  check.state_ = 1;
  for (int k = 0; k < 10000; ++k)
    check.Advance();
  EXPECT_EQ(check.state_, 1043618065);

  for (std::int64_t seed : {1LL, 12345LL, 1700000000LL, 2147483646LL}) {
    CRan1 generator(seed);
    CReferenceRan1 reference(seed);
    for (int k = 0; k < 1000; ++k) {
      const double value = generator.Next();
      ASSERT_EQ(value, reference.Next()) << "seed " << seed << " draw " << k;
      ASSERT_GT(value, 0.0);
      ASSERT_LT(value, 1.0);
    }
  }
  // A negative seed starts the same stream as its magnitude; different seeds differ.
  CRan1 negative(-77), positive(77), other(78);
  const double first = positive.Next();
  EXPECT_EQ(negative.Next(), first);
  EXPECT_NE(other.Next(), first);
}

TEST(Rand15, MatchesTheRuntimeSequence) {
  CRand15 generator(1);
  EXPECT_EQ(generator.Next(), 41);
  EXPECT_EQ(generator.Next(), 18467);
  EXPECT_EQ(generator.Next(), 6334);
  EXPECT_EQ(generator.Next(), 26500);
}

TEST(Shuffle, OrdersItemsByTheirDrawsAndTiesAsTheExchangeSort) {
  std::vector<int> items(50);
  std::iota(items.begin(), items.end(), 100);
  CRan1 generator(42), replay(42);
  ShuffleItems(items, generator);
  std::vector<std::pair<double, int>> drawn;
  for (int k = 0; k < 50; ++k)
    drawn.emplace_back(replay.Next(), 100 + k);
  std::sort(drawn.begin(), drawn.end());
  for (int k = 0; k < 50; ++k)
    EXPECT_EQ(items[k], drawn[k].second);

  std::mt19937 random(5);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<double> numbers(12);
    for (double& x : numbers)
      x = std::uniform_int_distribution<int>(0, 3)(random);
    std::vector<int> expected(12), actual(12);
    std::iota(expected.begin(), expected.end(), 0);
    std::iota(actual.begin(), actual.end(), 0);
    std::vector<double> keys = numbers;
    for (size_t p = 0; p + 1 < keys.size(); ++p) {
      for (size_t q = p + 1; q < keys.size(); ++q) {
        if (keys[q] < keys[p]) {
          std::swap(keys[p], keys[q]);
          std::swap(expected[p], expected[q]);
        }
      }
    }
    SortItemsOnNumbers(actual, numbers);
    EXPECT_EQ(actual, expected);
  }
}

TEST(KeySort, InsertionSortIsStableAscending) {
  std::mt19937 random(9);
  for (int trial = 0; trial < 30; ++trial) {
    std::vector<double> keys(20);
    for (double& key : keys)
      key = std::uniform_int_distribution<int>(0, 4)(random);
    std::vector<int> items(20);
    std::iota(items.begin(), items.end(), 0);
    std::shuffle(items.begin(), items.end(), random);
    std::vector<int> expected = items;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int a, int b) { return keys[a] < keys[b]; });
    SortItemsByKey(items, keys);
    EXPECT_EQ(items, expected);
  }
}

TEST(KeySort, KeySumsReadTheOtherSidesDisplayOrderAndClampTheBlock) {
  CMatrix data;
  data.Allocate(2, 4);
  for (int j = 0; j < 4; ++j) {
    data.At(0, j) = j + 1;         // 1 2 3 4
    data.At(1, j) = 10 * (j + 1);  // 10 20 30 40
  }
  const std::vector<int> columns{3, 2, 1, 0};
  EXPECT_EQ(SortKeySums(data, true, columns, 0, 2), (std::vector<double>{7, 70}));
  EXPECT_EQ(SortKeySums(data, true, columns, 3, 5), (std::vector<double>{1, 10}));
  EXPECT_EQ(SortKeySums(data, true, columns, 9, 1), (std::vector<double>{1, 10}));
  const std::vector<int> rows{1, 0};
  EXPECT_EQ(SortKeySums(data, false, rows, 0, 1), (std::vector<double>{10, 20, 30, 40}));
  EXPECT_EQ(SortKeySums(data, false, rows, 0, 9), (std::vector<double>{11, 22, 33, 44}));
}
