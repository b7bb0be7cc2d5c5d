#pragma once

#include <cstddef>

// True when `bytes` can plausibly be reserved: no more than the machine's physical memory.
// Reservations beyond it would only thrash or be killed, so they count as failures at once.
bool CanReserve(size_t bytes);

// `count` elements of `elementSize` bytes, or SIZE_MAX when the product overflows.
size_t CheckedBytes(size_t count, size_t elementSize);
