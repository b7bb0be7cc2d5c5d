// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Names of the temporary files an atomic write puts beside its target, and the removal of
// those an interrupted write left behind.
//
// A temporary name is hidden, always fits in a file name whatever the target's length, and
// tells which target and which process it belongs to:
//   "." + target name cut to 64 bytes (at a character boundary) + ".partial-"
//       + 16 hex digits hashing the whole target name + "-" + writer's pid + "-" + 8 hex digits
// A writer holds an exclusive flock() on its temporary file for as long as it lives.
std::string TemporaryNameFor(std::string_view targetName, pid_t writer, uint32_t chance);

// The writer's pid when `candidate` is a temporary name of `targetName`, else nothing.
std::optional<pid_t> TemporaryWriterOf(std::string_view candidate, std::string_view targetName);

// Removes from the open folder `folder` the temporary files an earlier write of `targetName`
// left. A live writer is never harmed: only a regular file nobody holds locked goes, and only
// when its writer process is gone or it has not been modified for a minute (the writer locks
// it a moment after creating it; a pid may also have been reused). Returns how many went.
int RemoveLeftoverTemporaries(int folder, std::string_view targetName);
