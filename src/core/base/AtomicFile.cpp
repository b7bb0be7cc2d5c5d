#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

CAtomicFile::CAtomicFile(std::string path) : path_(std::move(path)) {
  temporary_ = path_ + ".partial-XXXXXX";
  fd_ = ::mkstemp(temporary_.data());
  if (fd_ < 0) {
    error_ = std::strerror(errno);
    temporary_.clear();
    return;
  }
  // mkstemp creates the file for the owner only: give it the permissions of the file it
  // replaces, or the usual ones of a new file.
  struct stat existing {};
  if (::stat(path_.c_str(), &existing) == 0) {
    ::fchmod(fd_, existing.st_mode & 07777);
  } else {
    static const mode_t mask = [] {
      const mode_t current = ::umask(022);
      ::umask(current);
      return current;
    }();
    ::fchmod(fd_, 0666 & ~mask);
  }
}

CAtomicFile::~CAtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool CAtomicFile::Fail(const char* what) {
  if (error_.empty()) error_ = std::string(what) + ": " + std::strerror(errno);
  return false;
}

bool CAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Fail("write");
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool CAtomicFile::Commit() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) return Fail("sync");
  if (::close(fd_) != 0) {
    fd_ = -1;
    return Fail("close");
  }
  fd_ = -1;
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) return Fail("rename");
  temporary_.clear();
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  CAtomicFile file(path);
  const bool ok = file.Write(bytes) && file.Commit();
  if (!ok && error) *error = file.Error();
  return ok;
}
