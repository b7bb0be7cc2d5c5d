#include "dissimilarity/Distance.h"

#include <memory>
#include <new>

#include "base/Failure.h"
#include "base/Memory.h"
#include "base/Progress.h"

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

void CDistance::CopyTo(CDistance& other) const {
  other.Allocate(size);
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
  // Streaming the triangle row by row adds, for every item, its partners in index order:
  // partners below it arrive while their own rows are walked, partners above it with its row.
  std::fill(rowSums.begin(), rowSums.end(), 0.0);
  std::fill(rankWeightedRowSums.begin(), rankWeightedRowSums.end(), 0.0);
  double total = 0.0;
  double largest = 0.0;
  for (int i = 0; i < n; ++i) {
    if (progress) progress->Step();
    const double* row = Row(i);
    largest = std::max(largest, row[i]);
    double sum = rowSums[static_cast<size_t>(i)];
    double weighted = rankWeightedRowSums[static_cast<size_t>(i)];
    const double rankOfI = static_cast<double>(i) + 1.0;
    for (int j = i + 1; j < n; ++j) {
      const double d = row[j];
      sum += d;
      weighted += (static_cast<double>(j) + 1.0) * d;
      rowSums[static_cast<size_t>(j)] += d;
      rankWeightedRowSums[static_cast<size_t>(j)] += rankOfI * d;
      total += d;
      if (d > largest) largest = d;
    }
    rowSums[static_cast<size_t>(i)] = sum;
    rankWeightedRowSums[static_cast<size_t>(i)] = weighted;
  }
  mean = n > 0 ? 2.0 * total / (static_cast<double>(n) * static_cast<double>(n)) : 0.0;
  max = largest;
}
