// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "TestFiles.h"

struct CRun {
  int status = -1;
  std::string output;  // standard output and error together
};

// Runs the built program with `arguments` (quoted for the shell), without a display and with a
// settings folder of its own in `folder`.
CRun RunQuorvel(const CTempDir& folder, const std::vector<std::string>& arguments);
// The same from inside `folder`, so that relative file names land there.
CRun RunQuorvelInFolder(const CTempDir& folder, const std::vector<std::string>& arguments);
