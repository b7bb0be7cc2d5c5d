// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Memory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include "Sanitizers.h"

TEST(MemoryLimits, ParsesTheProcAndCgroupTexts) {
  const char meminfo[] =
      "MemTotal:       24683752 kB\nMemFree:        23770572 kB\nMemAvailable:   24129488 kB\n";
  EXPECT_EQ(KilobyteField(meminfo, "MemAvailable"), size_t{24129488} * 1024);
  EXPECT_EQ(KilobyteField(meminfo, "MemTotal"), size_t{24683752} * 1024);
  EXPECT_EQ(KilobyteField(meminfo, "Mem"), SIZE_MAX);  // a prefix of a key is not the key
  EXPECT_EQ(KilobyteField("VmSize:\t  1024 kB\n", "VmSize"), size_t{1024} * 1024);
  EXPECT_EQ(KilobyteField("MemAvailable: many kB\n", "MemAvailable"), SIZE_MAX);

  EXPECT_EQ(StatField("anon 10\ninactive_file 4096\nactive_file 7\n", "inactive_file"), 4096u);
  EXPECT_EQ(StatField("total_inactive_file 5\n", "inactive_file"), 0u);

  EXPECT_EQ(LimitValue("max\n"), SIZE_MAX);
  EXPECT_EQ(LimitValue("9223372036854771712\n"), SIZE_MAX);  // v1 without a limit
  EXPECT_EQ(LimitValue("2147483648\n"), size_t{2147483648});
  EXPECT_EQ(LimitValue(""), SIZE_MAX);

  // The reclaimable cache counts as room; a group above its limit has none.
  EXPECT_EQ(GroupRoom(1000, 600, 100), 500u);
  EXPECT_EQ(GroupRoom(1000, 600, 900), 1000u);
  EXPECT_EQ(GroupRoom(1000, 1200, 100), 0u);
}

TEST(MemoryLimits, FindsTheMemoryGroupOfEitherVersion) {
  int version = -1;
  EXPECT_EQ(MemoryGroupPath("12:pids:/\n4:memory:/jobs/a\n0::/\n", version), "/jobs/a");
  EXPECT_EQ(version, 1);
  EXPECT_EQ(MemoryGroupPath("3:cpu,memory:/b\n", version), "/b");
  EXPECT_EQ(version, 1);
  EXPECT_EQ(MemoryGroupPath("0::/user.slice/app.scope\n", version), "/user.slice/app.scope");
  EXPECT_EQ(version, 2);
  EXPECT_EQ(MemoryGroupPath("2:cpuset:/\n", version), "");
  EXPECT_EQ(version, 0);
}

TEST(MemoryLimits, TheSmallestLimitDecides) {
  CMemoryLimits limits;
  EXPECT_EQ(limits.Available(), SIZE_MAX);
  limits.physical = 100;
  limits.systemAvailable = 80;
  limits.groupAvailable = 90;
  EXPECT_EQ(limits.Available(), 80u);
  limits.addressAvailable = 10;
  EXPECT_EQ(limits.Available(), 10u);
  EXPECT_LE(AvailableMemoryBytes(), CurrentMemoryLimits().physical);
}

TEST(MemoryLimits, AnAddressSpaceLimitIsHonoured) {
  QUORVEL_SKIP_UNDER_ADDRESS_LIMIT_IF_SANITIZED();
  // As `ulimit -v` does, in a child process so that this one keeps its limits.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const size_t now = CurrentMemoryLimits().addressAvailable;
    if (now != SIZE_MAX) _exit(10);  // no limit yet
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = size_t{4} << 30;
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(11);
    const size_t room = AvailableMemoryBytes();
    if (room >= (size_t{4} << 30)) _exit(12);  // the process's own size is taken off
    if (CanReserve(size_t{5} << 30)) _exit(13);
    if (!CanReserve(size_t{1} << 20)) _exit(14);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 10) GTEST_SKIP() << "the tests run under an address-space limit";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
