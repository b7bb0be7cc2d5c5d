// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

struct COutputTarget;

// Writes an output file completely or not at all: the bytes go to a hidden temporary file
// beside the target, which replaces the target only once everything was written and synced. A
// failure leaves the old file (or none) and a reason.
//
// Only a regular file or a new path is replaced that way. A symbolic link is followed (chains
// and relative links too) and its final target replaced; the link stays. A device, FIFO or
// socket is written straight through and never replaced nor removed, and so is this process's
// own descriptor named as /dev/stdout, /dev/fd/N or /proc/self/fd/N (at its current offset,
// after what the program already printed). A folder fails with "Is a directory".
//
// Temporary files do not outlive their writer: a terminating signal removes them (see
// base/LiveTemporaries.h), and those of a writer that was killed outright are removed when the
// same target is written again (see base/TemporaryNames.h).
class CAtomicFile {
 public:
  explicit CAtomicFile(std::string path);
  ~CAtomicFile();  // discards the temporary file unless committed
  CAtomicFile(const CAtomicFile&) = delete;
  CAtomicFile& operator=(const CAtomicFile&) = delete;

  bool Write(std::string_view bytes);
  // Flushes, syncs and renames into place; false on any failure (see Error()).
  bool Commit();
  // The system's reason of the first failure; set by the constructor when the file could not
  // be created (or opened), then without a prefix.
  const std::string& Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  bool Fail(const char* what);
  void CreateTemporary(const COutputTarget& target);
  void OpenThrough(const COutputTarget& target);
  std::string path_;
  std::string temporary_;  // its name inside folder_; empty when writing through
  std::string finalName_;  // the name it takes inside folder_
  int folder_ = -1;
  int slot_ = -1;  // in the registry of live temporaries
  int fd_ = -1;
  std::string error_;
};

// Writes `bytes` to `path` through a CAtomicFile; on failure returns false and sets `error` to
// the system's reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);
