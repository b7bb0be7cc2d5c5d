// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/WorkShare.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(WorkShare, EveryPartOfEveryJobIsDoneOnceBeforeRunReturns) {
  CWorkShare share;
  std::vector<std::atomic<int>> counts(64);
  const auto caller = std::this_thread::get_id();
  std::atomic<int> byHelper{0};
  for (int job = 0; job < 3000; ++job) {
    const int parts = job % 64;  // none, one, and up to 63 parts
    for (auto& count : counts)
      count.store(0);
    auto part = [&](int p) {
      counts[static_cast<size_t>(p)].fetch_add(1);
      if (std::this_thread::get_id() != caller) byHelper.fetch_add(1);
    };
    share.Run(parts, part);
    for (int p = 0; p < 64; ++p) {
      ASSERT_EQ(counts[static_cast<size_t>(p)].load(), p < parts ? 1 : 0) << "job " << job;
    }
  }
  if (!share.HasHelper()) {
    EXPECT_EQ(byHelper.load(), 0);
  }
}

TEST(WorkShare, PartsSeeTheDataOfTheirOwnJob) {
  // Each job writes its number into the parts' results: a part run with a stale job would
  // leave an older number behind.
  CWorkShare share;
  std::vector<int> results(16, -1);
  for (int job = 0; job < 5000; ++job) {
    auto part = [&results, job](int p) { results[static_cast<size_t>(p)] = job * 16 + p; };
    share.Run(16, part);
    for (int p = 0; p < 16; ++p) {
      ASSERT_EQ(results[static_cast<size_t>(p)], job * 16 + p);
    }
  }
}
