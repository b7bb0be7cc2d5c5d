// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/Ran1.h"

#include <ctime>

namespace {

constexpr std::int32_t kA = 16807;
constexpr std::int32_t kM = 2147483647;
constexpr std::int32_t kQ = 127773;  // kM / kA
constexpr std::int32_t kR = 2836;    // kM % kA
constexpr int kTable = 32;
constexpr std::int32_t kDivisor = 1 + (kM - 1) / kTable;
constexpr double kScale = 1.0 / kM;
constexpr double kLargest = 1.0 - 1.2e-7;

}  // namespace

std::int32_t CRan1::Advance() {
  // Schrage: kA·state mod kM without overflowing 32 bits.
  const std::int32_t k = state_ / kQ;
  state_ = kA * (state_ - k * kQ) - kR * k;
  if (state_ < 0) state_ += kM;
  return state_;
}

CRan1::CRan1(std::int64_t seed) {
  std::int64_t start = (seed < 0 ? -seed : seed) % kM;
  if (start == 0) start = 1;
  state_ = static_cast<std::int32_t>(start);
  for (int j = kTable + 7; j >= 0; --j) {
    const std::int32_t value = Advance();
    if (j < kTable) table_[j] = value;
  }
  last_ = table_[0];
}

double CRan1::Next() {
  const std::int32_t value = Advance();
  const int j = last_ / kDivisor;
  last_ = table_[j];
  table_[j] = value;
  const double uniform = kScale * last_;
  return uniform > kLargest ? kLargest : uniform;
}
