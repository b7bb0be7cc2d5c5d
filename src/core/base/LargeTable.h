// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tables of this many rows or more ask before they are read.
inline constexpr int kLargeTableRows = 1000;

// Answer of the large-data window ("Continue", "Restrict ... 1000 rows", "Stop" and the check box
// "Not compute the objective function R"). `confirmed` is false for the "Stop" button.
struct CLargeTableAnswer {
  enum Choice { kContinue = 0, kRestrict = 1, kStop = 2 };
  bool confirmed = true;
  Choice choice = kContinue;
  bool skipObjectiveR = true;
};
