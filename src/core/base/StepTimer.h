// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An opt-in report of where a run spends its time and memory: with QUORVEL_TIMINGS=1 in the
// environment, each timed step prints one line to stderr when it ends,
//   quorvel-timing: <step> <wall seconds> s (cpu <seconds> s), rss <MB> MB, peak <MB> MB
// (processor time of all threads during the step; resident and peak resident memory of the
// process at its end). Without the variable a
// timer costs one cached test. Steps may nest; each prints its own line.
class CStepTimer {
 public:
  explicit CStepTimer(const char* step);
  ~CStepTimer();
  CStepTimer(const CStepTimer&) = delete;
  CStepTimer& operator=(const CStepTimer&) = delete;

  // True when QUORVEL_TIMINGS asks for the report.
  static bool Enabled();

 private:
  const char* step_;
  double start_ = 0.0;
  double startProcessor_ = 0.0;
};
