// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The C runtime's 15-bit generator of the platform the program came from (a linear congruential
// generator with multiplier 214013 and increment 2531011, bits 16 to 30 of the state): integers
// from 0 to 32767. Used for the coin tosses of random flips.
class CRand15 {
 public:
  explicit CRand15(std::uint32_t seed) : state_(seed) {}
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_;
};
