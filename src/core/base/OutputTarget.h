// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <string>

// What a path given as an output names once its symbolic links are followed (chains and
// relative links too), and so how it is to be written:
//  - kReplace: a regular file or a new path. It is written beside and renamed over, so it is
//    complete or absent; `folder`/`name` say where the final file is (a symbolic link to it
//    stays a link), `existing` tells whether one is there and `existingStatus` describes it.
//  - kThrough: a device, FIFO, socket or pseudo-file (/proc, /sys), opened at `throughPath`
//    and written as it is, never replaced nor removed.
//  - kDescriptor: one of this process's open descriptors (/dev/stdout, /dev/fd/N,
//    /proc/self/fd/N), written through a duplicate of `descriptor`, at its current offset.
//  - kFailed: `error` is the errno that says why not (a folder gives EISDIR).
struct COutputTarget {
  enum class EKind { kReplace, kThrough, kDescriptor, kFailed };
  EKind kind = EKind::kFailed;
  std::string folder;
  std::string name;
  bool existing = false;
  struct stat existingStatus {};
  std::string throughPath;
  bool socket = false;
  int descriptor = -1;
  int error = 0;
};

COutputTarget ResolveOutputTarget(const std::string& path);
