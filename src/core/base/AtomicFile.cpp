// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AtomicFile.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include "base/LiveTemporaries.h"
#include "base/OutputTarget.h"
#include "base/TemporaryNames.h"

namespace {

uint32_t Chance() {
  static std::atomic<uint64_t> counter{0};
  uint64_t mixed =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
  mixed ^= mixed >> 31;
  mixed *= 0xBF58476D1CE4E5B9ull;
  mixed ^= mixed >> 29;
  return static_cast<uint32_t>(mixed);
}

int OpenFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0 || errno != EACCES) return fd;
  // A folder we may write in but not list: enough for the *at() calls, not for syncing.
  return ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// A Unix socket is not opened but connected to.
int ConnectTo(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// A reader that went away makes write() fail with EPIPE and raise SIGPIPE, whose default
// action would end the whole program: while this lives the calling thread keeps SIGPIPE
// blocked, and the one our own write raised is taken back.
class CPipeSignalHold {
 public:
  CPipeSignalHold() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipe_, &before_);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
  }
  ~CPipeSignalHold() {
    if (raised_ && !wasPending_) {
      const timespec noWait{};
      ::sigtimedwait(&pipe_, nullptr, &noWait);
    }
    ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
  }
  void NoteBrokenPipe() { raised_ = true; }

 private:
  sigset_t pipe_;
  sigset_t before_;
  bool wasPending_ = false;
  bool raised_ = false;
};

bool IsRegular(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

CAtomicFile::CAtomicFile(std::string path) : path_(std::move(path)) {
  const COutputTarget target = ResolveOutputTarget(path_);
  switch (target.kind) {
    case COutputTarget::EKind::kReplace:
      CreateTemporary(target);
      break;
    case COutputTarget::EKind::kThrough:
    case COutputTarget::EKind::kDescriptor:
      OpenThrough(target);
      break;
    case COutputTarget::EKind::kFailed:
      error_ = std::strerror(target.error);
      break;
  }
}

void CAtomicFile::CreateTemporary(const COutputTarget& target) {
  folder_ = OpenFolder(target.folder);
  if (folder_ < 0) {
    error_ = std::strerror(errno);
    return;
  }
  finalName_ = target.name;
  RemoveLeftoverTemporaries(folder_, finalName_);
  // A new file gets the usual permissions (0666 less the umask); a replaced one keeps its own,
  // set below once the file is ours alone.
  const mode_t creation = target.existing ? 0600 : 0666;
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = TemporaryNameFor(finalName_, ::getpid(), Chance());
    // Registered before it exists, so that no moment is left unprotected.
    slot_ = RegisterLiveTemporary(folder_, temporary_);
    fd_ = ::openat(folder_, temporary_.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creation);
    if (fd_ >= 0) break;
    const int error = errno;
    ReleaseLiveTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
    if (error != EEXIST) {
      error_ = std::strerror(error);
      return;
    }
  }
  if (fd_ < 0) {
    error_ = std::strerror(EEXIST);
    return;
  }
  // Tells a later writer of the same target that this file is alive (see TemporaryNames.h).
  ::flock(fd_, LOCK_EX);
  if (target.existing) {
    const struct stat& old = target.existingStatus;
    mode_t mode = old.st_mode & 07777;
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      // Keep the owner where we may; a file we cannot give away keeps no set-id bit.
      if (::fchown(fd_, old.st_uid, old.st_gid) != 0) mode &= ~mode_t(S_ISUID | S_ISGID);
    }
    ::fchmod(fd_, mode);
  }
}

void CAtomicFile::OpenThrough(const COutputTarget& target) {
  if (target.kind == COutputTarget::EKind::kDescriptor) {
    // What the program printed through stdio goes first.
    if (target.descriptor == STDOUT_FILENO) std::fflush(stdout);
    if (target.descriptor == STDERR_FILENO) std::fflush(stderr);
    fd_ = ::fcntl(target.descriptor, F_DUPFD_CLOEXEC, 0);
  } else if (target.socket) {
    fd_ = ConnectTo(target.throughPath);
  } else {
    // O_TRUNC empties a pseudo-file, or a file reached through another process's descriptor,
    // as the shell's ">" would; devices and FIFOs ignore it.
    fd_ = ::open(target.throughPath.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
  }
  if (fd_ < 0) error_ = std::strerror(errno);
}

CAtomicFile::~CAtomicFile() {
  if (!temporary_.empty()) ::unlinkat(folder_, temporary_.c_str(), 0);
  ReleaseLiveTemporary(slot_);
  if (fd_ >= 0) ::close(fd_);
  if (folder_ >= 0) ::close(folder_);
}

bool CAtomicFile::Fail(const char* what) {
  if (error_.empty()) error_ = std::string(what) + ": " + std::strerror(errno);
  return false;
}

bool CAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  std::optional<CPipeSignalHold> pipeSignal;
  if (temporary_.empty()) pipeSignal.emplace();  // writing through to a pipe, socket...
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE && pipeSignal) pipeSignal->NoteBrokenPipe();
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // A descriptor we share may be non-blocking: wait until it takes more.
        pollfd ready{fd_, POLLOUT, 0};
        ::poll(&ready, 1, -1);
        continue;
      }
      return Fail("write");
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool CAtomicFile::Commit() {
  if (fd_ < 0) return false;
  const bool replacing = !temporary_.empty();
  if (replacing) {
    if (::fsync(fd_) != 0) return Fail("sync");
  } else if (IsRegular(fd_) && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
    return Fail("sync");  // pseudo-files cannot be synced, and need not be
  }
  if (replacing) {
    if (::renameat(folder_, temporary_.c_str(), folder_, finalName_.c_str()) != 0) {
      if (errno == ENOENT && LiveTemporaryWasRemoved(slot_)) {
        if (error_.empty()) error_ = "rename: interrupted by a signal";
        return false;
      }
      return Fail("rename");
    }
    temporary_.clear();
    // Makes the new name durable too; a folder that refuses is no failure of the file.
    ::fsync(folder_);
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && !replacing) return Fail("close");
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  CAtomicFile file(path);
  const bool ok = file.Write(bytes) && file.Commit();
  if (!ok && error) *error = file.Error();
  return ok;
}
