// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TemporaryNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

namespace {

constexpr size_t kShownNameBytes = 64;
constexpr std::string_view kMark = ".partial-";
constexpr time_t kUnlockedGraceSeconds = 60;

uint64_t NameHash(std::string_view name) {  // FNV-1a
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : name) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex(uint64_t value, int digits) {
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    text[static_cast<size_t>(i)] = "0123456789abcdef"[value & 15];
  return text;
}

// What every temporary name of `targetName` starts with.
std::string OwnPrefix(std::string_view targetName) {
  size_t shown = std::min(targetName.size(), kShownNameBytes);
  // Never cut a UTF-8 sequence: step back over continuation bytes.
  while (shown > 0 && shown < targetName.size() &&
         (static_cast<unsigned char>(targetName[shown]) & 0xC0) == 0x80)
    --shown;
  std::string prefix = ".";
  prefix += targetName.substr(0, shown);
  prefix += kMark;
  prefix += Hex(NameHash(targetName), 16);
  prefix += '-';
  return prefix;
}

bool AllOf(std::string_view text, std::string_view allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

bool WriterIsGone(pid_t writer) {
  return ::kill(writer, 0) != 0 && errno == ESRCH;
}

bool UnchangedForAWhile(const struct stat& file) {
  return std::time(nullptr) - file.st_mtime > kUnlockedGraceSeconds;
}

// Removes `name` from `folder` when it is a stale temporary of `writer`.
bool RemoveIfStale(int folder, const char* name, pid_t writer) {
  const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat file {};
  // The lock stays held until the name is gone, so no writer can take the file meanwhile.
  if (::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      (WriterIsGone(writer) || UnchangedForAWhile(file)))
    removed = ::unlinkat(folder, name, 0) == 0;
  ::close(fd);
  return removed;
}

}  // namespace

std::string TemporaryNameFor(std::string_view targetName, pid_t writer, uint32_t chance) {
  return OwnPrefix(targetName) + std::to_string(writer) + "-" + Hex(chance, 8);
}

std::optional<pid_t> TemporaryWriterOf(std::string_view candidate, std::string_view targetName) {
  const std::string prefix = OwnPrefix(targetName);
  if (candidate.substr(0, prefix.size()) != prefix) return std::nullopt;
  const std::string_view rest = candidate.substr(prefix.size());
  const size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash > 10) return std::nullopt;
  const std::string_view pid = rest.substr(0, dash);
  const std::string_view chance = rest.substr(dash + 1);
  if (!AllOf(pid, "0123456789") || chance.size() != 8 || !AllOf(chance, "0123456789abcdef"))
    return std::nullopt;
  const long value = std::stol(std::string(pid));
  if (value <= 0 || value > 0x7fffffffL) return std::nullopt;
  return static_cast<pid_t>(value);
}

int RemoveLeftoverTemporaries(int folder, std::string_view targetName) {
  // fdopendir takes the descriptor over, so list through a copy of our own.
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return 0;
  DIR* entries = ::fdopendir(listing);
  if (!entries) {
    ::close(listing);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = ::readdir(entries)) {
    if (entry->d_name[0] != '.') continue;
    const std::optional<pid_t> writer = TemporaryWriterOf(entry->d_name, targetName);
    if (writer && RemoveIfStale(folder, entry->d_name, *writer)) ++removed;
  }
  ::closedir(entries);
  return removed;
}
