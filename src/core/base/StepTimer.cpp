// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/StepTimer.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// User plus system time of the whole process (all threads), in seconds.
double ProcessorTime() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0.0;
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// VmRSS and VmHWM of /proc/self/status in MB (0 where unknown).
void ResidentMemory(double& rss, double& peak) {
  rss = peak = 0.0;
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return;
  char line[256];
  while (std::fgets(line, sizeof line, status) != nullptr) {
    long kilobytes = 0;
    if (std::sscanf(line, "VmRSS: %ld kB", &kilobytes) == 1) rss = kilobytes / 1024.0;
    if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1) peak = kilobytes / 1024.0;
  }
  std::fclose(status);
}

}  // namespace

bool CStepTimer::Enabled() {
  static const bool enabled = [] {
    const char* value = std::getenv("QUORVEL_TIMINGS");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
  }();
  return enabled;
}

CStepTimer::CStepTimer(const char* step) : step_(step) {
  if (!Enabled()) return;
  start_ = Now();
  startProcessor_ = ProcessorTime();
}

CStepTimer::~CStepTimer() {
  if (!Enabled()) return;
  const double seconds = Now() - start_;
  const double processor = ProcessorTime() - startProcessor_;
  double rss = 0.0, peak = 0.0;
  ResidentMemory(rss, peak);
  std::fprintf(stderr, "quorvel-timing: %s %.3f s (cpu %.3f s), rss %.0f MB, peak %.0f MB\n", step_,
               seconds, processor, rss, peak);
}
