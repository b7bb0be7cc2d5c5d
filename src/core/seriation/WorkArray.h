// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <new>
#include <vector>

#include "base/Failure.h"
#include "base/Memory.h"

// A work array of `count` elements set to `value`. A reservation that cannot succeed ends the
// program with message 2 naming no size, as for every work array of the computations.
template <typename T>
std::vector<T> WorkArray(size_t count, const T& value = T{}) {
  if (!CanReserve(CheckedBytes(count, sizeof(T)))) ThrowAllocationFailure();
  try {
    return std::vector<T>(count, value);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
}

// Rewrites `sequence` as new[k] = old[positions[k]] for the m positions of a local order.
inline void ApplyLocalOrder(int* sequence, const std::vector<int>& positions) {
  const std::vector<int> old(sequence, sequence + positions.size());
  for (size_t k = 0; k < positions.size(); ++k) {
    sequence[k] = old[static_cast<size_t>(positions[k])];
  }
}
