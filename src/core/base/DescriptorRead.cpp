// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DescriptorRead.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int ReadWholeDescriptor(int fd, std::string& content) {
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    content.reserve(content.size() + static_cast<size_t>(info.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return error;
    }
    content.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return 0;
}
