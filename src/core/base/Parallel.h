// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Runs work(index) for every index in [begin, end) on the machine's cores. Indices are handed out
// in chunks of `grain`; each index is done by exactly one thread, so results that depend only on
// their index are the same whatever the number of threads.
inline void ParallelFor(int begin, int end, int grain, const std::function<void(int)>& work) {
  if (end <= begin) return;
  const int count = end - begin;
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  const int threads = static_cast<int>(std::min<unsigned>(hardware, 64));
  if (threads == 1 || count <= grain) {
    for (int index = begin; index < end; ++index)
      work(index);
    return;
  }
  std::atomic<int> next{begin};
  auto run = [&] {
    for (;;) {
      const int start = next.fetch_add(grain);
      if (start >= end) break;
      const int stop = std::min(end, start + grain);
      for (int index = start; index < stop; ++index)
        work(index);
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(static_cast<size_t>(threads - 1));
  for (int t = 1; t < threads; ++t)
    pool.emplace_back(run);
  run();
  for (std::thread& thread : pool)
    thread.join();
}
