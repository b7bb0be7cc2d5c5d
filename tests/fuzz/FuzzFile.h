// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// The readers take a file name: each input is written over one temporary file of the process.
inline const std::string& FuzzFilePath(const uint8_t* data, size_t size) {
  static const std::string path = [] {
    char name[] = "/tmp/quorvel-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) abort();
    close(fd);
    return std::string(name);
  }();
  const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
  if (fd < 0) abort();
  size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) abort();
    written += static_cast<size_t>(n);
  }
  close(fd);
  return path;
}
