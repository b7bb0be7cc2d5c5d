#include "base/Memory.h"

#include <unistd.h>

#include <cstdint>

bool CanReserve(size_t bytes) {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return true;
  const double physical = static_cast<double>(pages) * static_cast<double>(pageSize);
  return static_cast<double>(bytes) <= physical;
}

size_t CheckedBytes(size_t count, size_t elementSize) {
  if (elementSize != 0 && count > SIZE_MAX / elementSize) return SIZE_MAX;
  return count * elementSize;
}
