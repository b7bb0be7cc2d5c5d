// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The minimal-standard generator (multiplier 16807, modulus 2^31 − 1, Schrage's factorisation)
// with a Bays–Durham shuffle table of 32 entries and 8 warm-up draws ("ran1"). Uniform numbers
// in (0, 1), kept below 1 − 1.2e-7.
class CRan1 {
 public:
  // Fills the shuffle table from `seed`. Its magnitude is taken modulo 2^31 − 1 and 0 counts
  // as 1, so every distinct seed in 1 … 2^31 − 2 (a time in seconds, say) starts its own stream.
  explicit CRan1(std::int64_t seed);
  double Next();

 private:
  std::int32_t Advance();
  std::int32_t state_ = 1;
  std::int32_t last_ = 0;
  std::int32_t table_[32] = {};
};

// Seconds since the epoch, the seed of each randomisation.
