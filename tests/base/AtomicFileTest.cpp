// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "TestFiles.h"
#include "base/AtomicFile.h"
#include "base/TemporaryNames.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
  return status.st_mode;
}

// A pid that no process has: a child that ended and was reaped.
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

// Reads from `fd` until it ends or `deadline` seconds passed without it ending.
std::string ReadUntilEnd(int fd, int deadline = 10) {
  std::string got;
  const time_t end = std::time(nullptr) + deadline;
  char buffer[65536];
  while (std::time(nullptr) < end) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 100) <= 0) continue;
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n > 0) got.append(buffer, static_cast<size_t>(n));
  }
  return got;
}

// A child process running `body` (which returns its exit code), its end told by waitpid().
struct CChild {
  pid_t pid = -1;
  int ready = -1;  // a byte arrives once the child wrote its first bytes
};

CChild StartChild(const std::function<int(int readyFd)>& body) {
  int pipeFds[2];
  EXPECT_EQ(::pipe(pipeFds), 0);
  CChild child;
  std::fflush(stdout);  // or the child would print the test's pending output again
  child.pid = ::fork();
  if (child.pid == 0) {
    ::close(pipeFds[0]);
    ::_exit(body(pipeFds[1]));
  }
  ::close(pipeFds[1]);
  child.ready = pipeFds[0];
  return child;
}

bool WaitReady(const CChild& child) {
  pollfd ready{child.ready, POLLIN, 0};
  char byte;
  return ::poll(&ready, 1, 10000) == 1 && ::read(child.ready, &byte, 1) == 1;
}

int WaitStatus(const CChild& child) {
  int status = 0;
  ::waitpid(child.pid, &status, 0);
  ::close(child.ready);
  return status;
}

// A child that starts writing `path` and then waits to be stopped.
CChild StartInterruptedWriter(const std::string& path) {
  return StartChild([path](int ready) {
    CAtomicFile file(path);
    if (!file.Write("the beginning of the new content")) return 2;
    if (::write(ready, "r", 1) != 1) return 2;
    for (;;)
      ::pause();
  });
}

// The standard output of a child that prints "first " through stdio without flushing, then
// writes "second" to `name`.
std::string ChildPrintingThrough(const std::string& name, int* exitCode) {
  int out[2];
  EXPECT_EQ(::pipe(out), 0);
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    std::fputs("first ", stdout);
    std::string error;
    const bool ok = WriteFileAtomically(name, "second", &error);
    if (!ok) std::fputs(error.c_str(), stdout);
    std::fflush(stdout);
    ::_exit(ok ? 0 : 1);
  }
  ::close(out[1]);
  const std::string got = ReadUntilEnd(out[0]);
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return got;
}

}  // namespace

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  {
    CAtomicFile file(path);
    ASSERT_TRUE(file.Write("new content"));
    EXPECT_EQ(ReadFileText(path), "old");  // nothing visible before the commit
  }
  EXPECT_EQ(ReadFileText(path), "old");  // dropped without commit: the old file stays
  ASSERT_TRUE(WriteFileAtomically(path, "new content", nullptr));
  EXPECT_EQ(ReadFileText(path), "new content");
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});  // nothing left behind
}

TEST(AtomicFile, UnwritableFolderGivesTheSystemsReason) {
  CTempDir folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder.Path() / "missing" / "x.txt").string(), "x", &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST(AtomicFile, AFolderIsNoTarget) {
  CTempDir folder;
  fs::create_directory(folder.Path() / "sub");
  for (const std::string& path :
       {(folder.Path() / "sub").string(), (folder.Path() / "sub").string() + "/"}) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "x", &error)) << path;
    EXPECT_EQ(error, "Is a directory") << path;
    EXPECT_TRUE(fs::is_directory(path));
  }
  EXPECT_TRUE(fs::is_empty(folder.Path() / "sub"));
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"sub"});
}

TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces) {
  CTempDir folder;
  const std::string kept = folder.Write("kept.txt", "old");
  ::chmod(kept.c_str(), 0604);
  ASSERT_TRUE(WriteFileAtomically(kept, "new", nullptr));
  EXPECT_EQ(ModeOf(kept) & 07777, 0604u);

  const mode_t mask = ::umask(0);
  ::umask(mask);
  const std::string fresh = (folder.Path() / "new.txt").string();
  ASSERT_TRUE(WriteFileAtomically(fresh, "new", nullptr));
  EXPECT_EQ(ModeOf(fresh) & 07777, 0666u & ~mask);
}

TEST(AtomicFile, ReplacesTheFinalTargetOfSymbolicLinksAndKeepsThem) {
  CTempDir folder;
  fs::create_directory(folder.Path() / "real");
  fs::create_directory(folder.Path() / "links");
  const std::string target = (folder.Path() / "real" / "t.txt").string();
  folder.Write("real/t.txt", "old");
  ::chmod(target.c_str(), 0640);
  // A chain: an absolute link to a link relative to its own folder.
  const fs::path relative = folder.Path() / "links" / "relative";
  const fs::path chain = folder.Path() / "chain";
  fs::create_symlink("../real/t.txt", relative);
  fs::create_symlink(relative, chain);

  std::string error;
  ASSERT_TRUE(WriteFileAtomically(chain.string(), "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_TRUE(fs::is_symlink(relative));
  EXPECT_EQ(ReadFileText(target), "new");
  EXPECT_EQ(ModeOf(target) & 07777, 0640u);
  EXPECT_EQ(Entries(folder.Path() / "real"), std::set<std::string>{"t.txt"});
  EXPECT_EQ(Entries(folder.Path() / "links"), std::set<std::string>{"relative"});

  // A link to nothing yet creates its target.
  const fs::path dangling = folder.Path() / "dangling";
  fs::create_symlink("real/created.txt", dangling);
  ASSERT_TRUE(WriteFileAtomically(dangling.string(), "made", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadFileText((folder.Path() / "real" / "created.txt").string()), "made");

  // A loop fails with the system's reason.
  fs::create_symlink("loop-b", folder.Path() / "loop-a");
  fs::create_symlink("loop-a", folder.Path() / "loop-b");
  EXPECT_FALSE(WriteFileAtomically((folder.Path() / "loop-a").string(), "x", &error));
  EXPECT_EQ(error, std::strerror(ELOOP));
}

// As root a broken build would replace a device of /dev, so root tests copies of it.
TEST(AtomicFile, WritesThroughADeviceWithoutReplacingIt) {
  CTempDir folder;
  const auto device = [&](const char* name, unsigned minor) {
    if (::geteuid() != 0) return std::string("/dev/") + name;
    const std::string copy = (folder.Path() / name).string();
    if (::mknod(copy.c_str(), S_IFCHR | 0666, ::makedev(1, minor)) != 0) return std::string();
    const int fd = ::open(copy.c_str(), O_WRONLY);  // a folder mounted nodev refuses
    if (fd < 0) return std::string();
    ::close(fd);
    return copy;
  };
  const std::string null = device("null", 3);
  const std::string full = device("full", 7);
  if (null.empty() || full.empty()) GTEST_SKIP() << "no device can be made here";
  std::string error;
  EXPECT_TRUE(WriteFileAtomically(null, "bytes", &error)) << error;
  EXPECT_TRUE(S_ISCHR(ModeOf(null)));
  // The device's own failure is reported.
  EXPECT_FALSE(WriteFileAtomically(full, "bytes", &error));
  EXPECT_EQ(error, std::string("write: ") + std::strerror(ENOSPC));
  EXPECT_TRUE(S_ISCHR(ModeOf(full)));
  if (::geteuid() == 0) {
    EXPECT_EQ(Entries(folder.Path()), (std::set<std::string>{"full", "null"}));
  }
}

TEST(AtomicFile, WritesThroughAFifoToItsReader) {
  CTempDir folder;
  const std::string fifo = (folder.Path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opened for reading and writing, the FIFO never blocks the test, even when it is broken.
  const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const std::string content(1 << 20, 'q');  // more than the pipe holds at once
  std::string got;
  std::thread reading([&] {
    const time_t end = std::time(nullptr) + 10;
    char buffer[65536];
    while (got.size() < content.size() && std::time(nullptr) < end) {
      pollfd ready{reader, POLLIN, 0};
      if (::poll(&ready, 1, 100) <= 0) continue;
      const ssize_t n = ::read(reader, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<size_t>(n));
    }
  });
  std::string error;
  EXPECT_TRUE(WriteFileAtomically(fifo, content, &error)) << error;
  reading.join();
  ::close(reader);
  EXPECT_EQ(got.size(), content.size());
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"fifo"});
}

TEST(AtomicFile, AReaderThatWentAwayIsAFailureNotTheEndOfTheProgram) {
  CTempDir folder;
  const std::string fifo = (folder.Path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const CChild child = StartChild([fifo](int) {
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    CAtomicFile file(fifo);
    ::close(reader);
    if (file.Write("nobody reads this")) return 1;
    return file.Error() == std::string("write: ") + std::strerror(EPIPE) ? 0 : 2;
  });
  const int status = WaitStatus(child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(AtomicFile, WritesThroughAUnixSocketToItsListener) {
  CTempDir folder;
  const std::string path = (folder.Path() / "socket").string();
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  std::string got;
  std::thread accepting([&] {
    pollfd ready{listener, POLLIN, 0};
    if (::poll(&ready, 1, 10000) != 1) return;
    const int connection = ::accept(listener, nullptr, nullptr);
    got = ReadUntilEnd(connection);
    ::close(connection);
  });
  std::string error;
  EXPECT_TRUE(WriteFileAtomically(path, "through the socket", &error)) << error;
  accepting.join();
  ::close(listener);
  EXPECT_EQ(got, "through the socket");
  EXPECT_TRUE(S_ISSOCK(ModeOf(path)));
}

// Root could spoil the machine's /dev/stdout with a broken build: it tests the other names.
TEST(AtomicFile, WritesThroughItsOwnStandardOutputAfterWhatItPrinted) {
  std::vector<std::string> names = {"/dev/fd/1", "/proc/self/fd/1"};
  if (::geteuid() != 0) names.push_back("/dev/stdout");
  for (const std::string& name : names) {
    int exitCode = -1;
    EXPECT_EQ(ChildPrintingThrough(name, &exitCode), "first second") << name;
    EXPECT_EQ(exitCode, 0) << name;
  }
  // A standard output that is a file is neither truncated nor replaced.
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "before ");
  const pid_t child = ::fork();
  if (child == 0) {
    const int file = ::open(path.c_str(), O_WRONLY | O_APPEND);
    ::dup2(file, STDOUT_FILENO);
    ::_exit(WriteFileAtomically("/dev/fd/1", "after", nullptr) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileText(path), "before after");
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});
}

TEST(AtomicFile, ALongLegalFileNameCanBeWritten) {
  CTempDir folder;
  for (size_t length : {241u, 250u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".txt";
    const std::string path = (folder.Path() / name).string();
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(path, "long", &error)) << length << ": " << error;
    EXPECT_EQ(ReadFileText(path), "long");
    EXPECT_TRUE(WriteFileAtomically(path, "again", &error)) << length << ": " << error;
    EXPECT_EQ(ReadFileText(path), "again");
    fs::remove(path);
  }
  EXPECT_TRUE(fs::is_empty(folder.Path()));
  // One byte more is the system's refusal, before anything was written.
  std::string error;
  EXPECT_FALSE(WriteFileAtomically((folder.Path() / std::string(256, 'n')).string(), "x", &error));
  EXPECT_EQ(error, std::strerror(ENAMETOOLONG));
}

TEST(AtomicFile, TemporaryNamesFitAndTellTheirTargetAndWriter) {
  // 127 two-byte characters: the name shown in the temporary one is cut between characters.
  std::string accented;
  for (int i = 0; i < 127; ++i)
    accented += "\xC3\xA9";
  const std::string temporary = TemporaryNameFor(accented, 4321, 0xdeadbeef);
  EXPECT_LE(temporary.size(), 120u);
  EXPECT_EQ(temporary[0], '.');
  EXPECT_EQ(temporary.substr(1, 64), accented.substr(0, 64));
  EXPECT_EQ(TemporaryWriterOf(temporary, accented), 4321);
  // Another target sharing the first 64 bytes is told apart by the hash.
  EXPECT_EQ(TemporaryWriterOf(temporary, accented + "x"), std::nullopt);
  EXPECT_EQ(TemporaryWriterOf(temporary.substr(0, temporary.size() - 1), accented), std::nullopt);
  EXPECT_EQ(TemporaryWriterOf(accented + ".partial-abc123", accented), std::nullopt);
}

TEST(AtomicFile, LeftoversOfAnEndedWriterGoWhenTheTargetIsWrittenAgain) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  const auto leftover = [&](const std::string& target, pid_t writer, uint32_t chance) {
    const std::string name = TemporaryNameFor(target, writer, chance);
    folder.Write(name, "partial");
    return name;
  };
  const std::string ofDeadWriter = leftover("out.txt", DeadPid(), 1);
  const std::string ofOtherTarget = leftover("other.txt", DeadPid(), 2);
  const std::string unrelated = folder.Write("out.txt.partial-abc123", "x");
  // A live writer holds a lock on its file: it stays, whatever its age.
  const std::string ofLiveWriter = leftover("out.txt", ::getpid(), 3);
  const int held = ::open((folder.Path() / ofLiveWriter).c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  // Unlocked while its writer lives: just created (stays) or stale under a reused pid (goes).
  const std::string justCreated = leftover("out.txt", ::getpid(), 4);
  const std::string stale = leftover("out.txt", ::getpid(), 5);
  const timespec longAgo[2] = {{std::time(nullptr) - 7200, 0}, {std::time(nullptr) - 7200, 0}};
  for (const std::string& name : {ofLiveWriter, stale})
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder.Path() / name).c_str(), longAgo, 0), 0);

  ASSERT_TRUE(WriteFileAtomically(path, "new", nullptr));
  EXPECT_EQ(ReadFileText(path), "new");
  EXPECT_EQ(Entries(folder.Path()),
            (std::set<std::string>{"out.txt", ofOtherTarget, ofLiveWriter, justCreated,
                                   fs::path(unrelated).filename()}));
  ::close(held);
}

TEST(AtomicFile, TwoWritersOfOneTargetDoNotHarmEachOther) {
  CTempDir folder;
  const std::string path = (folder.Path() / "out.txt").string();
  CAtomicFile first(path);
  ASSERT_TRUE(first.Write("first"));
  CAtomicFile second(path);  // starts after the first: must leave its temporary file alone
  ASSERT_TRUE(second.Write("second"));
  EXPECT_TRUE(first.Commit()) << first.Error();
  EXPECT_EQ(ReadFileText(path), "first");
  EXPECT_TRUE(second.Commit()) << second.Error();
  EXPECT_EQ(ReadFileText(path), "second");
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});
}

TEST(AtomicFile, ATerminatingSignalRemovesTheTemporaryFile) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  for (int signal : {SIGTERM, SIGINT}) {
    const CChild child = StartInterruptedWriter(path);
    ASSERT_TRUE(WaitReady(child));
    EXPECT_EQ(Entries(folder.Path()).size(), 2u);
    ::kill(child.pid, signal);
    const int status = WaitStatus(child);
    // The signal keeps its default effect.
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});
    EXPECT_EQ(ReadFileText(path), "old");
  }
}

namespace {

void EndWithCode42(int, siginfo_t*, void*) {
  ::_exit(42);
}
volatile sig_atomic_t handled = 0;
void NoteTheSignal(int) {
  handled = 1;
}

// The writer of a fresh process whose handlers were set before it wrote anything, which a
// child forked from this test process (whose handlers are set already) could not show.
int RunFreshWriter(const std::string& mode, const std::string& path, int ready) {
  if (mode == "ignored") {
    std::signal(SIGINT, SIG_IGN);
    CAtomicFile file(path);
    file.Write("despite");
    ::raise(SIGINT);
    return file.Commit() ? 0 : 5;
  }
  if (mode == "ends-42") {
    struct sigaction own {};
    own.sa_sigaction = EndWithCode42;
    own.sa_flags = SA_SIGINFO;
    ::sigaction(SIGTERM, &own, nullptr);
  } else {
    std::signal(SIGTERM, NoteTheSignal);
  }
  CAtomicFile file(path);
  file.Write("partial");
  if (::write(ready, "r", 1) != 1) return 2;
  while (!handled)
    ::pause();
  file.Write(" and the rest");
  if (file.Commit()) return 3;
  return file.Error().find("interrupted") != std::string::npos ? 0 : 4;
}

// Runs before main() when this binary is started as such a writer.
const bool startedAsFreshWriter = [] {
  const char* mode = std::getenv("ATOMIC_FILE_TEST_WRITER");
  if (!mode) return false;
  ::_exit(RunFreshWriter(mode, std::getenv("ATOMIC_FILE_TEST_PATH"),
                         std::atoi(std::getenv("ATOMIC_FILE_TEST_READY"))));
}();

CChild StartFreshWriter(const std::string& mode, const std::string& path) {
  return StartChild([&](int ready) {
    ::setenv("ATOMIC_FILE_TEST_WRITER", mode.c_str(), 1);
    ::setenv("ATOMIC_FILE_TEST_PATH", path.c_str(), 1);
    ::setenv("ATOMIC_FILE_TEST_READY", std::to_string(ready).c_str(), 1);
    ::execl("/proc/self/exe", "/proc/self/exe", static_cast<char*>(nullptr));
    return 127;
  });
}

}  // namespace

TEST(AtomicFile, TheHandlerInstalledBeforeStillGetsTheSignal) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  // A handler that ends the process its own way.
  CChild child = StartFreshWriter("ends-42", path);
  ASSERT_TRUE(WaitReady(child));
  ::kill(child.pid, SIGTERM);
  int status = WaitStatus(child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 42) << status;
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});

  // A handler that lets the program go on: the interrupted write then fails, the old file stays.
  child = StartFreshWriter("goes-on", path);
  ASSERT_TRUE(WaitReady(child));
  ::kill(child.pid, SIGTERM);
  status = WaitStatus(child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFileText(path), "old");
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});

  // An ignored signal stays ignored.
  child = StartFreshWriter("ignored", path);
  status = WaitStatus(child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFileText(path), "despite");
}

TEST(AtomicFile, AKilledWritersTemporaryGoesWithTheNextWrite) {
  CTempDir folder;
  const std::string path = folder.Write("out.txt", "old");
  const CChild child = StartInterruptedWriter(path);
  ASSERT_TRUE(WaitReady(child));
  ::kill(child.pid, SIGKILL);
  WaitStatus(child);
  EXPECT_EQ(Entries(folder.Path()).size(), 2u);  // nothing can clean up after SIGKILL
  EXPECT_EQ(ReadFileText(path), "old");
  ASSERT_TRUE(WriteFileAtomically(path, "new", nullptr));
  EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"out.txt"});
  EXPECT_EQ(ReadFileText(path), "new");
}
