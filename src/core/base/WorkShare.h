// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

// Shares many short jobs (microseconds to a millisecond each, thousands in a row) between the
// calling thread and one helper thread that lives as long as the object: starting threads per
// job would cost more than the job. A job is cut into parts that both threads claim one at a
// time until none is left, so a helper that is slow to wake (a loaded machine) costs nothing but
// its share: the caller then does every part itself. Each part is done by exactly one thread,
// so results that depend only on their part are the same whoever computes them.
// Without a second core there is no helper and the caller does all the parts.
class CWorkShare {
 public:
  CWorkShare() {
    if (std::thread::hardware_concurrency() >= 2) helper_ = std::thread([this] { HelperLoop(); });
  }
  ~CWorkShare() {
    if (!helper_.joinable()) return;
    stop_.store(true, std::memory_order_relaxed);
    epoch_.fetch_add(1, std::memory_order_release);
    epoch_.notify_one();
    helper_.join();
  }
  CWorkShare(const CWorkShare&) = delete;
  CWorkShare& operator=(const CWorkShare&) = delete;

  bool HasHelper() const { return helper_.joinable(); }

  // Runs part(p) for every p in [0, parts) and returns once all are done.
  template <typename Part>
  void Run(int parts, Part& part) {
    if (!helper_.joinable() || parts <= 1 || parts > kMostParts) {
      for (int p = 0; p < parts; ++p)
        part(p);
      return;
    }
    context_ = &part;
    invoke_ = [](void* context, int p) { (*static_cast<Part*>(context))(p); };
    done_.store(0, std::memory_order_relaxed);
    // The job's number and size travel with the part counter, so that a helper still finishing
    // its claims on the previous job can neither take a part of this one nor misread its size.
    const uint32_t job = (epoch_.load(std::memory_order_relaxed) + 1) & kJobMask;
    claims_.store(Claims(job, parts, 0), std::memory_order_release);
    epoch_.store(job, std::memory_order_release);
    epoch_.notify_one();
    DoParts(job);
    // Only a part the helper is doing now remains: wait for it, giving the core away if the
    // helper was put aside meanwhile.
    for (int spins = 0; done_.load(std::memory_order_acquire) < parts; ++spins) {
      if (spins < 4096) {
        Pause();
      } else {
        std::this_thread::yield();
      }
    }
  }

 private:
  static constexpr int kPartBits = 20;
  // About 20 to 50 microseconds of watching.
  static constexpr int kWatchSpins = 2000;
  static constexpr int kMostParts = (1 << kPartBits) - 1;
  static constexpr uint32_t kJobMask = (1u << 24) - 1;

  static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }

  static uint64_t Claims(uint32_t job, int parts, int next) {
    return (static_cast<uint64_t>(job) << (2 * kPartBits)) |
           (static_cast<uint64_t>(parts) << kPartBits) | static_cast<uint64_t>(next);
  }

  // Claims and does parts of `job` until none is left.
  void DoParts(uint32_t job) {
    uint64_t current = claims_.load(std::memory_order_acquire);
    for (;;) {
      if (static_cast<uint32_t>(current >> (2 * kPartBits)) != job) return;
      const int parts = static_cast<int>((current >> kPartBits) & kMostParts);
      const int part = static_cast<int>(current & kMostParts);
      if (part >= parts) return;
      if (!claims_.compare_exchange_weak(current, current + 1, std::memory_order_acq_rel,
                                         std::memory_order_acquire)) {
        continue;
      }
      invoke_(context_, part);
      done_.fetch_add(1, std::memory_order_release);
      current = claims_.load(std::memory_order_acquire);
    }
  }

  void HelperLoop() {
    uint32_t seen = 0;
    for (;;) {
      // Jobs tend to come in quick succession: watch for the next one a little while before
      // going to sleep, so that the helper is awake when it comes.
      for (int spins = 0; spins < kWatchSpins && epoch_.load(std::memory_order_acquire) == seen;
           ++spins) {
        Pause();
      }
      epoch_.wait(seen, std::memory_order_acquire);
      seen = epoch_.load(std::memory_order_acquire);
      if (stop_.load(std::memory_order_relaxed)) return;
      DoParts(seen);
    }
  }

  std::atomic<uint32_t> epoch_{0};
  std::atomic<uint64_t> claims_{0};  // job number, number of parts and next part
  std::atomic<int> done_{0};
  std::atomic<bool> stop_{false};
  void* context_ = nullptr;
  void (*invoke_)(void*, int) = nullptr;
  std::thread helper_;
};
