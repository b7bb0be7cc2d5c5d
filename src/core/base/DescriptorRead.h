// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Appends everything an open file descriptor yields to `content` (reserving the file's size
// first when it is a regular file), retrying interrupted reads, and closes the descriptor.
// Returns 0, or the errno of the read that failed.
int ReadWholeDescriptor(int fd, std::string& content);
