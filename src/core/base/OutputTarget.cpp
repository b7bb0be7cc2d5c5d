// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/OutputTarget.h"

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kMostLinks = 40;  // as the kernel's own limit, then ELOOP

COutputTarget Failed(int error) {
  COutputTarget target;
  target.error = error;
  return target;
}

bool OnPseudoFileSystem(const std::string& folder) {
  struct statfs system {};
  if (::statfs(folder.c_str(), &system) != 0) return false;
  return system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.size() < 10 &&
         text.find_first_not_of("0123456789") == std::string_view::npos;
}

// True when `folder` is this process's (or one of its threads') list of open descriptors.
bool IsOwnDescriptorFolder(const std::string& folder) {
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (!resolved) return false;
  std::string_view path = resolved;
  const std::string own = "/proc/" + std::to_string(::getpid()) + "/";
  bool ownFolder = false;
  if (path.substr(0, own.size()) == own) {
    path.remove_prefix(own.size());
    if (path.substr(0, 5) == "task/") {
      path.remove_prefix(5);
      const size_t slash = path.find('/');
      path = slash != std::string_view::npos && AllDigits(path.substr(0, slash))
                 ? path.substr(slash + 1)
                 : std::string_view();
    }
    ownFolder = path == "fd";
  }
  std::free(resolved);
  return ownFolder;
}

bool ReadLink(const std::string& path, std::string* target) {
  std::string buffer(PATH_MAX, '\0');
  const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
  if (length < 0) return false;
  if (static_cast<size_t>(length) >= buffer.size()) {
    errno = ENAMETOOLONG;
    return false;
  }
  buffer.resize(static_cast<size_t>(length));
  *target = buffer;
  return true;
}

}  // namespace

COutputTarget ResolveOutputTarget(const std::string& path) {
  if (path.empty()) return Failed(ENOENT);
  std::string current = path;
  for (int links = 0; links <= kMostLinks; ++links) {
    const size_t slash = current.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : current.substr(0, slash);
    const std::string name = slash == std::string::npos ? current : current.substr(slash + 1);
    struct stat status {};
    if (name.empty() || name == "." || name == "..") {
      return Failed(::stat(current.c_str(), &status) != 0 ? errno
                    : S_ISDIR(status.st_mode)             ? EISDIR
                                                          : ENOTDIR);
    }
    if (::lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) return Failed(errno);
      // Nothing can be created among the kernel's pseudo-files.
      if (OnPseudoFileSystem(folder)) return Failed(ENOENT);
      COutputTarget target;
      target.kind = COutputTarget::EKind::kReplace;
      target.folder = folder;
      target.name = name;
      return target;
    }
    if (S_ISLNK(status.st_mode)) {
      if (OnPseudoFileSystem(folder)) {
        // The kernel's own links (/proc/self/fd/N and the like) lead to open files, pipes
        // and sockets that have no path: let the kernel follow them.
        COutputTarget target;
        if (AllDigits(name) && IsOwnDescriptorFolder(folder)) {
          target.kind = COutputTarget::EKind::kDescriptor;
          target.descriptor = std::atoi(name.c_str());
        } else {
          target.kind = COutputTarget::EKind::kThrough;
          target.throughPath = current;
        }
        return target;
      }
      std::string linked;
      if (!ReadLink(current, &linked)) return Failed(errno);
      if (linked.empty()) return Failed(ENOENT);
      current = linked[0] == '/' ? linked : folder + "/" + linked;
      continue;
    }
    if (S_ISDIR(status.st_mode)) return Failed(EISDIR);
    COutputTarget target;
    if (S_ISREG(status.st_mode) && !OnPseudoFileSystem(folder)) {
      target.kind = COutputTarget::EKind::kReplace;
      target.folder = folder;
      target.name = name;
      target.existing = true;
      target.existingStatus = status;
    } else {
      target.kind = COutputTarget::EKind::kThrough;
      target.throughPath = current;
      target.socket = S_ISSOCK(status.st_mode);
    }
    return target;
  }
  return Failed(ELOOP);
}
