// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True when `bytes` can plausibly be reserved now: no more than AvailableMemoryBytes().
// Reservations beyond it would only thrash, be killed or fail half-way, so they count as
// failures at once.
bool CanReserve(size_t bytes);

// `count` elements of `elementSize` bytes, or SIZE_MAX when the product overflows.
size_t CheckedBytes(size_t count, size_t elementSize);

// What limits the memory this process may still take, in bytes; SIZE_MAX where a limit is
// absent or cannot be read.
struct CMemoryLimits {
  size_t physical = SIZE_MAX;          // the machine's memory
  size_t systemAvailable = SIZE_MAX;   // MemAvailable of /proc/meminfo: free plus reclaimable
  size_t groupAvailable = SIZE_MAX;    // room under the control group's limit (cgroup v2 or v1)
  size_t addressAvailable = SIZE_MAX;  // room under RLIMIT_AS (ulimit -v) above the current size

  // The smallest of the four.
  size_t Available() const;
};

// The limits as they stand now. Reads /proc and /sys, so it is meant for decisions before large
// reservations, not for inner loops.
CMemoryLimits CurrentMemoryLimits();
// CurrentMemoryLimits().Available().
size_t AvailableMemoryBytes();

// The parsers behind CurrentMemoryLimits, for tests.
// A "Key:   123 kB" line of /proc/meminfo or /proc/self/status, in bytes; SIZE_MAX when absent.
size_t KilobyteField(std::string_view text, std::string_view key);
// A "key 123" line of a cgroup memory.stat file; 0 when absent.
size_t StatField(std::string_view text, std::string_view key);
// The number in a cgroup limit file: "max" (v2) or a value at or above 2^62 (v1 "unlimited")
// gives SIZE_MAX, unreadable text too.
size_t LimitValue(std::string_view text);
// The room left under a cgroup limit: limit − usage, plus the inactive file cache that the
// kernel reclaims before it refuses (0 when the usage is above the limit).
size_t GroupRoom(size_t limit, size_t usage, size_t inactiveFile);
// The memory cgroup of this process from the text of /proc/self/cgroup: the path of the v1
// "memory" controller when there is one (`version` 1), else the v2 path (`version` 2); empty
// with `version` 0 when neither is listed.
std::string MemoryGroupPath(std::string_view procCgroup, int& version);
