// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/LiveTemporaries.h"

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

namespace {

enum ESlotState : int { kFree, kFilling, kLive, kClaimed, kRemoved };

struct CSlot {
  std::atomic<int> state{kFree};
  int folder = -1;
  char name[256] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free atomics");

constexpr int kSlotCount = 64;
CSlot slots[kSlotCount];

constexpr int kSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
struct sigaction previous[kSignalCount];

void RemoveEveryLiveTemporary() {
  for (CSlot& slot : slots) {
    int live = kLive;
    if (!slot.state.compare_exchange_strong(live, kClaimed)) continue;
    ::unlinkat(slot.folder, slot.name, 0);
    slot.state.store(kRemoved);
  }
}

void RemoveAndPassOn(int signal, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  RemoveEveryLiveTemporary();
  const struct sigaction* before = nullptr;
  for (int i = 0; i < kSignalCount; ++i)
    if (kSignals[i] == signal) before = &previous[i];
  if (before && (before->sa_flags & SA_SIGINFO) && before->sa_sigaction) {
    before->sa_sigaction(signal, info, context);
  } else if (before && before->sa_handler != SIG_DFL && before->sa_handler != SIG_IGN) {
    before->sa_handler(signal);
  } else {
    // Give the signal its default action: it is blocked while we run, so raising it leaves it
    // pending and unblocking delivers it.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  }
  errno = savedErrno;
}

void InstallHandlers() {
  struct sigaction ours {};
  ours.sa_sigaction = RemoveAndPassOn;
  sigemptyset(&ours.sa_mask);
  for (int signal : kSignals)
    sigaddset(&ours.sa_mask, signal);
  for (int i = 0; i < kSignalCount; ++i) {
    if (::sigaction(kSignals[i], nullptr, &previous[i]) != 0) continue;
    // An ignored signal ends nothing: leave it ignored.
    if (!(previous[i].sa_flags & SA_SIGINFO) && previous[i].sa_handler == SIG_IGN) continue;
    ours.sa_flags = SA_SIGINFO | SA_RESTART | (previous[i].sa_flags & SA_ONSTACK);
    ::sigaction(kSignals[i], &ours, nullptr);
  }
}

}  // namespace

int RegisterLiveTemporary(int folder, std::string_view name) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  if (name.size() >= sizeof slots[0].name) return -1;
  for (int i = 0; i < kSlotCount; ++i) {
    int free = kFree;
    if (!slots[i].state.compare_exchange_strong(free, kFilling)) continue;
    slots[i].folder = folder;
    std::memcpy(slots[i].name, name.data(), name.size());
    slots[i].name[name.size()] = '\0';
    slots[i].state.store(kLive);
    return i;
  }
  return -1;
}

bool LiveTemporaryWasRemoved(int slot) {
  if (slot < 0) return false;
  return slots[slot].state.load() == kRemoved;
}

void ReleaseLiveTemporary(int slot) {
  if (slot < 0) return;
  CSlot& released = slots[slot];
  for (;;) {
    int state = released.state.load();
    if (state == kClaimed) {  // a handler on another thread is removing it right now
      ::sched_yield();
      continue;
    }
    if (released.state.compare_exchange_strong(state, kFree)) return;
  }
}
