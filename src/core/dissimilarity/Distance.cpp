// SPDX-License-Identifier: GPL-3.0-or-later
#include "dissimilarity/Distance.h"

#include <memory>
#include <new>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Parallel.h"
#include "base/Progress.h"
#include "dissimilarity/TriangleSums.h"

void CDistance::Allocate(int n) {
  if (n < 0) ThrowAllocationFailure();
  const size_t count = static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2;
  if (!CanReserve(CheckedBytes(count + 2 * static_cast<size_t>(n), sizeof(double)))) {
    ThrowAllocationFailure();
  }
  try {
    values.assign(count, 0.0);
    rowSums.assign(static_cast<size_t>(n), 0.0);
    rankWeightedRowSums.assign(static_cast<size_t>(n), 0.0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  size = n;
  mean = 0.0;
  max = 0.0;
}

void CDistance::AllocateForOverwrite(int n) {
  if (n < 0) ThrowAllocationFailure();
  const size_t count = static_cast<size_t>(n) * (static_cast<size_t>(n) + 1) / 2;
  if (values.size() != count &&
      !CanReserve(CheckedBytes(count + 2 * static_cast<size_t>(n), sizeof(double)))) {
    ThrowAllocationFailure();
  }
  try {
    if (values.size() != count) {
      values = CTriangleValues();
      values.resize(count);
    }
    rowSums.assign(static_cast<size_t>(n), 0.0);
    rankWeightedRowSums.assign(static_cast<size_t>(n), 0.0);
  } catch (const std::bad_alloc&) {
    ThrowAllocationFailure();
  }
  size = n;
  mean = 0.0;
  max = 0.0;
  double* triangle = values.data();
  ParallelFor(0, n, 256, [&](int i) { triangle[RowOffset(i, n) + static_cast<size_t>(i)] = 0.0; });
}

void CDistance::CopyTo(CDistance& other) const {
  other.AllocateForOverwrite(size);
  other.values = values;
  other.mean = mean;
  other.rowSums = rowSums;
  other.rankWeightedRowSums = rankWeightedRowSums;
  other.max = max;
}

void CDistance::SumByRows(CProgressReporter* reporter) {
  const int n = size;
  std::unique_ptr<CProgress> progress =
      OpenItemProgress(reporter, "Adding distances by rows in distances matrix.", n);
  // Every item's partners are added in index order, as one pass row by row would add them;
  // the work is shared among the cores without changing a bit.
  rowSums.resize(static_cast<size_t>(n));
  rankWeightedRowSums.resize(static_cast<size_t>(n));
  const CTriangleSums sums =
      SumTriangle(values.data(), n, rowSums.data(), rankWeightedRowSums.data());
  if (progress) {
    for (int i = 0; i < n; ++i)
      progress->Step();
  }
  mean = n > 0 ? 2.0 * sums.total / (static_cast<double>(n) * static_cast<double>(n)) : 0.0;
  max = sums.largest;
}
