// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataNominal.h"

#include <cmath>
#include <new>

#include "base/Failure.h"
#include "base/Missing.h"
#include "data/Integers.h"

void CData_Nominal::Validate() {
  for (int j = 0; j < columnCount; ++j) {
    for (int i = 0; i < rowCount; ++i) {
      const double x = At(i, j);
      if (x != std::trunc(x)) throw CError(13);
    }
  }
  for (int j = 0; j < columnCount; ++j) {
    if (minCodes[static_cast<size_t>(j)] != 0) {
      throw CError(14, j + 1, minCodes[static_cast<size_t>(j)]);
    }
  }
}

void CData_Nominal::ComputeValueRange() {
  try {
    minCodes.assign(static_cast<size_t>(columnCount), 1);
    maxCodes.assign(static_cast<size_t>(columnCount), 0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  std::vector<bool> seen(static_cast<size_t>(columnCount), false);
  minValue = 1.0;
  maxValue = 0.0;
  for (int i = 0; i < rowCount; ++i) {
    const double* row = Row(i);
    for (int j = 0; j < columnCount; ++j) {
      const double x = row[j];
      if (IsMissing(x)) continue;
      const size_t c = static_cast<size_t>(j);
      const int code = TruncateToInt(x);
      if (!seen[c]) {
        minCodes[c] = maxCodes[c] = code;
        seen[c] = true;
      } else {
        if (code < minCodes[c]) minCodes[c] = code;
        if (code > maxCodes[c]) maxCodes[c] = code;
      }
      if (x < minValue) minValue = x;
      if (x > maxValue) maxValue = x;
    }
  }
}
