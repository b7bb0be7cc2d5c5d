// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Memory.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  if (!file) return std::string();
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

size_t Number(std::string_view text, bool& ok) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  uint64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  ok = result.ec == std::errc() && result.ptr != text.data();
  if (!ok || value > SIZE_MAX) return SIZE_MAX;
  return static_cast<size_t>(value);
}

// The line of `text` that starts with `key` followed by `separator`, without them.
bool LineAfter(std::string_view text, std::string_view key, char separator,
               std::string_view& rest) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (line.size() > key.size() && line.substr(0, key.size()) == key &&
        line[key.size()] == separator) {
      rest = line.substr(key.size() + 1);
      return true;
    }
    start = end + 1;
  }
  return false;
}

// The room under the limits of the memory cgroup and its ancestors (each limit applies).
size_t GroupAvailable() {
  int version = 0;
  const std::string path = MemoryGroupPath(FileText("/proc/self/cgroup"), version);
  if (version == 0) return SIZE_MAX;
  // Inside a container the listed path may not exist under the mount: the mount's root is the
  // container's own group then.
  const std::string mount = version == 1 ? "/sys/fs/cgroup/memory" : "/sys/fs/cgroup";
  const std::string limitName = version == 1 ? "/memory.limit_in_bytes" : "/memory.max";
  const std::string usageName = version == 1 ? "/memory.usage_in_bytes" : "/memory.current";
  const char* inactiveKey = version == 1 ? "total_inactive_file" : "inactive_file";
  size_t room = SIZE_MAX;
  std::string group = path;
  for (;;) {
    const std::string folder = mount + (group == "/" ? std::string() : group);
    const std::string limitText = FileText(folder + limitName);
    if (!limitText.empty()) {
      const size_t limit = LimitValue(limitText);
      if (limit != SIZE_MAX) {
        bool ok = false;
        const size_t usage = Number(FileText(folder + usageName), ok);
        if (ok) {
          const size_t inactive = StatField(FileText(folder + "/memory.stat"), inactiveKey);
          room = std::min(room, GroupRoom(limit, usage, inactive));
        }
      }
    }
    if (group.empty() || group == "/") break;
    const size_t slash = group.find_last_of('/');
    group = slash == 0 || slash == std::string::npos ? "/" : group.substr(0, slash);
  }
  return room;
}

size_t AddressAvailable() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return SIZE_MAX;
  const size_t cap = static_cast<size_t>(limit.rlim_cur);
  const size_t used = KilobyteField(FileText("/proc/self/status"), "VmSize");
  if (used == SIZE_MAX) return cap;
  return used >= cap ? 0 : cap - used;
}

}  // namespace

size_t CMemoryLimits::Available() const {
  return std::min({physical, systemAvailable, groupAvailable, addressAvailable});
}

size_t KilobyteField(std::string_view text, std::string_view key) {
  std::string_view rest;
  if (!LineAfter(text, key, ':', rest)) return SIZE_MAX;
  bool ok = false;
  const size_t kilobytes = Number(rest, ok);
  if (!ok) return SIZE_MAX;
  return kilobytes > SIZE_MAX / 1024 ? SIZE_MAX : kilobytes * 1024;
}

size_t StatField(std::string_view text, std::string_view key) {
  std::string_view rest;
  if (!LineAfter(text, key, ' ', rest)) return 0;
  bool ok = false;
  const size_t value = Number(rest, ok);
  return ok ? value : 0;
}

size_t LimitValue(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  if (text.substr(0, 3) == "max") return SIZE_MAX;
  bool ok = false;
  const size_t value = Number(text, ok);
  if (!ok || value >= (size_t{1} << 62)) return SIZE_MAX;
  return value;
}

size_t GroupRoom(size_t limit, size_t usage, size_t inactiveFile) {
  const size_t reclaimable = std::min(usage, inactiveFile);
  const size_t used = usage - reclaimable;
  return used >= limit ? 0 : limit - used;
}

std::string MemoryGroupPath(std::string_view procCgroup, int& version) {
  version = 0;
  std::string unified;
  bool haveUnified = false;
  size_t start = 0;
  while (start < procCgroup.size()) {
    size_t end = procCgroup.find('\n', start);
    if (end == std::string_view::npos) end = procCgroup.size();
    const std::string_view line = procCgroup.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find(':');
    const size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
    if (second == std::string_view::npos) continue;
    const std::string_view controllers = line.substr(first + 1, second - first - 1);
    const std::string_view path = line.substr(second + 1);
    if (controllers.empty() && line.substr(0, first) == "0") {
      unified = std::string(path);
      haveUnified = true;
      continue;
    }
    // v1 lists the controllers of a hierarchy separated by commas.
    size_t from = 0;
    while (from <= controllers.size()) {
      size_t comma = controllers.find(',', from);
      if (comma == std::string_view::npos) comma = controllers.size();
      if (controllers.substr(from, comma - from) == "memory") {
        version = 1;
        return std::string(path);
      }
      from = comma + 1;
    }
  }
  if (haveUnified) {
    version = 2;
    return unified;
  }
  return std::string();
}

CMemoryLimits CurrentMemoryLimits() {
  CMemoryLimits limits;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages > 0 && pageSize > 0) {
    limits.physical = static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
  }
  limits.systemAvailable = KilobyteField(FileText("/proc/meminfo"), "MemAvailable");
  limits.groupAvailable = GroupAvailable();
  limits.addressAvailable = AddressAvailable();
  return limits;
}

size_t AvailableMemoryBytes() {
  return CurrentMemoryLimits().Available();
}

bool CanReserve(size_t bytes) {
  return bytes <= AvailableMemoryBytes();
}

size_t CheckedBytes(size_t count, size_t elementSize) {
  if (elementSize != 0 && count > SIZE_MAX / elementSize) return SIZE_MAX;
  return count * elementSize;
}
