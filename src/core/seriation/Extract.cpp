// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriation/Extract.h"

#include "base/Parallel.h"

CDistance Extract(const CDistance& distance, const int* sequence, int m) {
  CDistance sub;
  sub.AllocateForOverwrite(m < 0 ? 0 : m);
  // Every entry is a plain copy, so splitting the rows across threads changes nothing.
  ParallelFor(0, m, 32, [&](int i) {
    double* row = sub.Row(i);
    const int a = sequence[i];
    for (int j = i + 1; j < m; ++j)
      row[j] = distance.At(a, sequence[j]);
  });
  return sub;
}
