// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

class CDistance;
class CProgress;

// The first pair, in scan order (i ascending, then j ascending), at which a measure could not be
// formed. Threads report every such pair they meet; the smallest one stays.
class CPairStop {
 public:
  explicit CPairStop(int n) : n_(n) {}

  void Report(int i, int j);
  // True when (i, j) comes after a reported pair, so that computing it is wasted work.
  bool Passed(int i, int j) const { return Key(i, j) > first_.load(std::memory_order_relaxed); }
  bool Stopped() const { return first_.load() != kNone; }
  int Item() const { return static_cast<int>(first_.load() / n_); }
  int Partner() const { return static_cast<int>(first_.load() % n_); }

 private:
  static constexpr int64_t kNone = INT64_MAX;
  int64_t Key(int i, int j) const { return static_cast<int64_t>(i) * n_ + j; }

  int n_;
  std::atomic<int64_t> first_{kNone};
};

// Computes the pairs (i, j), j > i, of one matrix. `tile(first, last, stop)` stores d(i, j) for
// every item i of [first, last) and every partner j > i, and reports instead of storing a pair
// that cannot be formed. Tiles of `tileItems` items run on the machine's cores; each pair
// belongs to exactly one tile, so the values do not depend on the threads. With more than 1000
// items and a progress window the tiles run in batches of bounded work (`pairCost` is the work
// of one pair, for instance its number of positions), and after each batch the calling thread
// steps `progress` once per item, as a walk item by item would have done.
//
// Returns false when a pair was reported: the walk ends with the batch that holds the first such
// pair, and every entry from that pair on in scan order is left 0, as if the pairs had been
// computed one by one and the walk had stopped there.
bool WalkPairs(CDistance& matrix, int tileItems, int64_t pairCost, CProgress* progress,
               const std::function<void(int first, int last, CPairStop& stop)>& tile);
