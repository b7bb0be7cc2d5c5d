// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The temporary files being written right now, so that a terminating signal (SIGHUP, SIGINT,
// SIGQUIT, SIGTERM, SIGPIPE) does not leave them behind. The first registration installs a
// handler for each of those signals that is not ignored; the handler removes every registered
// file and then passes the signal on: to the handler that was installed before, or to the
// default action (the process ends as the signal says). Everything the handler touches is
// async-signal-safe: fixed slots, atomics and unlinkat().

// Registers `name` inside the open folder `folder` (which must stay open until released).
// Returns the slot, or -1 when all slots are taken (the file then lacks this protection but
// is still removed as a leftover by the next write of its target).
int RegisterLiveTemporary(int folder, std::string_view name);

// True when a signal handler has removed the file of `slot` (and not yet released).
bool LiveTemporaryWasRemoved(int slot);

// Forgets `slot` (no-op for -1).
void ReleaseLiveTemporary(int slot);
