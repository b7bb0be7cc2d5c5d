// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// An allocator for the large arrays of a run (dissimilarity triangles): blocks of 32 MB and more
// are aligned to 2 MB and offered to the kernel as huge pages, which cuts the page faults of
// their first touch and the page-table walks of their scattered reads by a factor of 512.
// Elements are default-initialised, so resize() leaves doubles unwritten: whoever sizes such an
// array writes every element it reads (assign() still fills).
template <typename T>
class CBigBlockAllocator {
 public:
  using value_type = T;

  CBigBlockAllocator() noexcept = default;
  template <typename U>
  CBigBlockAllocator(const CBigBlockAllocator<U>&) noexcept {}

  T* allocate(size_t count) {
    if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    const size_t bytes = count * sizeof(T);
    void* block = nullptr;
    if (bytes >= kHugeThreshold) {
      const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
      block = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__)
      if (block != nullptr) madvise(block, rounded, MADV_HUGEPAGE);
#endif
    } else {
      block = std::malloc(bytes == 0 ? 1 : bytes);
    }
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, size_t) noexcept {
    std::free(block);
  }

  // Default-initialisation: no zeroing of doubles.
  template <typename U>
  void construct(U* place) noexcept(noexcept(::new (static_cast<void*>(place)) U)) {
    ::new (static_cast<void*>(place)) U;
  }
  template <typename U, typename... Arguments>
  void construct(U* place, Arguments&&... arguments) {
    ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
  }

  template <typename U>
  bool operator==(const CBigBlockAllocator<U>&) const noexcept {
    return true;
  }

 private:
  static constexpr size_t kHugePage = size_t{2} << 20;
  static constexpr size_t kHugeThreshold = size_t{32} << 20;
};
